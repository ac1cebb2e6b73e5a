// What browsing many maps costs in memory: 300 replays, each on another map of the player's own
// with its 128 x 128 preview, selected one after the other in the shown details window, the
// pointer resting on the map picture so the larger map is made too. Prints the process's peak
// resident memory after the first selection and after the last one. Run it at
// QT_SCALE_FACTOR=2 for the pictures of a high-resolution screen.
#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>

#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "bench/bench_folder.h"
#include "resources/pictures.h"
#include "tests/support/replay_builder.h"
#include "ui/common/fonts.h"
#include "ui/details/details_form.h"
#include "ui/details/details_layout.h"
#include "ui/details/map_panel.h"
#include "ui/main/replay_list_view.h"
#include "ui/main/tarvex_main.h"

namespace fs = std::filesystem;
namespace rb = replay_builder;

namespace {

constexpr int MapCount = 300;

// The user data folder: Replays/ with one replay per map, Maps/NAME/NAME.tga for each.
void MakeUserData(const fs::path& data) {
    fs::create_directories(data / "Replays");
    for (int i = 0; i < MapCount; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "custom %03d", i);
        fs::create_directories(data / "Maps" / name);
        std::ofstream(data / "Maps" / name / (std::string(name) + ".tga"), std::ios::binary)
            << bench::Preview(i);
        rb::Settings settings;
        settings.mapPath = std::string("userdata/maps/") + name;
        settings.slots = {rb::Human("Un", "0A000001", 0, 2, -1, -1),
                          rb::Human("Deux", "0A000002", 1, 3, -1, -1)};
        rb::Replay replay;
        replay.settings = rb::SettingsText(settings);
        rb::WriteFile((data / "Replays" / (std::string(name) + ".rep")).string(),
                      rb::Bytes(replay));
    }
}

double PeakMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024; // KiB on Linux
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform's complaints (no masks, no raising) are no figures.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication application(argc, argv);
    tarvex::pictures::ensureLoaded();
    RegisterFallbackFonts();
    const bench::ScratchFolder scratchFolder("tarvex-map-memory-");
    const fs::path& scratch = scratchFolder.path();
    MakeUserData(scratch);
    {
        TMainForm main([folder = (scratch / "Replays").string(), userData = scratch.string()] {
            return ReplayFolderChoice{folder, "bench", userData, {}};
        });
        auto* details = new TMoreForm(main, [] { return GameInstall{}; });
        main.show();
        details->show();
        QCoreApplication::processEvents();
        const QPoint onPicture =
            details_layout::MapPictureAt + QPoint(details_layout::MapPictureSize.width() / 2,
                                                  details_layout::MapPictureSize.height() / 2);
        double first = 0;
        int panels = 0; // selections that showed the larger map
        for (int row = 0; row < static_cast<int>(main.Replays.size()); ++row) {
            main.RepList->setCurrentIndex(main.RepList->model()->index(row, 0));
            QCoreApplication::processEvents();
            details->PlayersList->viewport()->repaint();
            // Sent, not moved: the offscreen platform misplaces a moved pointer at ratio 2.
            QMouseEvent rest(QEvent::MouseMove, onPicture, details->mapToGlobal(onPicture),
                             Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(details, &rest);
            if (details->Panel->isVisible()) ++panels;
            if (row == 0) first = PeakMiB();
        }
        std::cout << main.Replays.size() << " maps, pixel ratio " << details->devicePixelRatioF()
                  << ", the larger map shown " << panels << " times"
                  << "\npeak resident memory after the first: " << first
                  << " MiB\npeak resident memory after the last:  " << PeakMiB() << " MiB\n";
    }
    return 0;
}
