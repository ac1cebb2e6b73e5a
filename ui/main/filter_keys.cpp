#include "ui/main/filter_keys.h"

#include <QKeyEvent>
#include <algorithm>

FilterEdit TypedFilterEdit(const QString& typed, bool fieldOpen) {
    if (typed.isEmpty()) return {};
    if (!std::all_of(typed.begin(), typed.end(), [](QChar c) { return c.isPrint(); })) return {};
    if (!fieldOpen && typed.trimmed().isEmpty()) return {};
    return {FilterKey::Type, typed};
}

FilterEdit FilterEditOf(const QKeyEvent& event, bool fieldOpen) {
    if (fieldOpen && event.key() == Qt::Key_Escape) return {FilterKey::Close, {}};
    if (fieldOpen && event.key() == Qt::Key_Backspace) return {FilterKey::Backspace, {}};
    // As in a line edit: Control makes a shortcut, while Control with Alt is AltGr on Windows.
    const Qt::KeyboardModifiers held = event.modifiers() & ~Qt::KeypadModifier;
    if (held == Qt::ControlModifier || held == (Qt::ControlModifier | Qt::ShiftModifier)) return {};
    return TypedFilterEdit(event.text(), fieldOpen);
}

QString EditedFilterText(const QString& text, const FilterEdit& edit) {
    switch (edit.key) {
    case FilterKey::None:
        return text;
    case FilterKey::Type:
        return text + edit.typed;
    case FilterKey::Backspace: {
        // One character, not half of one written with two UTF-16 units.
        const bool pair = text.size() >= 2 && text.back().isLowSurrogate() &&
                          text[text.size() - 2].isHighSurrogate();
        return text.left(text.size() - (pair ? 2 : 1));
    }
    case FilterKey::Close:
        return {};
    }
    return text;
}
