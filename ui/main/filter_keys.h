// What a key pressed on the replay list does to its filter: printable text is typed into it
// (a blank only once the field is open, so that Space still selects a row); Backspace takes
// the last character back and Escape closes the field, while it is open. Other keys, and
// Control's shortcuts, stay the list's.
#pragma once

#include <QString>

class QKeyEvent;

enum class FilterKey { None, Type, Backspace, Close };

struct FilterEdit {
    FilterKey key = FilterKey::None;
    QString typed; // what FilterKey::Type adds
};

FilterEdit FilterEditOf(const QKeyEvent& event, bool fieldOpen);
// Typed characters (an input method's committed text) as an edit, or None.
FilterEdit TypedFilterEdit(const QString& typed, bool fieldOpen);

// The filter's text after an edit (Close empties it).
QString EditedFilterText(const QString& text, const FilterEdit& edit);
