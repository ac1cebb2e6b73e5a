#include "ui/details/map_panel_layout.h"

#include <algorithm>
#include <limits>

#include "ui/details/details_layout.h"

namespace {

// Between the details window and the larger map, between a disc and its label, and the least
// between two labels, whose outlined letters reach past their advance.
constexpr int PanelGap = 2;
constexpr qreal LabelGap = 2;
constexpr qreal NamesGap = 3;

qreal CoveredArea(const QRectF& label, const std::vector<QRectF>& others) {
    qreal area = 0;
    for (const QRectF& other : others) {
        const QRectF common = label.intersected(other);
        area += common.width() * common.height();
    }
    return area;
}

} // namespace

QPoint PanelPosition(const QRect& details, const QRect& main, QSize panel, const QRect& screen) {
    const int top = details.top() + details_layout::MapPictureAt.y() - PanelMargin;
    int left = details.right() + 1 + PanelGap;
    if (left + panel.width() > screen.right() + 1) left = main.left() - PanelGap - panel.width();
    left = std::clamp(left, screen.left(),
                      std::max(screen.left(), screen.right() + 1 - panel.width()));
    const int clampedTop =
        std::clamp(top, screen.top(), std::max(screen.top(), screen.bottom() + 1 - panel.height()));
    return {left, clampedTop};
}

std::vector<QRectF> PlaceLabels(const std::vector<QPointF>& centres, qreal diameter,
                                const std::vector<QSizeF>& sizes, const std::vector<QRectF>& marks,
                                const QRectF& bounds) {
    const qreal reach = diameter / 2 + LabelGap;
    const auto inside = [&](QRectF label) {
        label.moveLeft(std::clamp(label.left(), bounds.left(),
                                  std::max(bounds.left(), bounds.right() - label.width())));
        label.moveTop(std::clamp(label.top(), bounds.top(),
                                 std::max(bounds.top(), bounds.bottom() - label.height())));
        return label;
    };
    std::vector<QRectF> placed;
    for (std::size_t i = 0; i < centres.size() && i < sizes.size(); ++i) {
        const QPointF c = centres[i];
        const QSizeF size = sizes[i];
        const QRectF above(QPointF(c.x() - size.width() / 2, c.y() - reach - size.height()), size);
        const QRectF below(QPointF(c.x() - size.width() / 2, c.y() + reach), size);
        const QRectF right(QPointF(c.x() + reach, c.y() - size.height() / 2), size);
        const QRectF left(QPointF(c.x() - reach - size.width(), c.y() - size.height() / 2), size);
        const bool upper = c.y() < bounds.center().y();
        QRectF chosen;
        qreal least = std::numeric_limits<qreal>::max();
        for (const QRectF& place : {upper ? above : below, upper ? below : above, right, left}) {
            const QRectF label = inside(place);
            const qreal covered =
                CoveredArea(label, marks) +
                CoveredArea(label.adjusted(-NamesGap, -NamesGap, NamesGap, NamesGap), placed);
            if (covered < least) {
                chosen = label;
                least = covered;
            }
            if (covered == 0) break;
        }
        placed.push_back(chosen);
    }
    return placed;
}
