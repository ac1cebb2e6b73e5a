#include "ui/main/filter_field.h"

#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

#include "ui/common/skin_colours.h"
#include "ui/main/main_layout.h"

namespace {

// Room between the text's caret and the count.
constexpr int CountGap = 8;

} // namespace

FilterFieldLook FilterFieldColours() {
    return {skin::Metal, QColor(0x4F, 0x50, 0x52), QColor(0xC9, 0xCB, 0xCE), skin::Orange,
            QColor(127, 127, 127)};
}

QString FilterCountText(int matches, int total) {
    const QLocale french(QLocale::French);
    return french.toString(matches) + QStringLiteral(" / ") + french.toString(total);
}

FilterField::FilterField(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void FilterField::SetContents(const QString& text, int matches, int total, bool caret) {
    text_ = text;
    caret_ = caret;
    count_ = FilterCountText(matches, total);
    update();
}

void FilterField::paintEvent(QPaintEvent*) {
    const FilterFieldLook look = FilterFieldColours();
    QPainter painter(this);
    painter.fillRect(rect(), look.plate);
    painter.fillRect(QRect(0, 0, width(), 1), look.edge);
    painter.setFont(font());
    const QFontMetrics metrics = painter.fontMetrics();
    const int indent = main_layout::RowTextIndent;
    const int baseline = 1 + (height() - 1 + metrics.ascent() - metrics.descent()) / 2;
    const int countWidth = metrics.horizontalAdvance(count_);
    const int countLeft = width() - indent - countWidth;
    painter.setPen(look.count);
    painter.drawText(countLeft, baseline, count_);
    // A text too long for its room shows its end, where the caret is.
    const int room = countLeft - CountGap - indent;
    const int textWidth = metrics.horizontalAdvance(text_);
    const int textLeft = indent + std::min(0, room - textWidth);
    painter.setClipRect(QRect(indent, 0, room + 2, height()));
    painter.setPen(look.text);
    painter.drawText(textLeft, baseline, text_);
    const int caretX = textLeft + textWidth + 1;
    if (caret_) painter.fillRect(QRect(caretX, 3, 1, height() - 5), look.caret);
}

void FilterField::mousePressEvent(QMouseEvent* event) {
    event->accept();
}
