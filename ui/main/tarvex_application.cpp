#include "tarvex_application.h"

#include "error_box.h"
#include "tooltip_looks.h"

TarvexApplication::TarvexApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Tarvex"));
    setApplicationDisplayName(QStringLiteral("Tarvex"));
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
