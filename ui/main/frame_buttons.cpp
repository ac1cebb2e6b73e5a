#include "ui/main/frame_buttons.h"

#include <algorithm>

namespace {

const FrameButtonArea& AreaOf(FrameButton button) {
    return *std::find_if(FrameButtonAreas.begin(), FrameButtonAreas.end(),
                         [button](const FrameButtonArea& a) { return a.button == button; });
}

} // namespace

std::optional<FrameButton> FrameButtonAt(QPoint point) {
    for (const FrameButtonArea& a : FrameButtonAreas)
        if (a.area.contains(point)) return a.button;
    return std::nullopt;
}

QPoint PressedLookPosition(FrameButton button) {
    return AreaOf(button).pressedLookAt;
}
