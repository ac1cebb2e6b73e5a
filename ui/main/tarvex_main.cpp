#include "ui/main/tarvex_main.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>

#include "replay/GR_Utils.h"
#include "replay/zerohour.h"
#include "ui/about/about_form.h"
#include "ui/about/about_texts.h"
#include "ui/common/centred.h"
#include "ui/common/contact_address.h"
#include "ui/common/error_box.h"
#include "ui/common/fonts.h"
#include "ui/common/pointer_position.h"
#include "ui/common/rounded_region.h"
#include "ui/common/skin_scroll_bar.h"
#include "ui/controls/flat_scrollbar.h"
#include "ui/main/credit_line.h"
#include "ui/main/filter_field.h"
#include "ui/main/filter_keys.h"
#include "ui/main/list_scrolling.h"
#include "ui/main/main_layout.h"
#include "ui/main/replay_list_model.h"
#include "ui/main/replay_list_view.h"
#include "ui/main/row_look.h"

TMainForm* MainForm = nullptr;

namespace ml = main_layout;

TMainForm::TMainForm(FolderFinder findFolder, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), findFolder_(std::move(findFolder)),
      skin_(tarvex::pictures::kMainSkin) {
    setFixedSize(ml::WindowSize);
    setWindowTitle(QStringLiteral("Tarvex"));
    setFont(TahomaFont(PixelsForPoints(8)));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(CentredTopLeft(screen->availableGeometry(), ml::WindowSize));
    // The pressed looks lie above the skin, the list and its scroll bar above them.
    SetUpPressedLooks();
    SetUpList();
    SetUpScrollBar();
    SetUpFilterField();
    // Events are serviced during the scan and while an error box is open: whatever they
    // reach must already find the main window.
    MainForm = this;
    FormCreate();
}

TMainForm::~TMainForm() {
    // The list's rows and its row painter read Replays, which is gone before the child widgets
    // are: they end first, and so do the windows it owns (the details, the match, a career whose
    // threads read the files Replays names).
    for (QWidget* window : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (window->isWindow()) delete window;
    delete RepList;
    RepList = nullptr;
    delete model_;
    model_ = nullptr;
    if (MainForm == this) MainForm = nullptr;
}

void TMainForm::SetUpPressedLooks() {
    namespace pictures = tarvex::pictures;
    const auto look = [this](const pictures::Picture& picture) {
        auto* widget = new SkinPictureWidget(picture, this);
        // Presses and releases go to the skin below, which owns the button areas.
        widget->setAttribute(Qt::WA_TransparentForMouseEvents);
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
    // The list moves only through the scroll bar: the wheel goes to the window. Keys that
    // type a filter go to the window too.
    RepList->viewport()->installEventFilter(this);
    RepList->installEventFilter(this);
    model_ = new ReplayListModel(Replays, this);
    RepList->setModel(model_);
    connect(RepList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TMainForm::OnSelectionChanged);
    connect(RepList, &ReplayListView::doubleClickedAnywhere, this, &TMainForm::RepListDblClick);
    connect(RepList, &ReplayListView::enterPressed, this, [this] {
        if (const int replay = SelectedReplay(); replay >= 0) Q_EMIT MatchRequested(replay);
    });
    // The list also scrolls itself: while a pressed pointer is held past its top or bottom
    // edge, and on Page Up, Page Down, Home and End.
    connect(RepList->verticalScrollBar(), &QScrollBar::valueChanged, this, &TMainForm::FollowList);
    // The list is the window's only focus widget.
    RepList->setFocus();
}

void TMainForm::SetUpScrollBar() {
    Scroll = NewSkinScrollBar(this, ml::ScrollRect);
    Scroll->OnScroll = [this](TFlatCustomScrollBar* sender, TScrollCode code, int& position) {
        ScrollScroll(sender, code, position);
    };
}

void TMainForm::SetUpFilterField() {
    FilterBox = new FilterField(this);
    FilterBox->setGeometry(ml::FilterFieldRect);
    FilterBox->setFont(RepList->font());
    FilterBox->hide();
}

void TMainForm::FormCreate() {
    try {
        ApplyRoundedRegion();
        ScrollSync = true;
        // The rows go before the records they show.
        model_->clear();
        Replays.clear();
        search_.clear();
        ReplayFolder.clear();
        Sources.clear();
        UserDataFolder.clear();
        ReplayFolderChoice choice = findFolder_();
        Sources = ListedSources(choice);
        ReplayFolder = std::move(choice.folder);
        UserDataFolder = std::move(choice.userDataFolder);
        LoadReplays(Sources);
    } catch (...) {
        // The window is still created; the steps after the failing one are skipped.
        ShowErrorBox(ErrorText(std::current_exception()), this);
    }
}

void TMainForm::ApplyRoundedRegion() {
    setMask(RoundedRegion(size(), ml::CornerEllipse));
    update();
}

void TMainForm::LoadReplays(const std::vector<ReplaySource>& sources) {
    // A new listing shows every replay: the filter closes without a trace.
    filterText_.clear();
    gamesShown_ = false;
    FilterBox->hide();
    RepList->setGeometry(ml::RepListRect);
    model_->clear();
    Replays.clear();
    search_.clear();
    unreadable_.clear();
    listing_ = true;
    const auto listed = qScopeGuard([this] { listing_ = false; });
    ScanFolders(sources, ReplayFileMask);
    // All rows at once, after the scan.
    model_->showAll();
    // No row is current either, so the first Down key selects the first row.
    RepList->setCurrentIndex(QModelIndex());
    lastSelectedReplay_ = -1;
    ResetListScroll();
    // One box for all the files that could not be read; they are listed as invalid.
    if (!unreadable_.empty()) ShowErrorBox(UnreadableFilesMessage(unreadable_), this);
}

void TMainForm::ScanFolders(const std::vector<ReplaySource>& sources, std::string_view mask) {
    ForEachReplayFile(
        sources, mask, [this](ListedReplayFile& file) { AddReplay(file); },
        [] { QCoreApplication::processEvents(); },
        // Room for every record at once: no copying while the sequence grows, less memory.
        [this](std::size_t entries) {
            Replays.reserve(Replays.size() + entries);
            search_.reserve(entries);
        });
}

void TMainForm::AddReplay(ListedReplayFile& file) {
    // One unreadable file must not empty the whole list: it stays as an invalid row.
    ReadOutcome outcome = ReadReplayKeepingErrors(
        file.path, [&file](const Text&) { return file.read(); }, file.shownPrefix);
    if (outcome.unreadable) unreadable_.push_back(std::move(*outcome.unreadable));
    Replays.push_back(std::move(outcome.record));
    search_.add(Replays.back());
}

void TMainForm::RepListDrawItem(QPainter& canvas, int index, const QRect& rect, bool selected) {
    const int shown = model_->ReplayAt(index);
    if (shown < 0) return;
    const TZH_replay& replay = Replays[static_cast<std::size_t>(shown)];
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

int TMainForm::SelectedReplay() const {
    return model_->ReplayAt(SelectedRow());
}

void TMainForm::OnSelectionChanged() {
    // The same replay on another row (the filter changed) is no change.
    const int replay = SelectedReplay();
    if (replay == lastSelectedReplay_) return;
    lastSelectedReplay_ = replay;
    RepListClick();
}

void TMainForm::RepListClick() {
    Q_EMIT SelectedReplayChanged(SelectedReplay());
    KeepSelectionInView();
}

void TMainForm::KeepSelectionInView() {
    // The list brings a row it doesn't show wholly into view by itself (not while it scrolls
    // by its timer, under a pressed pointer held past its edge); the bar only follows the list.
    if (ListTopShowing(SelectedRow(), ListTop, VisibleRows()))
        FollowList(RepList->verticalScrollBar()->value());
}

void TMainForm::FollowList(int top) {
    if (barMovesList_) return;
    const bool sync = ScrollSync;
    ScrollSync = false;
    const auto resume = qScopeGuard([this, sync] { ScrollSync = sync; });
    Scroll->SetPosition(top);
}

void TMainForm::ScrollScroll(TFlatCustomScrollBar*, TScrollCode ScrollCode, int& ScrollPos) {
    if (ScrollSync && ScrollCode == scPosition) {
        barMovesList_ = true;
        const auto done = qScopeGuard([this] { barMovesList_ = false; });
        RepList->ScrollLines(ScrollPos - ListTop);
    }
    ListTop = ScrollPos;
}

void TMainForm::ResetListScroll() {
    const ListScrollRange range =
        ListScrollRangeFor(RepList->model()->rowCount(), Scroll->height(), VisibleRows());
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
    if (RepList && watched == RepList && !listing_) {
        const bool open = !filterText_.isEmpty();
        if (event->type() == QEvent::KeyPress)
            return EditFilter(FilterEditOf(*static_cast<QKeyEvent*>(event), open));
        if (event->type() == QEvent::InputMethod)
            return EditFilter(
                TypedFilterEdit(static_cast<QInputMethodEvent*>(event)->commitString(), open));
    }
    return QWidget::eventFilter(watched, event);
}

bool TMainForm::EditFilter(const FilterEdit& edit) {
    if (edit.key == FilterKey::None) return false;
    // The games' label is no text to edit: the edit starts from nothing.
    SetFilterText(EditedFilterText(gamesShown_ ? QString() : filterText_, edit));
    return true;
}

int TMainForm::VisibleRows() const {
    return ml::WholeRowsVisible - (filterText_.isEmpty() ? 0 : 1);
}

void TMainForm::SetFilterText(const QString& text) {
    gamesShown_ = false;
    if (text.isEmpty()) return ShowRows(text, std::nullopt);
    std::vector<int> found;
    search_.find(ReplayQuery(text.toStdString()), found);
    ShowRows(text, std::move(found));
}

void TMainForm::ShowGames(const QString& label, std::vector<int> replays) {
    if (listing_) return;
    gamesShown_ = true;
    ShowRows(label, std::move(replays));
    raise();
    activateWindow();
    RepList->setFocus(Qt::OtherFocusReason);
}

void TMainForm::ShowRows(const QString& text, std::optional<std::vector<int>> shown) {
    const int selected = SelectedReplay();
    const int line = SelectedRow() - ListTop;
    filterText_ = text;
    const bool open = !text.isEmpty();
    if (shown)
        model_->showOnly(std::move(*shown));
    else
        model_->showAll();
    const int rows = model_->rowCount();
    FilterBox->SetContents(text, rows, static_cast<int>(Replays.size()), !gamesShown_);
    FilterBox->setVisible(open);
    RepList->setGeometry(open ? ml::FilteredListRect : ml::RepListRect);
    // The model's reset dropped the selection without a word; lastSelectedReplay_ still
    // names the replay selected before.
    int row = model_->RowOf(selected);
    if (row < 0 && open && rows > 0) row = 0;
    ShowRowsFrom(row < 0 ? 0 : ListTopKeepingLine(row, line, rows, VisibleRows()));
    if (row >= 0) {
        RepList->setCurrentIndex(model_->index(row));
        return;
    }
    RepList->setCurrentIndex(QModelIndex());
    if (lastSelectedReplay_ >= 0) {
        lastSelectedReplay_ = -1;
        RepListClick();
    }
    if (open && detailsWindow_) detailsWindow_->hide();
}

void TMainForm::ShowRowsFrom(int top) {
    const bool sync = ScrollSync;
    ScrollSync = false;
    const auto resume = qScopeGuard([this, sync] { ScrollSync = sync; });
    const ListScrollRange range =
        ListScrollRangeFor(model_->rowCount(), Scroll->height(), VisibleRows());
    Scroll->SetMax(range.max);
    Scroll->SetScrollerWidth(range.scrollerWidth);
    Scroll->SetPosition(top);
    ListTop = Scroll->Position();
    barMovesList_ = true;
    const auto done = qScopeGuard([this] { barMovesList_ = false; });
    RepList->ShowFromRow(ListTop);
}

void TMainForm::RepListDblClick() {
    const QModelIndex index = RepList->indexAt(RepList->viewport()->mapFromGlobal(QCursor::pos()));
    if (!index.isValid()) return;
    Q_EMIT DetailsRequested(model_->ReplayAt(index.row()));
}

void TMainForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap& skin = skin_.pixmap(devicePixelRatioF());
    if (!skin.isNull()) painter.drawPixmap(0, 0, skin);
    PaintCreditLine(painter, MainCreditLine());
}

bool TMainForm::DragsWindowAt(QPoint point) const {
    if (FrameButtonAt(point)) return false;
    // The list and the scroll bar take their own presses.
    const QWidget* child = childAt(point);
    return child == nullptr || child->testAttribute(Qt::WA_TransparentForMouseEvents);
}

void TMainForm::mousePressEvent(QMouseEvent* event) {
    // While the window follows the pointer by hand, as while the window system drags it,
    // presses of the other buttons reach no button.
    if (drag_.MovingByHand()) return;
    const QPoint at = WholePixel(event->position());
    if (FrameButtonAt(at)) {
        skinPressed_ = true;
        BackgroundMouseDown(event->button(), event->modifiers(), at.x(), at.y());
        return;
    }
    // Nor does a button held on the skin let a press elsewhere move the window.
    if (skinPressed_ || !DragsWindowAt(at)) return;
    drag_.Press(*this, event);
}

void TMainForm::mouseMoveEvent(QMouseEvent* event) {
    drag_.Move(*this, event);
}

void TMainForm::mouseReleaseEvent(QMouseEvent* event) {
    if (drag_.Release(event)) return;
    if (!skinPressed_) return;
    if (event->buttons() == Qt::NoButton) skinPressed_ = false;
    const QPoint at = WholePixel(event->position());
    BackgroundMouseUp(event->button(), event->modifiers(), at.x(), at.y());
}

void TMainForm::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    DockDetailsWindow();
}

SkinPictureWidget* TMainForm::PressedLookOf(FrameButton button) const {
    switch (button) {
    case FrameButton::Close:
        return PushClose;
    case FrameButton::Minimise:
        return PushReduce;
    case FrameButton::History:
        return PushHisto;
    case FrameButton::Info:
        return PushInfo;
    }
    return nullptr;
}

void TMainForm::BackgroundMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y) {
    const auto button = FrameButtonAt(QPoint(X, Y));
    if (!button) return;
    SkinPictureWidget* look = PressedLookOf(*button);
    look->move(PressedLookPosition(*button));
    look->show();
}

void TMainForm::ParkPressedLooks() {
    for (SkinPictureWidget* look : {PushClose, PushReduce, PushHisto, PushInfo}) {
        look->hide();
        look->move(ml::ParkedPressedLook);
    }
}

void TMainForm::BackgroundMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y) {
    ParkPressedLooks();
    if (const auto button = FrameButtonAt(QPoint(X, Y))) PerformButton(*button);
}

void TMainForm::PerformButton(FrameButton button) {
    switch (button) {
    case FrameButton::Close:
        Terminate();
        break;
    case FrameButton::Minimise:
        // The details window, a tool window of this one, goes with it.
        showMinimized();
        break;
    case FrameButton::History:
        ShowAboutWindow(this, HistoryText(), HistoryCaption());
        break;
    case FrameButton::Info:
        ShowAboutWindow(this, CreditsText(ContactAddress()), CreditsCaption());
        break;
    }
}

#ifdef Q_OS_WIN
bool TMainForm::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    return AnswerGroundHitTest(*this, eventType, message, result,
                               [this](QPoint at) { return DragsWindowAt(at); }) ||
           QWidget::nativeEvent(eventType, message, result);
}
#endif
