#include "ui/main/row_look.h"

RowLook LookOfRow(bool valid, bool selected) {
    if (!valid)
        return {selected ? QColor(238, 12, 12) : QColor(251, 98, 98), QColor(Qt::black), true};
    if (selected) return {QColor(50, 42, 42), QColor(Qt::white), false};
    return {QColor(Qt::black), QColor(173, 173, 173), false};
}

QString RowText(bool valid, const QString& fileName) {
    return valid ? fileName : QStringLiteral("INVALID: ") + fileName;
}
