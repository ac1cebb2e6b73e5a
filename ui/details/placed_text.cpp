#include "ui/details/placed_text.h"

#include <QFontMetrics>
#include <QPainter>

int TextWidth(const QFont& font, const QString& text) {
    return QFontMetrics(font).horizontalAdvance(text);
}

QRect TextCell(const PlacedText& text) {
    const QFontMetrics metrics(text.font);
    return {text.topLeft, QSize(metrics.horizontalAdvance(text.text), metrics.height())};
}

void DrawSolidText(QPainter& painter, const PlacedText& text, const QColor& background) {
    painter.fillRect(TextCell(text), background);
    painter.setFont(text.font);
    painter.setPen(text.colour);
    painter.drawText(text.topLeft.x(), text.topLeft.y() + QFontMetrics(text.font).ascent(),
                     text.text);
}
