// The main window: the skinned frame with the list of replays.
#pragma once

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "folder/replay_folder.h"
#include "folder/replay_search.h"
#include "game/user_data.h"
#include "ui/common/ground_drag.h"
#include "ui/controls/flat_scrollbar_types.h"
#include "ui/controls/skin_picture.h"
#include "ui/controls/wheel_notches.h"
#include "ui/main/frame_buttons.h"
#include "ui/main/read_errors.h"

class QPainter;
class QWheelEvent;
class FilterField;
struct FilterEdit;
class ReplayListModel;
class ReplayListView;
class TFlatCustomScrollBar;
class TFlatScrollBar;

// Where the replays are: the game's folder from the registry, or the program's own.
using FolderFinder = std::function<ReplayFolderChoice()>;

class TMainForm : public QWidget {
    Q_OBJECT
public:
    explicit TMainForm(FolderFinder findFolder = FindReplayFolder, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The replay folder, the folders listed (the replay folder, then the game's archive folder
    // when there is one), one record per replay in the folders' order, and the game's user data
    // folder (empty when unknown); the details window reads them. The list shows a row per
    // record, or while filtered those that match.
    Text ReplayFolder;
    std::vector<ReplaySource> Sources;
    Text UserDataFolder;
    std::vector<TZH_replay> Replays;
    // While set, moves of the list's scroll bar are passed on to the list.
    bool ScrollSync = false;
    // The list's first visible row as last set through the scroll bar.
    int ListTop = 0;

    ReplayListView* RepList = nullptr;
    TFlatScrollBar* Scroll = nullptr;
    SkinPictureWidget* PushClose = nullptr;
    SkinPictureWidget* PushReduce = nullptr;
    SkinPictureWidget* PushHisto = nullptr;
    SkinPictureWidget* PushInfo = nullptr;
    // Over the list's bottom while a filter is typed.
    FilterField* FilterBox = nullptr;

    void FormCreate();
    void ApplyRoundedRegion();
    void LoadReplays(const std::vector<ReplaySource>& sources);
    void ScanFolders(const std::vector<ReplaySource>& sources, std::string_view mask);
    void AddReplay(ListedReplayFile& file);

    void RepListDrawItem(QPainter& canvas, int index, const QRect& rect, bool selected);
    void RepListClick();
    void RepListDblClick();

    // The list follows its scroll bar a line at a time.
    void ScrollScroll(TFlatCustomScrollBar* Sender, TScrollCode ScrollCode, int& ScrollPos);
    // One wheel notch towards the user (down) or away from the user (up).
    void FormMouseWheelDown();
    void FormMouseWheelUp();
    // The bar's range for the listed rows, back at the top.
    void ResetListScroll();

    // The selected row, or -1.
    int SelectedRow() const;
    // The replay the selected row shows, by its index in Replays, or -1.
    int SelectedReplay() const;

    // The filter: the text typed over the list, empty while its field is closed. Setting it
    // shows the replays it finds (all of them once it is empty), keeps the selected replay
    // if it is among them, else selects the first, and hides the details window if none is.
    const QString& FilterText() const { return filterText_; }
    void SetFilterText(const QString& text);
    // Shows exactly `replays` (indices into Replays, in increasing order), the filter's field
    // saying `label` (what they are, "Nic · tournament island") over them, the selection kept
    // or moved as the filter does. A key that edits the filter starts a new text (Backspace
    // and Escape give the whole list back); the main window comes forward, the list focused.
    void ShowGames(const QString& label, std::vector<int> replays);

    // A wheel turn over this window or over the details window, which never takes the
    // focus: either way it scrolls the list.
    void WheelTurned(QWheelEvent* event);

    // The skin's buttons: a press in a button area shows its pressed look; the release hides
    // them all and performs the action of the area it happens in, whatever the mouse button.
    void BackgroundMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int X, int Y);
    void BackgroundMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int X, int Y);
    // The close button's action: ends the program.
    std::function<void()> Terminate = [] { QCoreApplication::quit(); };
    // The details window that docks at this window's right edge (none until it exists).
    void SetDetailsWindow(QWidget* window);
    // Puts the details window 3 pixels into this window's right edge, tops aligned.
    void DockDetailsWindow();

Q_SIGNALS:
    // RepListClick: the selected replay changed. The details window takes it up from here
    // and the scroll bar keeps the row in view.
    void SelectedReplayChanged(int replay);
    // RepListDblClick found a row: the details window docks beside this one and shows it.
    void DetailsRequested(int replay);
    // Enter in the list: the match of the selected replay, in a window of its own.
    void MatchRequested(int replay);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // WMMove: the details window, shown or hidden, follows every move.
    void moveEvent(QMoveEvent* event) override;
#ifdef Q_OS_WIN
    // WMNCHitTest: the window system drags the window wherever the skin answers "caption".
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpList();
    void SetUpScrollBar();
    void SetUpFilterField();
    // A key or typed text on the list that edits the filter; false when it is the list's.
    bool EditFilter(const FilterEdit& edit);
    // The list shows `shown` (all replays when none), the field over it saying `text` (closed
    // when empty); the selected replay stays selected if shown, else the first shown is.
    void ShowRows(const QString& text, std::optional<std::vector<int>> shown);
    // Whole rows the list shows: one less while the filter's field covers its bottom.
    int VisibleRows() const;
    // The bar's range for the rows now shown, the list showing them from `top` on.
    void ShowRowsFrom(int top);
    // The bar follows a selected row that the list scrolled into view.
    void KeepSelectionInView();
    // The bar follows the list wherever it scrolled by itself.
    void FollowList(int top);
    void SetUpPressedLooks();
    void OnSelectionChanged();
    // True where a press on the window drags it: the skin outside the button areas.
    bool DragsWindowAt(QPoint point) const;
    void PerformButton(FrameButton button);
    void ParkPressedLooks();
    SkinPictureWidget* PressedLookOf(FrameButton button) const;

    FolderFinder findFolder_;
    SkinPicture skin_;
    ReplayListModel* model_ = nullptr;
    std::vector<UnreadableFile> unreadable_;
    // Each replay's text for the filter, made as it is read.
    ReplaySearch search_;
    QString filterText_;
    // The list shows ShowGames' replays, not what filterText_ finds.
    bool gamesShown_ = false;
    // True while a listing runs: nothing can be filtered yet.
    bool listing_ = false;
    int lastSelectedReplay_ = -1;
    // The bar is moving the list: the list's moves are the bar's own.
    bool barMovesList_ = false;
    // A press in a button area reached the skin; its release acts.
    bool skinPressed_ = false;
    GroundDrag drag_;
    WheelNotches wheelNotches_;
    QPointer<QWidget> detailsWindow_;
};

// The program's one main window (set as soon as it is created).
extern TMainForm* MainForm;
