#include "ui/details/details_form.h"

#include <QCursor>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>

#include "resources/pictures.h"
#include "ui/career/player_form.h"
#include "ui/common/contact_address.h"
#include "ui/common/error_box.h"
#include "ui/common/minimised_along.h"
#include "ui/common/pointer_position.h"
#include "ui/common/rounded_region.h"
#include "ui/common/window_placement.h"
#include "ui/details/details_layout.h"
#include "ui/details/details_painting.h"
#include "ui/details/map_panel.h"
#include "ui/details/map_picture.h"
#include "ui/details/player_rows.h"
#include "ui/details/player_tooltip.h"
#include "ui/details/players_list.h"
#include "ui/details/start_painting.h"
#include "ui/main/replay_list_view.h"
#include "ui/main/tarvex_main.h"
#include "ui/match/match_form.h"
#include "ui/match/match_layout.h"

TMoreForm* MoreForm = nullptr;

namespace dl = details_layout;

TMoreForm::TMoreForm(TMainForm& mainForm, InstallFinder findInstall, MatchReader readMatch)
    : QWidget(&mainForm, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      main_(mainForm), skin_(tarvex::pictures::kDetailsSkin), noMap_(tarvex::pictures::kNoMap),
      findInstall_(std::move(findInstall)), readMatch_(std::move(readMatch)) {
    setFixedSize(dl::WindowSize);
    setWindowTitle(QStringLiteral("MoreForm"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    for (const auto& icon : tarvex::pictures::kArmyIcons)
        Armies.emplace_back(icon);
    PlayersList = MakePlayersList(*this);
    PlayersList->viewport()->installEventFilter(this);
    Panel = new MapPanel(*this);
    Match = new TMatchForm(mainForm);
    new MinimisedAlong(*this, mainForm);
    Career = new TPlayerForm(mainForm);
    // The pointer shows which rows open a career.
    PlayersList->viewport()->setMouseTracking(true);
    setMouseTracking(true);
    FormCreate();
    connect(&main_, &TMainForm::SelectedReplayChanged, this, &TMoreForm::RefreshDetails);
    connect(&main_, &TMainForm::DetailsRequested, this, &TMoreForm::ShowDocked);
    connect(&main_, &TMainForm::MatchRequested, this, &TMoreForm::OpenMatch);
    main_.SetDetailsWindow(this);
}

TMoreForm::~TMoreForm() {
    if (MoreForm == this) MoreForm = nullptr;
}

void TMoreForm::FormCreate() {
    setMask(RoundedRegion(size(), dl::CornerEllipse));
    Background = SkinBackground(skin_, devicePixelRatioF());
    update();
}

const TZH_replay* TMoreForm::SelectedReplay() const {
    const int replay = main_.SelectedReplay();
    if (replay < 0 || static_cast<std::size_t>(replay) >= main_.Replays.size()) return nullptr;
    return &main_.Replays[static_cast<std::size_t>(replay)];
}

void TMoreForm::RefreshDetails() {
    // A hidden window looks nothing up for a selection it doesn't show (the filter moves it at
    // every keystroke): the details are made when it shows.
    if (!isVisible()) {
        selectionPending_ = true;
        return;
    }
    TakeUpSelection();
}

void TMoreForm::TakeUpPendingSelection() {
    if (selectionPending_) TakeUpSelection();
}

void TMoreForm::TakeUpSelection() {
    selectionPending_ = false;
    errorReported_ = false;
    ordersPending_ = false;
    try {
        showingError_ = false;
        QPainter painter(&Background);
        ClearPanel(painter);
        PlayersList->clear();
        panelRatio_ = 0;
        starts_.clear();
        marks_ = {};
        const TZH_replay* replay = SelectedReplay();
        if (replay && replay->valid) {
            PlayersList->show();
            // Whatever the rows' paints will need of the disk, but the map's picture file.
            Previews().Prepare(replay->map);
            const ReplayStarts starts = StartsOf(*replay, Caches());
            marks_ = MarksOf(*replay, starts);
            starts_ = starts.players;
            for (const int player : PlayerRowIndices(*replay))
                PlayersList->addItem(QString::number(player));
            // The orders are read when a tooltip is first asked for: a selection moved along
            // the list, with the details window hidden or not, reads no whole file.
            SetTooltips(*replay, std::nullopt);
            ordersPending_ = true;
        } else {
            PlayersList->hide();
            if (replay) {
                PaintErrorMessage(painter, ContactAddress());
                showingError_ = true;
            }
        }
    } catch (...) {
        ReportError(std::current_exception());
    }
    // The pointer still on the picture shows the new replay's map.
    if (pointerOnPicture_)
        ShowMapPanel(QCursor::pos());
    else
        Panel->hide();
    update();
}

void TMoreForm::SetTooltips(const TZH_replay& replay, const std::optional<MatchOrders>& match) {
    for (int index = 0; index < PlayersList->count(); ++index) {
        QListWidgetItem* row = PlayersList->item(index);
        row->setToolTip(PlayerTooltip(replay, row->text().toULongLong(), starts_, match));
    }
}

void TMoreForm::AddOrdersToTooltips() {
    if (!ordersPending_) return;
    ordersPending_ = false;
    try {
        const TZH_replay* replay = SelectedReplay();
        if (!replay) return;
        if (const std::optional<MatchOrders> match = ReadOrders(*replay))
            SetTooltips(*replay, match);
    } catch (...) {
        ReportError(std::current_exception());
    }
}

std::optional<MatchOrders> TMoreForm::ReadOrders(const TZH_replay& replay) const {
    try {
        return readMatch_ ? readMatch_(replay) : std::nullopt;
    } catch (const std::exception&) {
        // A file gone or changed since the scan: the header still says what it can.
        return std::nullopt;
    }
}

void TMoreForm::PlayersListDrawItem(QPainter& canvas, int index, const QRect& rect, QStyle::State) {
    try {
        ReturnFocusToList();
        const TZH_replay* replay = SelectedReplay();
        const QListWidgetItem* item = PlayersList->item(index);
        bool isNumber = false;
        const int player = item ? item->text().toInt(&isNumber) : -1;
        if (!replay || !isNumber || player < 0 ||
            static_cast<std::size_t>(player) >= replay->players.size()) {
            canvas.fillRect(rect, dl::Black);
            return;
        }
        PaintPlayerRow(canvas, replay->players[static_cast<std::size_t>(player)], rect, Armies);
        QPainter header(&Background);
        // The map picture file is looked up again with every row; the game's previews are kept.
        const MapPicture picture = PictureForMap(main_.ReplayFolder, replay->map, Previews(),
                                                 Background.devicePixelRatio());
        PaintHeader(header, *replay, picture, noMap_);
        header.setClipRect(dl::HeaderArea);
        PaintStartDiscs(header, marks_, picture.mapArea.translated(dl::MapPictureAt), HeaderDisc);
        // The header lies above the list: repainting it repaints no row.
        update(dl::HeaderArea);
    } catch (...) {
        ReportError(std::current_exception());
    }
}

MapPreviews& TMoreForm::Previews() {
    FollowReplayFolder();
    return *previews_;
}

MapCaches& TMoreForm::Caches() {
    FollowReplayFolder();
    return *caches_;
}

void TMoreForm::FollowReplayFolder() {
    if (previews_ && previewsFolder_ == main_.ReplayFolder) return;
    // One look for the installation serves the previews and the caches.
    auto install = std::make_shared<std::optional<GameInstall>>();
    const InstallFinder once = [find = findInstall_, install] {
        if (!*install) *install = find ? find() : GameInstall{};
        return **install;
    };
    previews_.emplace(MapPreviewFinder(main_.UserDataFolder, once));
    caches_.emplace(main_.UserDataFolder, once);
    previewsFolder_ = main_.ReplayFolder;
}

void TMoreForm::mouseMoveEvent(QMouseEvent* event) {
    const QRect mapCell(dl::MapPictureAt, dl::MapPictureSize);
    if (mapCell.contains(WholePixel(event->position())) && MapPictureShown()) {
        setCursor(Qt::PointingHandCursor);
        pointerOnPicture_ = true;
        ShowMapPanel(WholePixel(event->globalPosition()));
    } else {
        unsetCursor();
        LeaveMapPicture();
    }
}

bool TMoreForm::MapPictureShown() const {
    const TZH_replay* replay = SelectedReplay();
    // The header, and so the picture, is drawn only with a player's row.
    return replay && replay->valid && PlayersList->count() > 0;
}

void TMoreForm::OpenMatch() {
    TakeUpPendingSelection();
    const TZH_replay* replay = SelectedReplay();
    if (!replay || !replay->valid) return;
    try {
        Panel->hide();
        MatchOpening opening;
        opening.replay = *replay;
        opening.data = CourseDataOf(*replay);
        // Read once, here: the window reads nothing more while it is open.
        opening.match = ReadOrders(*replay);
        if (const ReplayStarts starts = StartsOf(*replay, Caches()); starts.map)
            opening.extent = starts.map->entry->extent;
        MapPicture picture =
            FittedPictureForMap(main_.ReplayFolder, replay->map, Previews(),
                                Match->RatioAtOpening(), match_layout::MapCell.size());
        opening.picture = std::move(picture.image);
        opening.mapArea = picture.mapArea;
        opening.starts = marks_;
        Match->Open(std::move(opening), ShownWindows());
    } catch (...) {
        ReportError(std::current_exception());
    }
}

std::vector<QRect> TMoreForm::ShownWindows() const {
    std::vector<QRect> shown{main_.frameGeometry()};
    for (const QWidget* window :
         {static_cast<const QWidget*>(this), static_cast<const QWidget*>(Match),
          static_cast<const QWidget*>(Career)})
        if (window->isVisible()) shown.push_back(window->frameGeometry());
    return shown;
}

int TMoreForm::CareerRowAt(QPoint at) const {
    const TZH_replay* replay = SelectedReplay();
    const QListWidgetItem* item = PlayersList->itemAt(at);
    if (!replay || !item) return -1;
    bool isNumber = false;
    const int player = item->text().toInt(&isNumber);
    if (!isNumber || player < 0 || static_cast<std::size_t>(player) >= replay->players.size() ||
        !PlaysTheMatch(replay->players[static_cast<std::size_t>(player)]))
        return -1;
    return PlayersList->row(item);
}

void TMoreForm::OpenCareer(int row) {
    const TZH_replay* replay = SelectedReplay();
    const QListWidgetItem* item = PlayersList->item(row);
    if (!replay || !item) return;
    const std::size_t player = item->text().toULongLong();
    if (player >= replay->players.size()) return;
    try {
        Career->Open(replay->players[player].name, ShownWindows());
    } catch (...) {
        ReportError(std::current_exception());
    }
}

void TMoreForm::leaveEvent(QEvent*) {
    LeaveMapPicture();
}

void TMoreForm::showEvent(QShowEvent*) {
    TakeUpPendingSelection();
}

void TMoreForm::hideEvent(QHideEvent*) {
    LeaveMapPicture();
}

void TMoreForm::LeaveMapPicture() {
    pointerOnPicture_ = false;
    Panel->hide();
}

void TMoreForm::ShowMapPanel(QPoint pointer) {
    const TZH_replay* replay = SelectedReplay();
    // The header, and so the picture, is drawn only with a player's row; nor is it shown while
    // the match window shows the map larger still.
    if (!MapPictureShown() || Match->isVisible()) return Panel->hide();
    try {
        QScreen* screen = ScreenNearest(pointer);
        const qreal ratio = screen ? screen->devicePixelRatio() : devicePixelRatioF();
        if (Panel->isVisible() && panelRatio_ == ratio && Panel->screen() == screen) return;
        if (panelRatio_ != ratio) {
            MapPicture picture = FittedPictureForMap(main_.ReplayFolder, replay->map, Previews(),
                                                     ratio, PanelMapSize);
            Panel->SetContent(std::move(picture.image), picture.mapArea, marks_);
            panelRatio_ = ratio;
        }
        if (Panel->Map().isNull() && marks_.spots.empty()) return Panel->hide(); // nothing larger
        Panel->ShowBeside(frameGeometry(), main_.frameGeometry(), screen);
    } catch (...) {
        ReportError(std::current_exception());
    }
}

void TMoreForm::FormPaint() {
    ReturnFocusToList();
}

void TMoreForm::paintEvent(QPaintEvent*) {
    FormPaint();
    const qreal ratio = devicePixelRatioF();
    if (Background.devicePixelRatio() != ratio) {
        // Another screen: the skin again at its ratio; the rows draw the header again.
        Background = SkinBackground(skin_, ratio);
        if (showingError_) {
            QPainter painter(&Background);
            ClearPanel(painter);
            PaintErrorMessage(painter, ContactAddress());
        }
    }
    QPainter painter(this);
    painter.drawImage(0, 0, Background);
}

void TMoreForm::BackgroundMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
    if (dl::CloseGlyphArea.contains(x, y)) close();
    if (button == Qt::LeftButton && QRect(dl::MapPictureAt, dl::MapPictureSize).contains(x, y) &&
        MapPictureShown())
        OpenMatch();
}

void TMoreForm::mousePressEvent(QMouseEvent* event) {
    BringMainForward();
    event->accept();
}

void TMoreForm::BringMainForward() {
    main_.raise();
    raise(); // docked over the main window's edge
    main_.activateWindow();
    if (main_.RepList) main_.RepList->setFocus(Qt::MouseFocusReason);
}

void TMoreForm::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = WholePixel(event->position());
    BackgroundMouseUp(event->button(), event->modifiers(), at.x(), at.y());
}

void TMoreForm::ShowDocked() {
    main_.DockDetailsWindow();
    show();
}

void TMoreForm::ReturnFocusToList() {
    QWidget* list = main_.RepList;
    if (!list || list->hasFocus()) return;
    list->setFocus(Qt::OtherFocusReason);
    // Only when this window took the activation: never from another program.
    if (isActiveWindow()) main_.activateWindow();
}

void TMoreForm::wheelEvent(QWheelEvent* event) {
    main_.WheelTurned(event);
}

bool TMoreForm::eventFilter(QObject* watched, QEvent* event) {
    // Before the list answers the request with a row's tooltip.
    if (event->type() == QEvent::ToolTip && watched == PlayersList->viewport())
        AddOrdersToTooltips();
    const bool press =
        event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    if (watched == PlayersList->viewport() && event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        if (CareerRowAt(WholePixel(move->position())) >= 0)
            PlayersList->viewport()->setCursor(Qt::PointingHandCursor);
        else
            PlayersList->viewport()->unsetCursor();
    }
    if (watched == PlayersList->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* release = static_cast<QMouseEvent*>(event);
        if (release->button() == Qt::LeftButton)
            if (const int row = CareerRowAt(WholePixel(release->position())); row >= 0)
                OpenCareer(row);
    }
    if (press && watched == PlayersList->viewport()) BringMainForward();
    // The rows are a window of their own: the pointer going onto them leaves the picture
    // without a move of this window's.
    if (event->type() == QEvent::Enter && watched == PlayersList->viewport()) LeaveMapPicture();
    if (event->type() == QEvent::Wheel && watched == PlayersList->viewport()) {
        main_.WheelTurned(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TMoreForm::ReportError(const std::exception_ptr& error) {
    if (errorReported_) return;
    errorReported_ = true;
    const QString text = ErrorText(error);
    QMetaObject::invokeMethod(
        this, [this, text] { ShowErrorBox(text, &main_); }, Qt::QueuedConnection);
}
