#include "ui/about/about_memo.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QScrollBar>
#include <QTextBlock>
#include <algorithm>
#include <cmath>
#include <optional>

#include "ui/common/fonts.h"

namespace {

struct KeyScroll {
    bool vertical;
    QAbstractSlider::SliderAction action;
};

// The keys that scroll the text, as a text area with a hidden caret does.
std::optional<KeyScroll> ScrollForKey(int key) {
    switch (key) {
    case Qt::Key_PageUp:
        return KeyScroll{true, QAbstractSlider::SliderPageStepSub};
    case Qt::Key_PageDown:
        return KeyScroll{true, QAbstractSlider::SliderPageStepAdd};
    case Qt::Key_Home:
        return KeyScroll{true, QAbstractSlider::SliderToMinimum};
    case Qt::Key_End:
        return KeyScroll{true, QAbstractSlider::SliderToMaximum};
    case Qt::Key_Up:
        return KeyScroll{true, QAbstractSlider::SliderSingleStepSub};
    case Qt::Key_Down:
        return KeyScroll{true, QAbstractSlider::SliderSingleStepAdd};
    case Qt::Key_Left:
        return KeyScroll{false, QAbstractSlider::SliderSingleStepSub};
    case Qt::Key_Right:
        return KeyScroll{false, QAbstractSlider::SliderSingleStepAdd};
    default:
        return std::nullopt;
    }
}

} // namespace

TAboutMemo::TAboutMemo(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setCursorWidth(0);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setContextMenuPolicy(Qt::NoContextMenu);
    setUndoRedoEnabled(false);
    setFocusPolicy(Qt::StrongFocus);
    setFont(VerdanaFont(9));
    document()->setDocumentMargin(0);
    // No background of its own: the skin's black panel shows through.
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::transparent);
    colours.setColor(QPalette::Text, QColor(173, 173, 173));
    setPalette(colours);
}

void TAboutMemo::SetText(const QString& text) {
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(plain);
}

int TAboutMemo::DisplayLineCount() const {
    QAbstractTextDocumentLayout* layout = document()->documentLayout();
    int lines = 0;
    QTextBlock last;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        layout->blockBoundingRect(block); // lays the block out at the current width
        lines += block.layout()->lineCount();
        last = block;
    }
    if (last.isValid() && last.text().isEmpty() && lines > 0) --lines;
    return lines;
}

void TAboutMemo::ScrollOneLine(bool down) {
    verticalScrollBar()->triggerAction(down ? QAbstractSlider::SliderSingleStepAdd
                                            : QAbstractSlider::SliderSingleStepSub);
}

void TAboutMemo::ShowWholeLines(int lines) {
    // The height the text lays one display line out in (the font's own line spacing may differ).
    QTextBlock first = document()->firstBlock();
    document()->documentLayout()->blockBoundingRect(first);
    const QTextLayout* layout = first.layout();
    const qreal lineHeight =
        layout && layout->lineCount() > 0 ? layout->lineAt(0).height() : fontMetrics().height();
    const int unused = height() - static_cast<int>(std::ceil(lines * lineHeight));
    setViewportMargins(0, 0, 0, std::max(0, unused));
}

void TAboutMemo::keyPressEvent(QKeyEvent* event) {
    // Every key stops here: none reaches the window (Escape doesn't close it).
    event->accept();
    if (event->matches(QKeySequence::Copy)) {
        copy();
        return;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return;
    if (const auto scroll = ScrollForKey(event->key()))
        (scroll->vertical ? verticalScrollBar() : horizontalScrollBar())
            ->triggerAction(scroll->action);
}

void TAboutMemo::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
}

void TAboutMemo::inputMethodEvent(QInputMethodEvent* event) {
    event->accept();
}

void TAboutMemo::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !hasFocus()) setFocus(Qt::MouseFocusReason);
    event->accept();
}

void TAboutMemo::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

void TAboutMemo::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void TAboutMemo::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
}

void TAboutMemo::wheelEvent(QWheelEvent* event) {
    // The window turns the wheel into moves of its bar, which scroll the text.
    event->ignore();
}
