#include "tests/gui/gui_support.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QScrollBar>
#include <QSpontaneKeyEvent>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "game/user_data.h"
#include "tests/support/replay_builder.h"
#include "ui/main/replay_list_view.h"

namespace rb = replay_builder;

namespace guitest {

void WriteValidReplay(const std::filesystem::path& path) {
    rb::Settings settings;
    settings.slots = {rb::Human("Alpha", "C0A80102", 0, 2, 0, -1), rb::Computer('H', 1, 3, 1, -1)};
    rb::Replay replay;
    replay.settings = rb::SettingsText(settings);
    rb::WriteFile(path.string(), rb::Bytes(replay));
}

void WriteBrokenReplay(const std::filesystem::path& path) {
    rb::WriteFile(path.string(), "not a replay at all");
}

std::string Tga(int width, int height, const std::function<QRgb(int, int)>& colour, bool footer) {
    std::string out(18, '\0');
    out[2] = 2; // true colour, uncompressed
    out[12] = static_cast<char>(width & 0xFF);
    out[13] = static_cast<char>(width >> 8);
    out[14] = static_cast<char>(height & 0xFF);
    out[15] = static_cast<char>(height >> 8);
    out[16] = 24;
    out[17] = 0x20; // first row at the top
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const QRgb c = colour(x, y);
            out += {static_cast<char>(qBlue(c)), static_cast<char>(qGreen(c)),
                    static_cast<char>(qRed(c))};
        }
    if (footer) out += std::string(8, '\0') + "TRUEVISION-XFILE." + std::string(1, '\0');
    return out;
}

FolderFinder FixedFolder(const std::filesystem::path& folder) {
    return [folder] { return ReplayFolderChoice{folder.string(), "fixed by the test", {}, {}}; };
}

std::vector<QString> RowTexts(const TMainForm& form) {
    std::vector<QString> texts;
    const QAbstractItemModel* model = form.RepList->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts.push_back(model->index(row, 0).data().toString());
    return texts;
}

void TurnWheel(QWidget* over, int units) {
    const QPoint at = over->rect().center();
    QWheelEvent wheel(at, over->mapToGlobal(at), QPoint(), QPoint(0, units), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    qApp->notify(over, &wheel);
}

LineRequests::LineRequests(QAbstractScrollArea& area)
    : spy_(area.verticalScrollBar(), &QAbstractSlider::actionTriggered) {}

int LineRequests::take() {
    int down = 0, up = 0;
    for (const QList<QVariant>& request : spy_) {
        const int action = request.at(0).toInt();
        if (action == QAbstractSlider::SliderSingleStepAdd)
            ++down;
        else if (action == QAbstractSlider::SliderSingleStepSub)
            ++up;
        else
            ADD_FAILURE() << "not a single-line step: action " << action;
    }
    EXPECT_TRUE(down == 0 || up == 0) << down << " down, " << up << " up";
    spy_.clear();
    return down - up;
}

ModalBoxWatcher::ModalBoxWatcher() {
    connect(&timer_, &QTimer::timeout, this, &ModalBoxWatcher::poll);
    timer_.start(5);
}

void ModalBoxWatcher::poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    seen_.push_back({box->windowTitle(), box->text(), box->icon()});
    box->done(QMessageBox::Ok);
}

} // namespace guitest
