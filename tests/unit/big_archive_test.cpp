// The archive reader against tables that lie: wrong counts, offsets, sizes and names.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/big_archive.h"
#include "tests/support/big_builder.h"
#include "tests/support/temp_dir.h"
#include "tests/support/utf8_path.h"

namespace bb = big_builder;
using namespace std::string_literals;

namespace {

struct TableCase {
    const char* what;
    std::string bytes;
    uint64_t archiveSize; // 0: the bytes' own size
    std::vector<std::string> names;
    uint32_t outside = 0;
    const char* problem = ""; // a part of the problem's text; "" when the table reads whole
    bool needsMoreBytes = false;
};

std::string Three() {
    return bb::Archive({{"Maps\\A\\A.tga", "aaaa"}, {"maps/b/b.map", "bb"}, {"c", "c"}});
}

std::vector<TableCase> TableCases() {
    const std::string longName(bb::TableEntry(0, 0, std::string(300, 'n')).substr(0, 8 + 300));
    const std::string tail(400, 'x');
    return {
        {"a well-formed table", Three(), 0, {"Maps\\A\\A.tga", "maps/b/b.map", "c"}},
        {"no entries", bb::Header(0, 16), 0, {}},
        {"another magic", "BIG4" + Three().substr(4), 0, {}, 0, "no BIGF"},
        {"shorter than the header",
         "BIGF\0\0"s,
         0,
         {},
         0,
         "the header runs past the archive's end"},
        {"a count larger than the table",
         bb::Header(1000, 0) + bb::TableEntry(16, 0, "a") + bb::TableEntry(16, 0, "b"),
         0,
         {"a", "b"},
         0,
         "entry 3 runs past the archive's end"},
        {"entries past the end, one by wrapping round 32 bits",
         bb::Header(3, 0) + bb::TableEntry(0, 1000, "far") +
             bb::TableEntry(0xFFFFFFF0u, 0x20, "wraps") + bb::TableEntry(4, 8, "near"),
         0,
         {"near"},
         2},
        {"a path without an end",
         bb::Header(2, 0) + bb::TableEntry(0, 4, "first") + longName + tail,
         0,
         {"first"},
         0,
         "entry 2 has a path without an end"},
        {"the longest path the game reads",
         bb::Header(1, 0) + bb::TableEntry(0, 4, std::string(259, 'p')),
         0,
         {std::string(259, 'p')}},
        {"a name cut by the end of the file",
         bb::Header(1, 0) + bb::TableEntry(0, 4, "cut").substr(0, 10),
         0,
         {},
         0,
         "entry 1 runs past"},
        {"a table going on past the bytes given",
         bb::Header(2, 0) + bb::TableEntry(0, 4, "a"),
         100000,
         {"a"},
         0,
         "goes on past the bytes read",
         true},
    };
}

TEST(BigIndex, TablesThatLie) {
    for (const TableCase& c : TableCases()) {
        SCOPED_TRACE(c.what);
        const big::Index index =
            big::ParseIndex(c.bytes, c.archiveSize ? c.archiveSize : c.bytes.size());
        std::vector<std::string> names;
        for (const big::Entry& entry : index.entries) {
            EXPECT_LE(uint64_t{entry.offset} + entry.size,
                      c.archiveSize ? c.archiveSize : c.bytes.size());
            names.push_back(entry.name);
        }
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(index.outsideCount, c.outside);
        if (*c.problem)
            EXPECT_NE(index.problem.find(c.problem), std::string::npos) << index.problem;
        else
            EXPECT_EQ(index.problem, "");
        EXPECT_EQ(index.needsMoreBytes, c.needsMoreBytes);
    }
}

class BigArchiveFile : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    std::string write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return testsupport::PathUtf8(dir / name);
    }
};

TEST_F(BigArchiveFile, FindsEntriesIgnoringCaseAndSeparatorAndReadsThemWithinALimit) {
    const big::Archive archive = big::Archive::Open(write("a.big", Three()));
    EXPECT_EQ(archive.index().problem, "");
    const big::Entry* a = archive.find("maps/a/a.TGA");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(archive.read(*a, 4), "aaaa");
    EXPECT_EQ(archive.read(*a, 3), std::nullopt); // larger than allowed: refused unread
    ASSERT_NE(archive.find("MAPS\\B\\B.MAP"), nullptr);
    EXPECT_EQ(archive.find("maps\\a"), nullptr);
}

TEST_F(BigArchiveFile, ATableLargerThanTheFirstReadAndAHeaderThatLiesAboutItsEnd) {
    std::vector<bb::Item> items;
    for (int i = 0; i < 3000; ++i)
        items.push_back({"maps\\m" + std::to_string(i) + "\\m.tga", "", 1});
    std::string bytes = bb::Archive(items);
    bytes.replace(12, 4,
                  "\0\0\0\x11"s); // the table's end, as the header gives it, is far too early
    const big::Archive archive = big::Archive::Open(write("many.big", bytes));
    EXPECT_EQ(archive.index().problem, "");
    EXPECT_EQ(archive.index().entries.size(), 3000u);
    EXPECT_NE(archive.find("MAPS/M2999/M.TGA"), nullptr);
}

TEST_F(BigArchiveFile, MissingCutShortOrChangedFiles) {
    EXPECT_NE(big::Archive::Open(testsupport::PathUtf8(dir / "none.big")).index().problem, "");

    const std::string whole = Three();
    const std::string path = write("cut.big", whole.substr(0, whole.size() - 1));
    const big::Archive cut = big::Archive::Open(path);
    EXPECT_EQ(cut.find("c"), nullptr); // its byte would lie past the end
    ASSERT_NE(cut.find("maps/a/a.tga"), nullptr);

    std::filesystem::resize_file(dir / "cut.big", 40); // shorter since its table was read
    EXPECT_EQ(cut.read(*cut.find("maps/a/a.tga"), 1000), std::nullopt);
}

} // namespace
