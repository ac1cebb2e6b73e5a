#include "ui/common/minimised_with_main.h"

#include <QEvent>
#include <QWidget>

MinimisedWithMain::MinimisedWithMain(QWidget& window, QWidget& main)
    : QObject(&window), window_(window), main_(main) {
    main.installEventFilter(this);
}

bool MinimisedWithMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &main_ || event->type() != QEvent::WindowStateChange) return false;
    if (main_.isMinimized()) {
        if (!window_.isVisible()) return false;
        hidden_ = true;
        window_.hide();
    } else if (hidden_) {
        hidden_ = false;
        window_.show();
    }
    return false;
}
