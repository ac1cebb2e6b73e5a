#include "ui/common/panelled_skin.h"

#include <QPainter>

#include "ui/common/skin_colours.h"

namespace {

const QColor Groove(27, 28, 29);
const QColor GrooveLight(56, 57, 59);
const QColor Glyph(87, 89, 92);
const QColor GlyphShadow(30, 31, 33);

// `step` of `steps` of the way from one colour to the other.
QColor Between(const QColor& from, const QColor& to, int step, int steps) {
    const auto mix = [&](int a, int b) { return a + (b - a) * step / steps; };
    return {mix(from.red(), to.red()), mix(from.green(), to.green()), mix(from.blue(), to.blue())};
}

void Panel(QPainter& painter, const QRect& panel) {
    painter.fillRect(panel.adjusted(-2, -2, 2, 2), GrooveLight);
    painter.fillRect(panel.adjusted(-2, -2, 1, 1), Groove);
    painter.fillRect(panel, skin::Black);
}

// A small x, raised by a one-pixel shadow, with its top-left corner at `at`.
void CloseGlyph(QPainter& painter, QPoint at) {
    for (const auto& [colour, shift] : {std::pair{GlyphShadow, 1}, std::pair{Glyph, 0}})
        for (int i = 0; i < 5; ++i) {
            painter.fillRect(
                QRect(at.x() + shift + i + 1 - (i == 0 || i == 4), at.y() + shift + i, 2, 1),
                colour);
            painter.fillRect(
                QRect(at.x() + shift + 4 - i + (i == 0 || i == 4), at.y() + shift + i, 2, 1),
                colour);
        }
}

} // namespace

QImage PanelledSkin(QSize size, const std::vector<QRect>& panels, const QRect& closeGlyph,
                    qreal dpr) {
    QImage skin(size * dpr, QImage::Format_RGB32);
    skin.setDevicePixelRatio(dpr);
    QPainter painter(&skin);
    const QRect whole(QPoint(0, 0), size);
    painter.fillRect(whole, skin::Metal);
    constexpr int Bevel = 8;
    for (int ring = 0; ring < Bevel; ++ring) {
        painter.setPen(Between(skin::MetalDark, skin::Metal, ring, Bevel));
        painter.drawRect(whole.adjusted(ring, ring, -ring - 1, -ring - 1));
    }
    for (const QRect& panel : panels)
        Panel(painter, panel);
    CloseGlyph(painter, closeGlyph.topLeft() + QPoint(2, 1));
    return skin;
}
