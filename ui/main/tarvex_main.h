// The main window: the skinned frame with the list of replays.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string_view>
#include <vector>

#include "read_errors.h"
#include "replay/replay_folder.h"
#include "ui/controls/flat_scrollbar_types.h"
#include "ui/controls/skin_picture.h"
#include "ui/controls/wheel_notches.h"

class QPainter;
class QWheelEvent;
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

    // The listed folder and one record per list row, in the same order; the details
    // window reads both.
    Text ReplayFolder;
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

    void FormCreate();
    void ApplyRoundedRegion();
    void LoadReplayFolder(const Text& folder);
    void ScanFolder(const Text& folder, std::string_view mask);
    void AddReplay(const Text& path);

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

    // The details window that docks at this window's right edge (none until it exists).
    void SetDetailsWindow(QWidget* window);
    // Puts the details window 3 pixels into this window's right edge, tops aligned.
    void DockDetailsWindow();

Q_SIGNALS:
    // RepListClick: the selected replay changed. The details window takes it up from here
    // and the scroll bar keeps the row in view.
    void SelectedReplayChanged(int row);
    // RepListDblClick found a row: the details window docks beside this one and shows it.
    void DetailsRequested(int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpList();
    void SetUpScrollBar();
    // The bar follows a selected row that the list scrolled into view.
    void KeepSelectionInView();
    void WheelTurned(QWheelEvent* event);
    void SetUpPressedLooks();
    void OnSelectionChanged();

    FolderFinder findFolder_;
    SkinPicture skin_;
    ReplayListModel* model_ = nullptr;
    std::vector<UnreadableFile> unreadable_;
    int lastSelectedRow_ = -1;
    WheelNotches wheelNotches_;
    QPointer<QWidget> detailsWindow_;
};

// The program's one main window (set as soon as it is created).
extern TMainForm* MainForm;
