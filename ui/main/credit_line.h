// The grey credit line at the bottom left of the main window, painted over the skin with the
// program's own font (pictures carry no text that depends on installed fonts).
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

struct CreditLine {
    QString text;
    QRect rect;
    QColor colour;
    QFont font;
};

CreditLine MainCreditLine();
void PaintCreditLine(QPainter& painter, const CreditLine& line);
