#include "ui/common/ground_drag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#ifdef Q_OS_WIN
#include <QtMath>
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

#include "ui/common/pointer_position.h"

void GroundDrag::Press(QWidget& window, QMouseEvent* event) {
    if (offset_ || event->button() != Qt::LeftButton) return;
    if (window.windowHandle() && window.windowHandle()->startSystemMove()) return;
    offset_ = WholePixel(event->globalPosition()) - window.pos();
}

bool GroundDrag::Move(QWidget& window, QMouseEvent* event) {
    if (!offset_) return false;
    window.move(WholePixel(event->globalPosition()) - *offset_);
    return true;
}

bool GroundDrag::Release(QMouseEvent* event) {
    if (!offset_) return false;
    if (event->button() == Qt::LeftButton) offset_.reset();
    return true;
}

#ifdef Q_OS_WIN
bool AnswerGroundHitTest(QWidget& window, const QByteArray& eventType, void* message,
                         qintptr* result, const std::function<bool(QPoint)>& ground) {
    const auto* msg = static_cast<const MSG*>(message);
    if (eventType != "windows_generic_MSG" || msg->message != WM_NCHITTEST) return false;
    const LRESULT standard = DefWindowProcW(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    // The pointer's position minus the window's top-left corner, in device pixels.
    POINT pointer{};
    RECT frame{};
    GetCursorPos(&pointer);
    GetWindowRect(msg->hwnd, &frame);
    const qreal ratio = window.devicePixelRatioF();
    const QPoint at(qFloor((pointer.x - frame.left) / ratio),
                    qFloor((pointer.y - frame.top) / ratio));
    *result = (standard == HTCLIENT && ground(at)) ? HTCAPTION : standard;
    return true;
}
#endif
