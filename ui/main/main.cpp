// Tarvex: lists the replays of Command and Conquer Generals Zero Hour.
#include <QIcon>

#include "fonts.h"
#include "pictures.h"
#include "tarvex_application.h"
#include "tarvex_main.h"

int main(int argc, char** argv) {
    TarvexApplication application(argc, argv);
    tarvex::pictures::ensureLoaded();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tarvex.svg")));
    RegisterFallbackFonts();
    // Every replay is read while the window is created; it shows when the loop starts.
    TMainForm form;
    MainForm = &form;
    form.show();
    return application.exec();
}
