// The match window: how one replay's match went, opened from the details window's map picture
// or with Enter in the list. The map with what each human placed up to the time line's cursor,
// the time line with every human's activity, and the list of what one of them did. Everything
// it shows is read and made when it opens; moving the cursor reads nothing.
#pragma once

#include <QImage>
#include <QRectF>
#include <QStringList>
#include <QWidget>

class QScreen;
#include <optional>
#include <vector>

#include "game/map_cache.h"
#include "orders/course_names.h"
#include "orders/match.h"
#include "ui/common/ground_drag.h"
#include "ui/controls/flat_scrollbar.h"
#include "ui/controls/wheel_notches.h"
#include "ui/details/start_marks.h"
#include "ui/match/match_texts.h"
#include "ui/match/match_view.h"

// What the window opens on.
struct MatchOpening {
    TZH_replay replay;
    std::optional<MatchOrders> match; // none when the file couldn't be read again
    std::optional<MapExtent> extent;  // the map's, when a map cache entry gives it
    CourseData data;
    QImage picture; // fitted into the map's cell at the screen's ratio; null for none
    QRectF mapArea; // where the map lies in the cell
    MapMarks starts;
};

class TMatchForm : public QWidget {
    Q_OBJECT
public:
    // A hidden window of `owner`'s, gone with it, and gone while it is minimised.
    explicit TMatchForm(QWidget& owner);
    ~TMatchForm() override;

    // Shows `opening` in place of what the window showed, the cursor at the match's end and the
    // first human's list. A hidden window opens beside the windows `shown` (the main window
    // first), on the screen the pointer is on; a shown one stays where it is.
    void Open(MatchOpening opening, const std::vector<QRect>& shown);
    // The device pixel ratio the window will show at once opened: its screen's when shown, else
    // that of the screen the pointer is on, where it opens. The map's picture is made for it.
    qreal RatioAtOpening() const;

    const MatchView& View() const { return view_; }
    uint32_t Cursor() const { return cursor_; }
    void SetCursor(uint32_t frame);
    // The player whose list is shown, as a row of the time line. His lines are made the first
    // time he is chosen and kept until the next opening; choosing him again while he is shown
    // leaves his list where it is.
    std::size_t ChosenRow() const { return chosen_; }
    void ChooseRow(std::size_t row);
    const QStringList& Lines() const;
    // How many of the view's marks the map shows: those placed up to the cursor.
    std::size_t MarksShown() const { return shown_; }

    TFlatScrollBar* Scroll = nullptr;
    // The list's first line, as last set through the scroll bar.
    int ListTop = 0;

protected:
    bool event(QEvent* event) override;
    // A drag of the cursor under way ends with the window.
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

private:
    // The time line's rows, and the window as tall as they ask.
    int Rows() const;
    void FitRows();
    void SetUpScroll();
    // The bar's range for the chosen player's lines, back at the top.
    void ResetListScroll();
    // The marks under the pointer: their tooltip, or none.
    void ShowMarkTip(QPoint at, QPoint global);
    std::optional<std::size_t> MarkAt(QPoint at) const;
    void PressOnPanels(QPoint at);
    // The skin outside the panels, the bar and the close glyph.
    bool DragsWindowAt(QPoint at) const;

    MatchOpening opening_;
    MatchView view_;
    uint32_t cursor_ = 0;
    std::size_t shown_ = 0;
    std::size_t chosen_ = 0;
    std::vector<std::optional<QStringList>> rowLines_; // each row's, once made
    QImage skin_;
    bool movingCursor_ = false;
    GroundDrag drag_;
    WheelNotches wheel_;
};

// The program's one match window (set by the details window that makes it).
extern TMatchForm* MatchForm;
