#include "tarvex_main.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>

#include "credit_line.h"
#include "error_box.h"
#include "fonts.h"
#include "main_layout.h"
#include "replay/GR_Utils.h"
#include "replay/zerohour.h"
#include "replay_list_model.h"
#include "replay_list_view.h"
#include "rounded_region.h"
#include "row_look.h"

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
    // The pressed looks lie above the skin, the list above them.
    SetUpPressedLooks();
    SetUpList();
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
    RepList->setItemDelegate(new RepListDelegate(*this, RepList));
    model_ = new ReplayListModel(Replays, this);
    RepList->setModel(model_);
    connect(RepList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TMainForm::OnSelectionChanged);
    connect(RepList, &ReplayListView::doubleClickedAnywhere, this, &TMainForm::RepListDblClick);
    // The list is the window's only focus widget.
    RepList->setFocus();
}

void TMainForm::FormCreate() {
    try {
        ApplyRoundedRegion();
        ScrollSync = true;
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
    Replays.clear();
    unreadable_.clear();
    model_->clear();
    ScanFolder(folder, ReplayFileMask);
    // All rows at once, after the scan.
    model_->showAll();
    // No row is current either, so the first Down key selects the first row.
    RepList->setCurrentIndex(QModelIndex());
    lastSelectedRow_ = -1;
    // The list's flat scroll bar, once it has one, is reset for the new row count here.
    // One box for all the files that could not be read; they are listed as invalid.
    if (!unreadable_.empty()) ShowErrorBox(UnreadableFilesMessage(unreadable_), this);
}

void TMainForm::ScanFolder(const Text& folder, std::string_view mask) {
    ForEachReplayFile(
        folder, mask, [this](const Text& path) { AddReplay(path); },
        [] { QCoreApplication::processEvents(); },
        // Room for every record at once: no copying while the sequence grows, less memory.
        [this](std::size_t entries) { Replays.reserve(Replays.size() + entries); });
}

void TMainForm::AddReplay(const Text& path) {
    try {
        Replays.push_back(ReadReplay(path));
    } catch (const ReplayReadError& error) {
        // One unreadable file must not empty the whole list: keep it as an invalid row.
        TZH_replay record;
        record.file.path = path;
        record.file.name = FileNamePart(path);
        record.file.size = FileSizeByName(path);
        record.valid = false;
        unreadable_.push_back(
            {ReplayListModel::FileNameText(record.file.name), QString::fromUtf8(error.reason())});
        Replays.push_back(std::move(record));
    }
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
