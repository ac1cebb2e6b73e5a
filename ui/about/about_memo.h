// The about window's text area: read-only, word-wrapped, no caret and no selection. Keys only
// scroll it; the mouse wheel belongs to the window, which scrolls the text through its bar.
#pragma once

#include <QPlainTextEdit>

class TAboutMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TAboutMemo(QWidget* parent);

    // Takes lines separated by CR LF or LF.
    void SetText(const QString& text);
    // Display lines after word wrapping at the text area's width, without a last empty one.
    int DisplayLineCount() const;
    // One single-line vertical scroll request.
    void ScrollOneLine(bool down);
    // Shows `lines` whole display lines from the top of the area, the rest of it left empty.
    void ShowWholeLines(int lines);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};
