#include "tooltip_looks.h"

#include <QToolTip>

#include "fonts.h"

QPalette TooltipPalette(QPalette palette) {
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::ToolTipBase, TooltipPanel);
        palette.setColor(group, QPalette::ToolTipText, TooltipText);
    }
    return palette;
}

void ApplyTooltipLooks() {
    QToolTip::setPalette(TooltipPalette(QToolTip::palette()));
    QToolTip::setFont(TahomaFont(PixelsForPoints(8)));
}
