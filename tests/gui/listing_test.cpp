// What the main window lists: one row per *.rep entry, in the folder's order, the unreadable
// ones kept as invalid rows, and the error boxes of a failed start.
#include <QCoreApplication>
#include <QEvent>
#include <cerrno>
#include <cstring>
#include <filesystem>
#ifndef _WIN32
#include <sys/stat.h>
#endif
#include <gtest/gtest.h>

#include "game/user_data.h"
#include "platform/game_identity.h"
#include "platform/platform.h"
#include "replay/zerohour.h"
#include "tests/gui/gui_support.h"
#include "tests/support/temp_dir.h"
#include "ui/main/replay_list_view.h"

namespace fs = std::filesystem;
using guitest::FixedFolder;
using guitest::ModalBoxWatcher;
using guitest::RowTexts;
using guitest::WriteBrokenReplay;
using guitest::WriteValidReplay;

namespace {

QString Q(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// The folder's *.rep entries that are not folders, in the order the platform lists them.
std::vector<std::string> ListedNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : platform::ListDirectory(folder.string(), "*.rep"))
        if (!entry.isDirectory) names.push_back(entry.name);
    return names;
}

class CountingObject : public QObject {
public:
    int count = 0;
    bool event(QEvent* event) override {
        if (event->type() != QEvent::User) return QObject::event(event);
        ++count;
        return true;
    }
};

} // namespace

TEST(Listing, RowsFollowTheFolderOrderWithNamesAndExtensions) {
    testsupport::TempDir dir;
    for (const char* name :
         {"zulu.rep", "alpha.rep", "Mike 2v2.rep", "Été à Paris.rep", "UPPER.REP"})
        WriteValidReplay(dir / name);
    WriteBrokenReplay(dir / "broken.rep");
    WriteValidReplay(dir / "notes.txt");
    WriteValidReplay(dir / "x.rep.bak");

    ModalBoxWatcher boxes;
    TMainForm form(FixedFolder(dir.path()));

    const std::vector<std::string> listed = ListedNames(dir.path());
    ASSERT_EQ(listed.size(), 6u);
    ASSERT_EQ(form.Replays.size(), listed.size());
    const std::vector<QString> rows = RowTexts(form);
    ASSERT_EQ(rows.size(), listed.size());
    for (std::size_t i = 0; i < listed.size(); ++i) {
        const TZH_replay& replay = form.Replays[i];
        EXPECT_EQ(replay.file.name, listed[i]);
        EXPECT_EQ(replay.file.path, platform::JoinPath(dir.str(), listed[i]));
        // The row's text is the file name alone; "INVALID: " is only drawn.
        EXPECT_EQ(rows[i], Q(listed[i]));
        EXPECT_EQ(replay.valid, listed[i] != "broken.rep") << listed[i];
    }
    EXPECT_EQ(form.ReplayFolder, dir.str());
    EXPECT_TRUE(boxes.seen().empty());
}

// The archive folder after the replay folder: its files named as the game writes their path (an
// unreadable one too), read from the real one, and found by the filter.
TEST(Listing, TheArchiveFolderFollowsTheReplayFolder) {
    testsupport::TempDir dir;
    fs::create_directory(dir / "Replays");
    fs::create_directory(dir / "Archive");
    WriteValidReplay(dir / "Replays" / "00000000.rep");
    WriteValidReplay(dir / "Archive" / "20251016_203000.rep");
#ifndef _WIN32
    fs::create_symlink(dir / "gone", dir / "Archive" / "20251018_090000.rep");
#endif
    ModalBoxWatcher boxes;
    TMainForm form([&dir] {
        return ReplayFolderChoice{(dir / "Replays").string(), "", {}, (dir / "Archive").string()};
    });
    EXPECT_EQ(RowTexts(form).front(), QStringLiteral("00000000.rep"));
    form.SetFilterText(QStringLiteral("archivedreplays 20251016"));
    EXPECT_EQ(RowTexts(form), std::vector{QStringLiteral("ArchivedReplays\\20251016_203000.rep")});
    EXPECT_EQ(form.Replays.at(std::size_t(form.SelectedReplay())).file.path,
              (dir / "Archive" / "20251016_203000.rep").string());
#ifndef _WIN32
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_TRUE(
        boxes.seen()[0].text.contains(QStringLiteral("\nArchivedReplays\\20251018_090000.rep : ")));
#endif
}

TEST(Listing, FolderWithATrailingSeparatorListsTheSame) {
    testsupport::TempDir dir;
    WriteValidReplay(dir / "one.rep");
    WriteValidReplay(dir / "two.rep");
    TMainForm plain(FixedFolder(dir.path()));
    TMainForm trailing(FixedFolder(dir.str() + std::string(1, platform::PathSeparator)));
    EXPECT_EQ(RowTexts(plain), RowTexts(trailing));
    ASSERT_EQ(trailing.Replays.size(), 2u);
    EXPECT_EQ(trailing.Replays[0].file.path, plain.Replays[0].file.path);
}

TEST(Listing, NothingToListGivesNoRows) {
    struct Case {
        const char* what;
        void (*fill)(const fs::path&);
    };
    const Case cases[] = {
        {"empty folder", [](const fs::path&) {}},
        {"other files only", [](const fs::path& d) { WriteValidReplay(d / "replay.txt"); }},
        {"a sub-folder named x.rep", [](const fs::path& d) { fs::create_directory(d / "x.rep"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::TempDir dir;
        c.fill(dir.path());
        ModalBoxWatcher boxes;
        TMainForm form(FixedFolder(dir.path()));
        EXPECT_TRUE(form.Replays.empty());
        EXPECT_EQ(form.RepList->model()->rowCount(), 0);
        EXPECT_EQ(form.ReplayFolder, dir.str());
        EXPECT_TRUE(boxes.seen().empty());
    }
}

TEST(Listing, HiddenReplaysAreListed) {
    testsupport::TempDir dir;
    WriteValidReplay(dir / ".cachee.rep");
    TMainForm form(FixedFolder(dir.path()));
    EXPECT_EQ(RowTexts(form), std::vector<QString>{QStringLiteral(".cachee.rep")});
}

TEST(Listing, ServicesPendingEventsOncePerEntry) {
    struct Case {
        const char* what;
        void (*fill)(const fs::path&);
        int serviced;
    };
    const Case cases[] = {
        {"empty folder", [](const fs::path&) {}, 0},
        {"one replay", [](const fs::path& d) { WriteValidReplay(d / "a.rep"); }, 1},
        // Folders matching the mask are entries too, though they give no row.
        {"one folder named x.rep", [](const fs::path& d) { fs::create_directory(d / "x.rep"); }, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::TempDir dir;
        c.fill(dir.path());
        CountingObject receiver;
        QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
        TMainForm form(FixedFolder(dir.path()));
        EXPECT_EQ(receiver.count, c.serviced);
        QCoreApplication::removePostedEvents(&receiver);
    }
}

TEST(Listing, TheMainWindowIsKnownToEventsServicedDuringTheScan) {
    testsupport::TempDir dir;
    WriteValidReplay(dir / "a.rep");
    struct Probe : QObject {
        TMainForm* seen = nullptr;
        bool event(QEvent* event) override {
            if (event->type() != QEvent::User) return QObject::event(event);
            seen = MainForm;
            return true;
        }
    } probe;
    QCoreApplication::postEvent(&probe, new QEvent(QEvent::User));
    TMainForm form(FixedFolder(dir.path()));
    EXPECT_EQ(probe.seen, &form);
}

#ifndef _WIN32
// POSIX only: dangling links, link loops and fifos are objects of POSIX file systems (the
// Windows file layer's refusals are held by the Windows suite's file tests).
// A dangling link and a link to itself can't be opened by anyone, root included (file
// permissions wouldn't stop root from reading).
TEST(Listing, UnreadableFilesStayInTheListAndAreNamedInOneBox) {
    testsupport::TempDir dir;
    WriteValidReplay(dir / "a.rep");
    fs::create_symlink(dir / "gone-away", dir / "dangling.rep");
    fs::create_symlink(dir / "loop.rep", dir / "loop.rep");
    ASSERT_EQ(::mkfifo((dir / "pipe.rep").c_str(), 0644), 0);
    WriteBrokenReplay(dir / "b.rep");

    ModalBoxWatcher boxes;
    TMainForm form(FixedFolder(dir.path()));

    const std::vector<std::string> listed = ListedNames(dir.path());
    ASSERT_EQ(form.Replays.size(), 5u);
    ASSERT_EQ(listed.size(), 5u);
    for (std::size_t i = 0; i < listed.size(); ++i) {
        const TZH_replay& replay = form.Replays[i];
        EXPECT_EQ(replay.file.name, listed[i]);
        EXPECT_EQ(replay.file.path, platform::JoinPath(dir.str(), listed[i]));
        EXPECT_EQ(replay.valid, listed[i] == "a.rep");
        if (listed[i] == "dangling.rep" || listed[i] == "loop.rep") {
            EXPECT_EQ(replay.file.size, 0);
        }
    }
    EXPECT_EQ(form.RepList->model()->rowCount(), 5);

    ASSERT_EQ(boxes.seen().size(), 1u);
    const auto& box = boxes.seen().front();
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.title, QStringLiteral("Tarvex"));
    const QStringList lines = box.text.split(QLatin1Char('\n'));
    EXPECT_TRUE(lines.contains(QStringLiteral("dangling.rep : ") +
                               QString::fromLocal8Bit(std::strerror(ENOENT))))
        << box.text.toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("loop.rep : ") +
                               QString::fromLocal8Bit(std::strerror(ELOOP))))
        << box.text.toStdString();
    EXPECT_EQ(lines.filter(QStringLiteral("pipe.rep : ")).size(), 1) << box.text.toStdString();
    EXPECT_EQ(lines.size(), 4);
}
#endif

TEST(Listing, WrongRegistryTypeShowsTheErrorAndListsNothing) {
    testsupport::TempDir dir;
    WriteValidReplay(dir / "a.rep");
    int asked = 0;
    const FolderFinder throwing = [&]() -> ReplayFolderChoice {
        ++asked;
        throw RegistryTypeError(platform::game::UserDataValueName);
    };
    ModalBoxWatcher boxes;
    TMainForm form(throwing);
    EXPECT_EQ(asked, 1);
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(boxes.seen()[0].text, QStringLiteral("Invalid data type for 'UserDataLeafName'"));
    EXPECT_EQ(boxes.seen()[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(form.ReplayFolder.empty());
    EXPECT_TRUE(form.Replays.empty());
    EXPECT_EQ(form.RepList->model()->rowCount(), 0);
    // The steps before the failing one still ran.
    EXPECT_TRUE(form.ScrollSync);
    EXPECT_FALSE(form.mask().isEmpty());
}
