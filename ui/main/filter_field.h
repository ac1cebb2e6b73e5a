// The filter's field over the bottom of the replay list: the typed text, a caret and, at its
// right, how many replays match out of how many. Painted in the skin's colours (its gunmetal
// plate, lit edge and orange), it looks like no row of the list; it never takes the focus,
// which stays on the list that the text is typed into.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

struct FilterFieldLook {
    QColor plate; // the skin's gunmetal
    QColor edge;  // its lit bevel, along the field's top
    QColor text;
    QColor caret; // the skin buttons' orange
    QColor count;
};
FilterFieldLook FilterFieldColours();

// "12 / 49 873": both numbers written as the program writes numbers, in French.
QString FilterCountText(int matches, int total);

class FilterField : public QWidget {
    Q_OBJECT
public:
    explicit FilterField(QWidget* parent);

    // caret: the text is typed, and goes on where the caret is.
    void SetContents(const QString& text, int matches, int total, bool caret = true);
    const QString& text() const { return text_; }
    const QString& countText() const { return count_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // A press on the field neither selects a row nor moves the window.
    void mousePressEvent(QMouseEvent* event) override;

private:
    QString text_;
    QString count_;
    bool caret_ = true;
};
