// The plain rules behind the main window: row looks, the rounded outline, positions, the
// unreadable-files message, reading one file of a listing, the rows' model, fonts and the
// credit line.
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QRegion>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <stdexcept>

#include "replay/zerohour.h"
#include "tests/support/temp_dir.h"
#include "tests/support/utf8_path.h"
#include "ui/common/centred.h"
#include "ui/common/fonts.h"
#include "ui/common/rounded_region.h"
#include "ui/main/credit_line.h"
#include "ui/main/main_layout.h"
#include "ui/main/read_errors.h"
#include "ui/main/replay_list_model.h"
#include "ui/main/row_look.h"

namespace fs = std::filesystem;
namespace ml = main_layout;

TEST(RowLook, FollowsValidityAndSelection) {
    struct Case {
        bool valid, selected;
        QColor fill, text;
        bool bold;
    };
    const Case cases[] = {
        {false, true, QColor(238, 12, 12), Qt::black, true},
        {false, false, QColor(251, 98, 98), Qt::black, true},
        {true, true, QColor(50, 42, 42), Qt::white, false},
        {true, false, Qt::black, QColor(173, 173, 173), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "valid " << c.valid << ", selected " << c.selected);
        const RowLook look = LookOfRow(c.valid, c.selected);
        EXPECT_EQ(look.fill, c.fill);
        EXPECT_EQ(look.text, c.text);
        EXPECT_EQ(look.bold, c.bold);
    }
}

TEST(RowLook, InvalidRowsSayInvalidBeforeTheName) {
    EXPECT_EQ(RowText(false, QStringLiteral("Été.rep")), QStringLiteral("INVALID: Été.rep"));
    EXPECT_EQ(RowText(true, QStringLiteral("Été.rep")), QStringLiteral("Été.rep"));
}

TEST(RoundedRegion, CutsTheFourCornersAlike) {
    const QRegion region = RoundedRegion(ml::WindowSize, ml::CornerEllipse);
    EXPECT_EQ(region.boundingRect(), QRect(QPoint(0, 0), ml::WindowSize));
    const int right = ml::WindowSize.width() - 1;
    const int bottom = ml::WindowSize.height() - 1;
    struct Case {
        QPoint point;
        bool inside;
    };
    // Per corner, measured from it: the corner pixel and its neighbours are cut away, the
    // pixel two in on the diagonal is kept, and so is the middle of each edge.
    const Case fromCorner[] = {{{0, 0}, false}, {{1, 1}, false}, {{4, 0}, false}, {{0, 4}, false},
                               {{2, 2}, true},  {{5, 0}, true},  {{0, 5}, true},  {{7, 0}, true}};
    for (const Case& c : fromCorner) {
        for (const QPoint& mirrored :
             {QPoint(c.point.x(), c.point.y()), QPoint(right - c.point.x(), c.point.y()),
              QPoint(c.point.x(), bottom - c.point.y()),
              QPoint(right - c.point.x(), bottom - c.point.y())}) {
            SCOPED_TRACE(testing::Message() << "(" << mirrored.x() << ", " << mirrored.y() << ")");
            EXPECT_EQ(region.contains(mirrored), c.inside);
        }
    }
    for (const QPoint& edge :
         {QPoint(140, 0), QPoint(0, 155), QPoint(right, 155), QPoint(140, bottom)})
        EXPECT_TRUE(region.contains(edge));
}

TEST(RoundedRegion, EllipsesAreMirrorImages) {
    for (const QSize size : {QSize(15, 15), QSize(10, 10), QSize(9, 14)}) {
        const QRect bounds(QPoint(3, 5), size);
        const QRegion ellipse = EllipseRegion(bounds);
        EXPECT_EQ(ellipse.boundingRect(), bounds);
        for (int y = bounds.top(); y <= bounds.bottom(); ++y)
            for (int x = bounds.left(); x <= bounds.right(); ++x) {
                const QPoint mirroredX(bounds.left() + bounds.right() - x, y);
                const QPoint mirroredY(x, bounds.top() + bounds.bottom() - y);
                ASSERT_EQ(ellipse.contains(QPoint(x, y)), ellipse.contains(mirroredX))
                    << x << "," << y;
                ASSERT_EQ(ellipse.contains(QPoint(x, y)), ellipse.contains(mirroredY))
                    << x << "," << y;
            }
    }
}

TEST(MainLayout, CentresTheWindowInTheAvailableArea) {
    EXPECT_EQ(CentredTopLeft(QRect(0, 0, 1024, 768), ml::WindowSize), QPoint(372, 229));
    // A task bar on the left: the area starts further right.
    EXPECT_EQ(CentredTopLeft(QRect(48, 0, 1872, 1080), ml::WindowSize), QPoint(844, 385));
}

TEST(MainLayout, NineteenWholeRowsAndThePixelLineOfATwentieth) {
    EXPECT_EQ(ml::WholeRowsVisible, 19);
    EXPECT_EQ(ml::RepListRect.height() - ml::WholeRowsVisible * ml::RowHeight, 1);
}

TEST(UnreadableFilesMessage, NamesAtMostTenFilesThenCountsTheRest) {
    const auto files = [](int count) {
        std::vector<UnreadableFile> list;
        for (int i = 1; i <= count; ++i)
            list.push_back({QStringLiteral("r%1.rep").arg(i), QStringLiteral("Permission denied")});
        return list;
    };
    struct Case {
        int count;
        int namedLines;
        bool counted; // a last line counts the files not named
    };
    const Case cases[] = {{1, 1, false}, {10, 10, false}, {11, 10, true}, {25, 10, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        const QStringList lines = UnreadableFilesMessage(files(c.count)).split(QLatin1Char('\n'));
        EXPECT_EQ(lines.filter(QStringLiteral(" : Permission denied")).size(), c.namedLines);
        EXPECT_EQ(lines.size(), 1 + c.namedLines + (c.counted ? 1 : 0));
        EXPECT_EQ(lines.last().startsWith(QStringLiteral("r")), !c.counted);
        EXPECT_FALSE(lines.contains(QStringLiteral("r11.rep : Permission denied")));
    }
}

TEST(ReadingOneFile, AnyErrorKeepsTheFileAsAnInvalidRow) {
    testsupport::TempDir dir;
    // The program's paths are UTF-8 text; a narrow path would be the ANSI code page on Windows.
    const fs::path file = dir.path() / testsupport::Utf8Path("été.rep");
    const Text path = testsupport::PathUtf8(file);
    std::ofstream(file) << "0123456789";
    const std::pair<ReplayReader, QString> cases[] = {
        {[](const Text& p) { return ReadReplay(p); }, {}},
        {[](const Text& p) -> TZH_replay { throw ReplayReadError(p, "Accès refusé"); },
         QStringLiteral("Accès refusé")},
        {[](const Text&) -> TZH_replay { throw std::length_error("trop long"); },
         QStringLiteral("trop long")}};
    for (const auto& [reader, reason] : cases) {
        const ReadOutcome outcome = ReadReplayKeepingErrors(path, reader);
        EXPECT_EQ(outcome.unreadable.has_value(), !reason.isEmpty());
        // A file that can't be read is kept as such, not as one that isn't a replay.
        EXPECT_EQ(outcome.record.invalidReason,
                  reason.isEmpty() ? InvalidReason::NotReplay : InvalidReason::Unreadable);
        if (reason.isEmpty()) continue;
        EXPECT_FALSE(outcome.record.valid);
        EXPECT_EQ(outcome.record.file.name, "été.rep");
        EXPECT_EQ(outcome.record.file.size, 10);
        EXPECT_EQ(outcome.unreadable->name + " : " + outcome.unreadable->reason,
                  QStringLiteral("été.rep : ") + reason);
    }
}

TEST(ReplayListModel, NeverReadsPastTheRecords) {
    std::vector<TZH_replay> replays(3);
    ReplayListModel model(replays, nullptr);
    model.showAll();
    EXPECT_EQ(model.rowCount(), 3);
    // A view may still hold an index of a row whose record is gone.
    const QModelIndex third = model.index(2, 0);
    replays.resize(1);
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_FALSE(model.data(third, Qt::DisplayRole).isValid());
    EXPECT_TRUE(model.data(model.index(0, 0), Qt::DisplayRole).isValid());
}

TEST(Fonts, PointSizesBecomePixelSizesAt96Dpi) {
    struct Case {
        int points, pixels;
    };
    for (const Case c : {Case{8, 11}, Case{9, 12}, Case{10, 13}, Case{12, 16}, Case{7, 9}})
        EXPECT_EQ(PixelsForPoints(c.points), c.pixels) << c.points;
}

TEST(Fonts, TahomaIsFoundAndDrawnAtItsPixelSize) {
    if (RegisterFallbackFonts().isEmpty())
        GTEST_SKIP() << "no Tahoma here (Linux: install fonts-wine; under Wine: none by design)";
    for (const bool bold : {false, true}) {
        const QFontInfo info(TahomaFont(11, bold));
        EXPECT_EQ(info.family(), QStringLiteral("Tahoma"));
        EXPECT_EQ(info.pixelSize(), 11);
        EXPECT_EQ(info.bold(), bold);
    }
}

#ifdef _WIN32
// Wine's Tahoma loses strokes of its letters when Wine draws it at these sizes: a Windows
// build never registers it, even with the file at hand (drive Z: is the root under Wine).
TEST(Fonts, WinesTahomaIsNeverRegisteredOnWindows) {
    if (QFile::exists(qEnvironmentVariable("WINDIR") + QStringLiteral("/Fonts/tahoma.ttf")))
        GTEST_SKIP() << "this Windows has its own Tahoma";
    const QString wineFonts = QStringLiteral("Z:/usr/share/wine/fonts");
    if (!QFile::exists(wineFonts + QStringLiteral("/tahoma.ttf"))) GTEST_SKIP() << "not under Wine";
    EXPECT_TRUE(RegisterFallbackFonts(wineFonts).isEmpty());
    EXPECT_NE(QFontInfo(TahomaFont(10)).family(), QStringLiteral("Tahoma"));
}
#endif

TEST(Fonts, StandInsForTheWindowsFaces) {
    const QString arial = QFontInfo(ArialFont(11)).family();
    EXPECT_TRUE(arial == QStringLiteral("Arial") || arial == QStringLiteral("Liberation Sans"))
        << arial.toStdString();
    const QString verdana = QFontInfo(VerdanaFont(11)).family();
    EXPECT_TRUE(verdana == QStringLiteral("Verdana") || verdana == QStringLiteral("DejaVu Sans"))
        << verdana.toStdString();
    EXPECT_EQ(ArialBlackFont(11).weight(), QFont::Black);
    EXPECT_EQ(ArialBlackFont(11).pixelSize(), 11);
}

TEST(CreditLine, GreyAndClearOfTheButtons) {
    const CreditLine line = MainCreditLine();
    EXPECT_EQ(line.colour, QColor(127, 127, 127));
    EXPECT_LT(line.rect.right(), ml::FirstButtonColumn);
    EXPECT_LE(line.rect.bottom(), ml::WindowSize.height() - 4);
    const QFontMetrics metrics(line.font);
    EXPECT_LE(metrics.horizontalAdvance(line.text), line.rect.width());
    EXPECT_LE(metrics.height(), line.rect.height());
}
