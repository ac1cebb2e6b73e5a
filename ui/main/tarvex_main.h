// The main window: the skinned frame with the list of replays.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string_view>
#include <vector>

#include "read_errors.h"
#include "replay/replay_folder.h"
#include "ui/controls/skin_picture.h"

class QPainter;
class ReplayListModel;
class ReplayListView;

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

    ReplayListView* RepList = nullptr;
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

private:
    void SetUpList();
    void SetUpPressedLooks();
    void OnSelectionChanged();

    FolderFinder findFolder_;
    SkinPicture skin_;
    ReplayListModel* model_ = nullptr;
    std::vector<UnreadableFile> unreadable_;
    int lastSelectedRow_ = -1;
    QPointer<QWidget> detailsWindow_;
};

// The program's one main window (set as soon as it is created).
extern TMainForm* MainForm;
