#include "ui/main/tarvex_application.h"

#include "ui/common/error_box.h"
#include "ui/common/tooltip_looks.h"

TarvexApplication::TarvexApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Tarvex"));
    // No display name of its own (it would be "Tarvex" too): Qt on Windows appends a set one to
    // every window's caption, and the captions are "MoreForm", "A propos" and "Historique".
    setApplicationVersion(QStringLiteral(TARVEX_VERSION));
    // The installed desktop entry is named by the application id.
    setDesktopFileName(QStringLiteral(TARVEX_APP_ID));
    ApplyTooltipLooks();
}

bool TarvexApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowErrorBox(ErrorText(std::current_exception()));
        return false;
    }
}
