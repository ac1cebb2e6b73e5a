// A text with its font and colour, placed by the top-left corner of its cell. Drawn on a
// solid background it covers its whole cell: its width in its font by the font's height.
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

class QPainter;

struct PlacedText {
    QString text;
    QFont font;
    QColor colour;
    QPoint topLeft;
};

// The left edge of a text of `width` pixels centred on x = centre.
constexpr int CentredLeft(int centre, int width) {
    return centre - width / 2;
}

int TextWidth(const QFont& font, const QString& text);

// The pixels the text covers when drawn on a solid background.
QRect TextCell(const PlacedText& text);

// Fills the text's cell with `background`, then draws the text.
void DrawSolidText(QPainter& painter, const PlacedText& text, const QColor& background);
