// The four buttons painted on the main window's skin: where they answer the mouse, where their
// pressed looks show, and whether a point of the skin drags the window instead.
#pragma once

#include <QPoint>
#include <QRect>
#include <array>
#include <optional>

enum class FrameButton { Close, Minimise, History, Info };

struct FrameButtonArea {
    FrameButton button;
    QRect area;           // window coordinates; press, release and hit test use the same area
    QPoint pressedLookAt; // the pressed look's top-left corner while the button is held
};

inline constexpr std::array<FrameButtonArea, 4> FrameButtonAreas{{
    {FrameButton::Close, QRect(QPoint(246, 11), QPoint(257, 23)), QPoint(244, 9)},
    {FrameButton::Minimise, QRect(QPoint(229, 11), QPoint(240, 23)), QPoint(227, 9)},
    {FrameButton::History, QRect(QPoint(230, 291), QPoint(241, 303)), QPoint(229, 289)},
    {FrameButton::Info, QRect(QPoint(244, 291), QPoint(255, 303)), QPoint(243, 289)},
}};

// The button whose area holds `point`, if any.
std::optional<FrameButton> FrameButtonAt(QPoint point);

// Where the button's pressed look shows while it is held.
QPoint PressedLookPosition(FrameButton button);
