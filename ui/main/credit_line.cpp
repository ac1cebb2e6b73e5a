#include "ui/main/credit_line.h"

#include <QPainter>

#include "ui/common/fonts.h"
#include "ui/main/main_layout.h"

CreditLine MainCreditLine() {
    return {QStringLiteral("Code & skin : l'équipe Tarvex"), main_layout::CreditLineRect,
            QColor(127, 127, 127), TahomaFont(10)};
}

void PaintCreditLine(QPainter& painter, const CreditLine& line) {
    painter.save();
    painter.setFont(line.font);
    painter.setPen(line.colour);
    painter.drawText(line.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, line.text);
    painter.restore();
}
