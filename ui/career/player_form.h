// A player's career window: every game of his in the list, with whom and against whom, in which
// army, on which maps, how his games ended, how active he was and how he opened. Opened by a
// click on a human's row in the details window. The headers' figures show at once; the orders
// of his games are read meanwhile by threads of their own, the figures they give filling in as
// they come. A click on a figure shows its games in the main list.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <future>
#include <mutex>
#include <optional>
#include <vector>

#include "career/career.h"
#include "career/career_orders.h"
#include "career/career_reading.h"
#include "ui/career/career_view.h"
#include "ui/common/ground_drag.h"
#include "ui/controls/wheel_notches.h"

class TMainForm;
class TFlatScrollBar;

class TPlayerForm : public QWidget {
    Q_OBJECT
public:
    // A hidden window of the main window's, gone with it, hidden while it is minimised; its
    // games are the main list's.
    explicit TPlayerForm(TMainForm& main);
    ~TPlayerForm() override;

    // Shows the career of the human named `name` in place of what the window showed (a reading
    // under way stops), the first list chosen, and starts reading his games' orders. A hidden
    // window opens beside the windows `shown` (the main window first), on the screen the
    // pointer is on; a shown one stays where it is.
    void Open(const Text& name, const std::vector<QRect>& shown);

    const Career& Shown() const { return career_; }
    const CareerHeaderView& Header() const { return header_; }
    const CareerOrdersView& Orders() const { return ordersView_; }
    // Games whose orders are in, read or found unreadable.
    std::size_t GamesRead() const { return done_; }
    // The orders are being read, or the figures of those read are being made.
    bool Reading() const { return poll_.isActive(); }
    CareerTab Tab() const { return tab_; }
    void ChooseTab(CareerTab tab);
    const std::vector<CareerRow>& Rows() const;
    // Where a row of the chosen list lies while the list shows it from its top.
    static QRect RowRect(int row);

    TFlatScrollBar* Scroll = nullptr;
    // The list's first row, as last set through the scroll bar.
    int ListTop = 0;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

private:
    void SetUpScroll();
    // The bar's range for the chosen list's rows: back at the top, or where it was (rows came in
    // while it was shown).
    void SetListRange(bool keepTop);
    void StartReading();
    void StopReading();
    // Takes the games read since the last call in, the figures made meanwhile, and has the
    // figures made again when games came in.
    void TakeReadGames();
    // Makes the figures of the games read so far on a thread of their own: tallying tens of
    // thousands of games and drawing their points takes longer than a frame.
    void MakeOrdersFigures();
    void TakeOrdersFigures();
    // The figure under a point of the window, whose games a click shows; null for none.
    const CareerPick* FigureAt(QPoint at) const;
    void ShowGames(const CareerPick& pick);
    std::optional<CareerTab> TabAt(QPoint at) const;
    bool DragsWindowAt(QPoint at) const;

    TMainForm& main_;
    Career career_;
    CareerHeaderView header_;
    std::vector<CareerPick> months_; // a pick per month
    std::vector<std::size_t> monthGames_;
    std::vector<std::optional<CareerGameOrders>> orders_;
    CareerOrdersView ordersView_;
    QImage activity_; // the points and medians of ordersView_
    struct OrdersFigures {
        CareerOrdersView view;
        QImage activity;
    };
    std::future<OrdersFigures> making_;
    bool stale_ = false; // games came in since the figures under way were begun
    std::size_t done_ = 0;
    std::size_t unreadable_ = 0;
    CareerTab tab_ = CareerTab::Armies;
    QImage skin_;
    GroundDrag drag_;
    WheelNotches wheel_;
    // The reading threads hand their games over here; the timer takes them in.
    std::mutex pendingLock_;
    std::vector<CareerGameRead> pending_;
    QTimer poll_;
    CareerReading reading_; // last: stopped before what its threads reach goes
};
