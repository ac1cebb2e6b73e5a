// The pointer's position in whole pixels of a window, the same way everywhere: the pixel the
// position lies in. The windows' areas are whole pixels, inclusive; at a fractional screen
// scale a position may fall inside a pixel, and rounding would count it in the next one.
#pragma once

#include <QMouseEvent>
#include <QPoint>
#include <QPointF>
#include <cmath>

inline QPoint WholePixel(QPointF at) {
    return {static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y()))};
}

// Hands Qt's own handler the event with its window and local positions on whole pixels.
template <typename Handler> void OnWholePixels(QMouseEvent* event, Handler&& handle) {
    QMouseEvent floored(event->type(), WholePixel(event->position()),
                        WholePixel(event->scenePosition()), event->globalPosition(),
                        event->button(), event->buttons(), event->modifiers(),
                        event->pointingDevice());
    floored.setTimestamp(event->timestamp());
    handle(&floored);
    event->setAccepted(floored.isAccepted());
}
