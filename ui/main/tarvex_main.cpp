#include "tarvex_main.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>

#include "credit_line.h"
#include "error_box.h"
#include "fonts.h"
#include "list_scrolling.h"
#include "main_layout.h"
#include "replay/GR_Utils.h"
#include "replay/zerohour.h"
#include "replay_list_model.h"
#include "replay_list_view.h"
#include "rounded_region.h"
#include "row_look.h"
#include "ui/controls/flat_scrollbar.h"

TMainForm* MainForm = nullptr;

namespace ml = main_layout;

TMainForm::TMainForm(FolderFinder findFolder, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), findFolder_(std::move(findFolder)),
      skin_(tarvex::pictures::kMainSkin) {
    setFixedSize(ml::WindowSize);
    setWindowTitle(QStringLiteral("Tarvex"));
    setFont(TahomaFont(PixelsForPoints(8)));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(ml::CentredTopLeft(screen->availableGeometry(), ml::WindowSize));
    // The pressed looks lie above the skin, the list and its scroll bar above them.
    SetUpPressedLooks();
    SetUpList();
    SetUpScrollBar();
    // Events are serviced during the scan and while an error box is open: whatever they
    // reach must already find the main window.
    MainForm = this;
    FormCreate();
}

TMainForm::~TMainForm() {
    if (MainForm == this) MainForm = nullptr;
}

void TMainForm::SetUpPressedLooks() {
    namespace pictures = tarvex::pictures;
    const auto look = [this](const pictures::Picture& picture) {
        auto* widget = new SkinPictureWidget(picture, this);
        widget->setGeometry(QRect(ml::ParkedPressedLook, ml::PressedLookSize));
        widget->hide();
        return widget;
    };
    PushClose = look(pictures::kClosePressed);
    PushReduce = look(pictures::kMinimisePressed);
    PushHisto = look(pictures::kHistoryPressed);
    PushInfo = look(pictures::kInfoPressed);
}

void TMainForm::SetUpList() {
    RepList = new ReplayListView(this);
    RepList->setGeometry(ml::RepListRect);
    RepList->setFrameShape(QFrame::NoFrame);
    RepList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RepList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RepList->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    RepList->setUniformItemSizes(true);
    RepList->setSelectionMode(QAbstractItemView::SingleSelection);
    RepList->setSelectionBehavior(QAbstractItemView::SelectRows);
    RepList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    RepList->setFont(TahomaFont(PixelsForPoints(8)));
    // The skin's black panel shows wherever no row is drawn.
    QPalette palette = RepList->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    RepList->setPalette(palette);
    RepList->setAutoFillBackground(false);
    RepList->viewport()->setAutoFillBackground(false);
    RepList->SetRowPainter([this](QPainter& canvas, int row, const QRect& rect, bool selected) {
        RepListDrawItem(canvas, row, rect, selected);
    });
    // The list moves only through the scroll bar: the wheel goes to the window.
    RepList->viewport()->installEventFilter(this);
    model_ = new ReplayListModel(Replays, this);
    RepList->setModel(model_);
    connect(RepList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TMainForm::OnSelectionChanged);
    connect(RepList, &ReplayListView::doubleClickedAnywhere, this, &TMainForm::RepListDblClick);
    // The list is the window's only focus widget.
    RepList->setFocus();
}

void TMainForm::SetUpScrollBar() {
    Scroll = new TFlatScrollBar(this);
    Scroll->SetKind(sbVertical);
    Scroll->setGeometry(ml::ScrollRect);
    Scroll->SetColor(ml::ScrollGrey);
    Scroll->SetBarColor(ml::ScrollGrey);
    Scroll->SetButtonWidth(ml::ScrollButtonLength);
    Scroll->SetScrollerWidth(ml::ScrollerLength);
    Scroll->OnScroll = [this](TFlatCustomScrollBar* sender, TScrollCode code, int& position) {
        ScrollScroll(sender, code, position);
    };
}

void TMainForm::FormCreate() {
    try {
        ApplyRoundedRegion();
        ScrollSync = true;
        // The rows go before the records they show.
        model_->clear();
        Replays.clear();
        ReplayFolder.clear();
        ReplayFolder = findFolder_().folder;
        LoadReplayFolder(ReplayFolder);
    } catch (...) {
        // The window is still created; the steps after the failing one are skipped.
        ShowErrorBox(ErrorText(std::current_exception()), this);
    }
}

void TMainForm::ApplyRoundedRegion() {
    setMask(RoundedRegion(size(), ml::CornerEllipse));
    update();
}

void TMainForm::LoadReplayFolder(const Text& folder) {
    model_->clear();
    Replays.clear();
    unreadable_.clear();
    ScanFolder(folder, ReplayFileMask);
    // All rows at once, after the scan.
    model_->showAll();
    // No row is current either, so the first Down key selects the first row.
    RepList->setCurrentIndex(QModelIndex());
    lastSelectedRow_ = -1;
    ResetListScroll();
    // One box for all the files that could not be read; they are listed as invalid.
    if (!unreadable_.empty()) ShowErrorBox(UnreadableFilesMessage(unreadable_), this);
}

void TMainForm::ScanFolder(const Text& folder, std::string_view mask) {
    ForEachReplayFile(
        folder, mask, [this](const Text& path) { AddReplay(path); },
        [] { QCoreApplication::processEvents(); });
}

void TMainForm::AddReplay(const Text& path) {
    // One unreadable file must not empty the whole list: it stays as an invalid row.
    ReadOutcome outcome = ReadReplayKeepingErrors(path, ReadReplay);
    if (outcome.unreadable) unreadable_.push_back(std::move(*outcome.unreadable));
    Replays.push_back(std::move(outcome.record));
}

void TMainForm::RepListDrawItem(QPainter& canvas, int index, const QRect& rect, bool selected) {
    if (index < 0 || static_cast<std::size_t>(index) >= Replays.size()) return;
    const TZH_replay& replay = Replays[static_cast<std::size_t>(index)];
    const RowLook look = LookOfRow(replay.valid, selected);
    QFont font = RepList->font();
    font.setBold(look.bold);
    canvas.save();
    canvas.setClipRect(rect, Qt::IntersectClip);
    canvas.fillRect(rect, look.fill);
    canvas.setFont(font);
    canvas.setPen(look.text);
    canvas.drawText(rect.left() + ml::RowTextIndent, rect.top() + canvas.fontMetrics().ascent(),
                    RowText(replay.valid, ReplayListModel::FileNameText(replay.file.name)));
    canvas.restore();
}

void TMainForm::SetDetailsWindow(QWidget* window) {
    detailsWindow_ = window;
}

void TMainForm::DockDetailsWindow() {
    if (detailsWindow_) detailsWindow_->move(ml::DockedDetailsTopLeft(pos(), width()));
}

int TMainForm::SelectedRow() const {
    const QModelIndexList rows = RepList->selectionModel()->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TMainForm::OnSelectionChanged() {
    const int row = SelectedRow();
    if (row == lastSelectedRow_) return;
    lastSelectedRow_ = row;
    RepListClick();
}

void TMainForm::RepListClick() {
    Q_EMIT SelectedReplayChanged(SelectedRow());
    KeepSelectionInView();
}

void TMainForm::KeepSelectionInView() {
    const std::optional<int> top = ListTopShowing(SelectedRow(), ListTop);
    if (!top) return;
    // The list has scrolled the row into view by itself; the bar only follows.
    ScrollSync = false;
    const auto resume = qScopeGuard([this] { ScrollSync = true; });
    Scroll->SetPosition(*top);
}

void TMainForm::ScrollScroll(TFlatCustomScrollBar*, TScrollCode ScrollCode, int& ScrollPos) {
    if (ScrollSync && ScrollCode == scPosition) RepList->ScrollLines(ScrollPos - ListTop);
    ListTop = ScrollPos;
}

void TMainForm::ResetListScroll() {
    const ListScrollRange range =
        ListScrollRangeFor(RepList->model()->rowCount(), Scroll->height());
    Scroll->SetMax(0);
    Scroll->SetScrollerWidth(Scroll->height());
    if (range.max > 0) {
        Scroll->SetMax(range.max);
        Scroll->SetScrollerWidth(range.scrollerWidth);
    }
    Scroll->SetPosition(0);
    ListTop = 0;
}

void TMainForm::FormMouseWheelDown() {
    if (RepList->hasFocus()) Scroll->SetPosition(Scroll->Position() + WheelNotchRows);
}

void TMainForm::FormMouseWheelUp() {
    if (RepList->hasFocus()) Scroll->SetPosition(Scroll->Position() - WheelNotchRows);
}

void TMainForm::WheelTurned(QWheelEvent* event) {
    event->accept();
    for (int notches = wheelNotches_.Add(event->angleDelta().y()); notches != 0;) {
        if (notches > 0) {
            FormMouseWheelUp();
            --notches;
        } else {
            FormMouseWheelDown();
            ++notches;
        }
    }
}

void TMainForm::wheelEvent(QWheelEvent* event) {
    // Over the skin or the scroll bar.
    WheelTurned(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && RepList && watched == RepList->viewport()) {
        WheelTurned(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TMainForm::RepListDblClick() {
    const QModelIndex index = RepList->indexAt(RepList->viewport()->mapFromGlobal(QCursor::pos()));
    if (!index.isValid()) return;
    Q_EMIT DetailsRequested(index.row());
}

void TMainForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap& skin = skin_.pixmap(devicePixelRatioF());
    if (!skin.isNull()) painter.drawPixmap(0, 0, skin);
    PaintCreditLine(painter, MainCreditLine());
}
