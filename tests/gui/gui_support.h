// Helpers of the window tests: replay files to list, a fixed replay folder, and a watcher
// that notes and closes the message boxes the program shows (so they never block a test).
#pragma once

#include <QAbstractScrollArea>
#include <QMessageBox>
#include <QObject>
#include <QRgb>
#include <QSignalSpy>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "folder/replay_folder.h"
#include "ui/main/tarvex_main.h"

namespace guitest {

// A replay the reader accepts.
void WriteValidReplay(const std::filesystem::path& path);
// A file the reader lists as invalid (not a replay).
void WriteBrokenReplay(const std::filesystem::path& path);

// An uncompressed 24-bit TGA file, rows from the top, of pixels given by colour(x, y); with
// the footer of TGA 2.0, as the game's tools write them, or without, as older tools do.
std::string Tga(int width, int height, const std::function<QRgb(int, int)>& colour,
                bool footer = true);

// A folder finder that always answers `folder`.
FolderFinder FixedFolder(const std::filesystem::path& folder);

// The texts of the list's rows (the file names), first to last.
std::vector<QString> RowTexts(const TMainForm& form);

// A wheel turn as the window system delivers it: to the widget under the pointer, passed on
// to its parents while nobody takes it.
void TurnWheel(QWidget* over, int units);

// The single-line steps a scroll area's own bar is asked for.
class LineRequests {
public:
    explicit LineRequests(QAbstractScrollArea& area);
    // Steps since the last call, all one way: down positive, up negative.
    int take();

private:
    QSignalSpy spy_;
};

class ModalBoxWatcher : public QObject {
    Q_OBJECT
public:
    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };

    ModalBoxWatcher();
    const std::vector<Seen>& seen() const { return seen_; }

private:
    void poll();

    QTimer timer_;
    std::vector<Seen> seen_;
};

} // namespace guitest
