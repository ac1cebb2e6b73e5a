#include "ui/common/tooltip_looks.h"

#include <QPalette>
#include <QToolTip>

#include "ui/common/fonts.h"

namespace {

// `palette` with the tooltip colours set in every colour group.
QPalette TooltipPalette(QPalette palette) {
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::ToolTipBase, TooltipPanel);
        palette.setColor(group, QPalette::ToolTipText, TooltipText);
    }
    return palette;
}

} // namespace

void ApplyTooltipLooks() {
    QToolTip::setPalette(TooltipPalette(QToolTip::palette()));
    QToolTip::setFont(TahomaFont(PixelsForPoints(8)));
}
