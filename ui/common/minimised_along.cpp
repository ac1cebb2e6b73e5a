#include "ui/common/minimised_along.h"

#include <QEvent>
#include <QWidget>

MinimisedAlong::MinimisedAlong(QWidget& window, QWidget& main)
    : QObject(&window), window_(window), main_(main) {
    main_.installEventFilter(this);
}

bool MinimisedAlong::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &main_ || event->type() != QEvent::WindowStateChange) return false;
    if (main_.isMinimized()) {
        if (!window_.isVisible()) return false;
        hiddenWithMain_ = true;
        window_.hide();
    } else if (hiddenWithMain_) {
        hiddenWithMain_ = false;
        window_.show();
    }
    return false;
}
