#include "tarvex_application.h"

#include "error_box.h"

TarvexApplication::TarvexApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Tarvex"));
    setApplicationDisplayName(QStringLiteral("Tarvex"));
}

bool TarvexApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowErrorBox(ErrorText(std::current_exception()));
        return false;
    }
}
