// How one row of the replay list looks: chosen by the replay's validity and the selection.
#pragma once

#include <QColor>
#include <QString>

struct RowLook {
    QColor fill;
    QColor text;
    bool bold = false;
};

RowLook LookOfRow(bool valid, bool selected);

// What a row shows: the file name, after "INVALID: " when the replay can't be shown.
QString RowText(bool valid, const QString& fileName);
