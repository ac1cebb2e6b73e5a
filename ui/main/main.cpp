// Tarvex: lists the replays of Command and Conquer Generals Zero Hour.
#include <QIcon>

#include "resources/pictures.h"
#include "ui/common/fonts.h"
#include "ui/details/details_form.h"
#include "ui/main/tarvex_application.h"
#include "ui/main/tarvex_main.h"

int main(int argc, char** argv) {
    // Qt's own event dispatcher: the start-up services pending events once per replay file,
    // and a pass of this dispatcher costs a fifth of a pass of GLib's.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");
    TarvexApplication application(argc, argv);
    tarvex::pictures::ensureLoaded();
    const auto icon = tarvex::pictures::kProgramIcon.path;
    // Every window of the program takes this icon.
    QApplication::setWindowIcon(
        QIcon(QString::fromUtf8(icon.data(), static_cast<qsizetype>(icon.size()))));
    RegisterFallbackFonts();
    // Every replay is read while the window is created; it shows when the loop starts.
    TMainForm form;
    // Then the details window, hidden until a row is double-clicked; the main window owns it.
    MoreForm = new TMoreForm(form);
    form.show();
    return application.exec();
}
