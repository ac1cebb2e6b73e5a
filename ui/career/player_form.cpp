#include "ui/career/player_form.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include "ui/career/career_layout.h"
#include "ui/career/career_painting.h"
#include "ui/common/minimised_along.h"
#include "ui/common/pointer_position.h"
#include "ui/common/rounded_region.h"
#include "ui/common/skin_scroll_bar.h"
#include "ui/common/window_placement.h"
#include "ui/controls/flat_scrollbar.h"
#include "ui/main/list_scrolling.h"
#include "ui/main/tarvex_main.h"

namespace cl = career_layout;

namespace {

// How often the figures take in the games read meanwhile.
constexpr int PollMilliseconds = 40;

} // namespace

TPlayerForm::TPlayerForm(TMainForm& main)
    : QWidget(&main, Qt::Window | Qt::FramelessWindowHint), main_(main) {
    setFixedSize(cl::WindowSize);
    setWindowTitle(QStringLiteral("PlayerForm"));
    setFocusPolicy(Qt::StrongFocus);
    setMask(RoundedRegion(size(), cl::CornerEllipse));
    setMouseTracking(true);
    new MinimisedAlong(*this, main);
    SetUpScroll();
    poll_.setInterval(PollMilliseconds);
    connect(&poll_, &QTimer::timeout, this, &TPlayerForm::TakeReadGames);
}

TPlayerForm::~TPlayerForm() {
    StopReading();
}

void TPlayerForm::SetUpScroll() {
    Scroll = NewSkinScrollBar(this, cl::ScrollRect);
    Scroll->OnScroll = [this](TFlatCustomScrollBar*, TScrollCode, int& position) {
        ListTop = position;
        update(cl::ListPanel);
    };
}

void TPlayerForm::Open(const Text& name, const std::vector<QRect>& shown) {
    StopReading();
    career_ = TallyCareer(main_.Replays, name);
    header_ = HeaderViewOf(career_);
    months_.clear();
    monthGames_.clear();
    for (const CareerMonthGames& month : career_.months) {
        months_.push_back({CareerMonthText(month.month), month.games});
        monthGames_.push_back(month.games.size());
    }
    orders_.assign(career_.games.size(), std::nullopt);
    done_ = unreadable_ = 0;
    ordersView_ =
        OrdersViewOf(career_, main_.Replays, orders_, TallyOrders(career_, main_.Replays, orders_));
    activity_ = {};
    tab_ = CareerTab::Armies;
    SetListRange(false);
    PlaceBesideWindows(*this, shown);
    update();
    show();
    raise();
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
    StartReading();
}

void TPlayerForm::StartReading() {
    if (career_.games.empty()) return;
    poll_.start();
    reading_.start(main_.Replays, career_, [this](const CareerGameRead& read) {
        const std::lock_guard lock(pendingLock_);
        pending_.push_back(read);
    });
}

void TPlayerForm::StopReading() {
    poll_.stop();
    reading_.stop();
    // The figures under way read the career: they end before it changes.
    if (making_.valid()) making_.wait();
    making_ = {};
    stale_ = false;
    const std::lock_guard lock(pendingLock_);
    pending_.clear();
}

void TPlayerForm::TakeReadGames() {
    std::vector<CareerGameRead> taken;
    {
        const std::lock_guard lock(pendingLock_);
        taken.swap(pending_);
    }
    for (CareerGameRead& read : taken) {
        if (read.game >= orders_.size()) continue;
        if (read.orders)
            orders_[read.game] = std::move(read.orders);
        else
            ++unreadable_;
        ++done_;
        stale_ = true;
    }
    if (!taken.empty()) update(cl::ReadingPanel);
    TakeOrdersFigures();
    if (stale_ && !making_.valid()) MakeOrdersFigures();
    if (done_ >= orders_.size() && !stale_ && !making_.valid()) poll_.stop();
}

void TPlayerForm::MakeOrdersFigures() {
    stale_ = false;
    making_ = std::async(std::launch::async, [&career = career_, &records = main_.Replays,
                                              orders = orders_, ratio = devicePixelRatioF()] {
        OrdersFigures made;
        made.view = OrdersViewOf(career, records, orders, TallyOrders(career, records, orders));
        made.activity = ActivityPicture(made.view, career.months.size(), ratio);
        return made;
    });
}

void TPlayerForm::TakeOrdersFigures() {
    if (!making_.valid() || making_.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return;
    OrdersFigures made = making_.get();
    ordersView_ = std::move(made.view);
    activity_ = std::move(made.activity);
    update(cl::ActivityPanel);
    update(cl::EndsPanel);
    if (tab_ == CareerTab::Openings) SetListRange(true);
}

const std::vector<CareerRow>& TPlayerForm::Rows() const {
    switch (tab_) {
    case CareerTab::Armies:
        return header_.armies;
    case CareerTab::Maps:
        return header_.maps;
    case CareerTab::Players:
        return header_.players;
    case CareerTab::Openings:
        break;
    }
    return ordersView_.openings;
}

void TPlayerForm::ChooseTab(CareerTab tab) {
    tab_ = tab;
    SetListRange(false);
}

void TPlayerForm::SetListRange(bool keepTop) {
    const ListScrollRange range =
        ListScrollRangeFor(static_cast<int>(Rows().size()), Scroll->height(), cl::WholeRowsShown);
    Scroll->SetMax(range.max);
    Scroll->SetScrollerWidth(range.scrollerWidth);
    Scroll->SetPosition(keepTop ? ListTop : 0);
    ListTop = Scroll->Position();
    update(cl::ListPanel);
}

QRect TPlayerForm::RowRect(int row) {
    return {cl::ListRows.left(), cl::ListRows.top() + row * cl::RowHeight, cl::ListRows.width(),
            cl::RowHeight};
}

void TPlayerForm::paintEvent(QPaintEvent* event) {
    const qreal ratio = devicePixelRatioF();
    if (skin_.isNull() || skin_.devicePixelRatio() != ratio) skin_ = CareerSkin(ratio);
    if (activity_.devicePixelRatio() != ratio && !making_.valid()) {
        // Another screen, or a new career: the points at this one's ratio, soon.
        MakeOrdersFigures();
        poll_.start();
    }
    QPainter painter(this);
    painter.drawImage(0, 0, skin_);
    // Only the panels asked for: the reading repaints a few of them many times a second.
    const QRegion& asked = event->region();
    if (asked.intersects(cl::HeaderPanel)) PaintCareerHeader(painter, header_);
    if (asked.intersects(cl::MonthsPanel)) {
        QStringList ends;
        if (!months_.empty()) ends = {months_.front().figure, months_.back().figure};
        if (months_.size() == 1) ends.removeLast();
        PaintMonths(painter, monthGames_, ends);
    }
    if (asked.intersects(cl::ActivityPanel)) PaintActivity(painter, ordersView_, activity_);
    if (asked.intersects(cl::EndsPanel)) PaintEnds(painter, ordersView_.ends);
    if (asked.intersects(cl::ListPanel)) PaintList(painter, tab_, Rows(), ListTop);
    if (asked.intersects(cl::ReadingPanel))
        PaintReading(painter, done_, orders_.size(), unreadable_);
}

std::optional<CareerTab> TPlayerForm::TabAt(QPoint at) const {
    const std::vector<QRect> tabs = TabRects();
    for (std::size_t i = 0; i < tabs.size(); ++i)
        if (tabs[i].contains(at)) return CareerTabs[i];
    return std::nullopt;
}

const CareerPick* TPlayerForm::FigureAt(QPoint at) const {
    if (cl::MonthBars.contains(at)) {
        const auto month = MonthAtX(months_.size(), cl::MonthBars, at.x());
        return month && !months_[*month].games.empty() ? &months_[*month] : nullptr;
    }
    const QRect ends(cl::EndsPanel.left(), cl::EndsTop, cl::EndsPanel.width(),
                     static_cast<int>(ordersView_.ends.size()) * cl::EndRowHeight);
    if (ends.contains(at)) {
        const CareerRow& row =
            ordersView_.ends[static_cast<std::size_t>((at.y() - cl::EndsTop) / cl::EndRowHeight)];
        const CareerPick* pick = PickAt(row, 0);
        return pick && !pick->games.empty() ? pick : nullptr;
    }
    if (!cl::ListRows.contains(at)) return nullptr;
    const int row = ListTop + (at.y() - cl::ListRows.top()) / cl::RowHeight;
    const auto column = ColumnAt(tab_, at.x() - cl::ListRows.left());
    if (!column || row >= static_cast<int>(Rows().size())) return nullptr;
    const CareerPick* pick = PickAt(Rows()[static_cast<std::size_t>(row)], *column);
    return pick && !pick->games.empty() ? pick : nullptr;
}

void TPlayerForm::ShowGames(const CareerPick& pick) {
    std::vector<int> files;
    for (const std::size_t file : CareerFiles(career_, pick.games))
        files.push_back(static_cast<int>(file));
    main_.ShowGames(FigureLabel(header_.name, pick.figure), std::move(files));
}

bool TPlayerForm::DragsWindowAt(QPoint at) const {
    for (const QRect& taken : {cl::HeaderPanel, cl::MonthsPanel, cl::ActivityPanel, cl::EndsPanel,
                               cl::ListPanel, cl::ReadingPanel, cl::CloseGlyphArea})
        if (taken.contains(at)) return false;
    return QRect(QPoint(0, 0), size()).contains(at);
}

bool TPlayerForm::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QPoint at = help->pos();
    QString tip;
    QRect around;
    if (const CareerPick* pick = FigureAt(at); pick && cl::MonthBars.contains(at)) {
        const auto month = MonthAtX(months_.size(), cl::MonthBars, at.x());
        tip = MonthTip(career_.months[*month].month, pick->games.size());
        around = QRect(at.x(), cl::MonthBars.top(), 1, cl::MonthBars.height());
    } else if (cl::ListRows.contains(at)) {
        const int row = ListTop + (at.y() - cl::ListRows.top()) / cl::RowHeight;
        if (row < static_cast<int>(Rows().size())) {
            tip = Rows()[static_cast<std::size_t>(row)].tip;
            around = RowRect(row - ListTop);
        }
    }
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), tip, this, around);
    return true;
}

void TPlayerForm::mousePressEvent(QMouseEvent* event) {
    const QPoint at = WholePixel(event->position());
    if (event->button() != Qt::LeftButton || drag_.MovingByHand()) return;
    if (DragsWindowAt(at)) {
        drag_.Press(*this, event);
        return;
    }
    if (const auto tab = TabAt(at)) return ChooseTab(*tab);
    if (const CareerPick* pick = FigureAt(at)) ShowGames(*pick);
}

void TPlayerForm::mouseMoveEvent(QMouseEvent* event) {
    if (drag_.Move(*this, event)) return;
    const QPoint at = WholePixel(event->position());
    if (FigureAt(at) || TabAt(at))
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void TPlayerForm::mouseReleaseEvent(QMouseEvent* event) {
    if (drag_.Release(event)) return;
    if (cl::CloseGlyphArea.contains(WholePixel(event->position()))) close();
}

void TPlayerForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape) return QWidget::keyPressEvent(event);
    event->accept();
    close();
}

void TPlayerForm::wheelEvent(QWheelEvent* event) {
    event->accept();
    // Positive notches turn away from the user: the list goes back up.
    const int notches = wheel_.Add(event->angleDelta().y());
    Scroll->SetPosition(Scroll->Position() - notches * cl::WheelNotchRows);
}

void TPlayerForm::closeEvent(QCloseEvent* event) {
    StopReading();
    QWidget::closeEvent(event);
}

#ifdef Q_OS_WIN
bool TPlayerForm::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    return AnswerGroundHitTest(*this, eventType, message, result,
                               [this](QPoint at) { return DragsWindowAt(at); }) ||
           QWidget::nativeEvent(eventType, message, result);
}
#endif
