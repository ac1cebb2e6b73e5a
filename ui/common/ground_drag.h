// Moving a skinned window by its ground. A left press on the ground hands the move to the
// window system where it can take it; without a window manager it can't, and the window then
// follows the pointer by hand until the release. On Windows the window system itself moves the
// window wherever the window's hit test answers "caption".
#pragma once

#include <QByteArray>
#include <QPoint>
#include <functional>
#include <optional>

class QMouseEvent;
class QWidget;

class GroundDrag {
public:
    // A press on the window's ground.
    void Press(QWidget& window, QMouseEvent* event);
    // A move: the window follows while moved by hand. True while it is.
    bool Move(QWidget& window, QMouseEvent* event);
    // A release: true when it belonged to a move by hand (a left release ends it).
    bool Release(QMouseEvent* event);
    bool MovingByHand() const { return offset_.has_value(); }

private:
    // The pointer's offset from the window's top-left corner.
    std::optional<QPoint> offset_;
};

#ifdef Q_OS_WIN
// WMNCHitTest: answers a hit test on `window` with the caption where `ground` says so (a point
// of the window, in logical pixels). False for the other messages, which go on as usual.
bool AnswerGroundHitTest(QWidget& window, const QByteArray& eventType, void* message,
                         qintptr* result, const std::function<bool(QPoint)>& ground);
#endif
