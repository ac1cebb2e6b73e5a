// The details window: a narrow skinned panel docked at the main window's right edge that
// shows the replay selected in the main list (map, version, length, money, rules, players).
#pragma once

#include <QImage>
#include <QStyle>
#include <QWidget>
#include <exception>
#include <functional>
#include <optional>
#include <vector>

#include "game/game_install.h"
#include "game/map_caches.h"
#include "game/map_pictures.h"
#include "orders/match.h"
#include "replay/zerohour_intf.h"
#include "ui/controls/skin_picture.h"
#include "ui/details/map_preview.h"
#include "ui/details/start_marks.h"

class MapPanel;
class TMatchForm;
class TPlayerForm;
class QListWidget;
class TMainForm;

// Reads what happened in a replay's match (ReadMatch in the program).
using MatchReader = std::function<std::optional<MatchOrders>(const TZH_replay&)>;

class TMoreForm : public QWidget {
    Q_OBJECT
public:
    // A hidden tool window of `mainForm`: no task-bar entry, never the keyboard focus, and
    // gone while the main window is minimised. It follows the main list's selection and
    // shows, docked, on a double click on a row. findInstall tells where the game is
    // installed, for its maps' previews and caches; it runs once, when the first map that
    // needs it is selected. readMatch reads the orders of the selected replay for the rows'
    // tooltips, at most once per selection, when the first of them is asked for.
    explicit TMoreForm(
        TMainForm& mainForm, InstallFinder findInstall = FindGameInstall,
        MatchReader readMatch = [](const TZH_replay& replay) { return ReadMatch(replay); });
    ~TMoreForm() override;

    // The skin, with the header or the error message painted into it. Held at the screen's
    // pixel ratio, so the texts are sharp on high-resolution screens.
    QImage Background;
    // One row per participant who is not an observer; a row's text is the participant's
    // position in the replay's players, its tooltip what became of him.
    QListWidget* PlayersList = nullptr;
    // The army icons, in the order of ArmyNames; the last one is the question mark.
    std::vector<SkinPicture> Armies;
    // The larger map, shown while the pointer rests on the map picture.
    MapPanel* Panel = nullptr;
    // Where the selected replay's players started, drawn on the map picture and the panel.
    const MapMarks& StartMarks() const { return marks_; }
    // The match of the selected replay, opened by a click on the map picture or Enter in the
    // main list.
    TMatchForm* Match = nullptr;
    // The career of a human player, opened by a click on his row.
    TPlayerForm* Career = nullptr;

    void FormCreate();
    // Takes up the replay selected in the main list; while hidden, only when it shows.
    void RefreshDetails();
    // Reads the selected replay's orders and opens its match window (a valid replay only).
    void OpenMatch();
    // Opens the career of the player of a row (a human who plays; computers have none).
    void OpenCareer(int row);
    void FormPaint();
    void BackgroundMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    // Draws one row and then the whole header (the row's state changes nothing).
    void PlayersListDrawItem(QPainter& canvas, int index, const QRect& rect, QStyle::State state);

protected:
    void paintEvent(QPaintEvent* event) override;
    // A press anywhere on the window brings the program forward, the list focused.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The wheel over the header or the rows scrolls the main list, as over the list itself.
    void wheelEvent(QWheelEvent* event) override;
    // The pointer on the map picture shows the larger map; anywhere else hides it.
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Looks up and paints what the selected replay shows: its map data, its rows.
    void TakeUpSelection();
    // The same, when the selection changed while the window was hidden.
    void TakeUpPendingSelection();
    // The record of the main list's selected row; null when none is selected.
    const TZH_replay* SelectedReplay() const;
    // The selected replay's orders; none when they can't be read (the tooltips say less).
    std::optional<MatchOrders> ReadOrders(const TZH_replay& replay) const;
    // Each row's tooltip: what the header says of its player, and the orders when read.
    void SetTooltips(const TZH_replay& replay, const std::optional<MatchOrders>& match);
    // Reads the selected replay's orders into the tooltips, if not done for this selection.
    void AddOrdersToTooltips();
    void ShowDocked();
    void ReturnFocusToList();
    // This window never takes the focus: a press on it activates the main window instead.
    void BringMainForward();
    // Errors met while drawing are shown once, after the paint, never thrown into it.
    void ReportError(const std::exception_ptr& error);
    // The game's map previews and map caches for the folder the main window lists, made at
    // the first selection that needs them.
    MapPreviews& Previews();
    MapCaches& Caches();
    void FollowReplayFolder();
    // The larger map for the selection, on the screen under the pointer at `pointer` (on the
    // desktop); its picture is made at the first showing, at that screen's ratio. Hidden when
    // there is nothing larger to show.
    void ShowMapPanel(QPoint pointer);
    void LeaveMapPicture();
    // The map picture is drawn, and opens the match on a click.
    bool MapPictureShown() const;
    // The row under a point of the list's viewport whose player has a career, else -1; its
    // pointer is then a hand.
    int CareerRowAt(QPoint at) const;
    // The main window's frame, then those of the program's other windows shown: a window of
    // its own opens beside them.
    std::vector<QRect> ShownWindows() const;

    TMainForm& main_;
    SkinPicture skin_;
    SkinPicture noMap_;
    bool showingError_ = false;
    bool errorReported_ = false;
    bool ordersPending_ = false;   // the selection's orders are still to be read
    bool selectionPending_ = true; // the selection is still to be taken up
    InstallFinder findInstall_;
    MatchReader readMatch_;
    std::optional<MapPreviews> previews_;
    std::optional<MapCaches> caches_;
    Text previewsFolder_;
    std::vector<PlayerStart> starts_; // the selection's, one per player
    MapMarks marks_;
    qreal panelRatio_ = 0;          // of the selection's picture in the panel; 0: not made yet
    bool pointerOnPicture_ = false; // the pointer rests on the map picture
};

// The program's one details window (set by the program entry).
extern TMoreForm* MoreForm;
