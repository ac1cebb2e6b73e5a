// Which file gives a map its preview: the user data folder for the player's own maps, the
// install folders' loose files and then the archives, the map archive first, for the game's.
#include "game/map_pictures.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/big_builder.h"
#include "tests/support/temp_dir.h"
#include "tests/support/utf8_path.h"

namespace fs = std::filesystem;
namespace bb = big_builder;

namespace {

void Write(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

class MapPreviewLookup : public ::testing::Test {
protected:
    MapPreviewLookup() {
        Write(dir / "user/Maps/My Map/My Map.tga", "user my map");
        Write(dir / "user/Maps/[Rank] Ice/[RANK] ICE.TGA", "user ice");
        Write(dir / "install/MAPS/Loose One/loose one.tga", "loose file");
        bb::WriteArchive(dir / "install/Zeta.big",
                         {{"maps\\alpha\\alpha.tga", "alpha from another archive"},
                          {"Maps\\Beta\\Beta.tga", "beta"}});
        bb::WriteArchive(
            dir / "install/MapsZH.big",
            {{"Maps\\Alpha\\Alpha.tga", "alpha"},
             {"Maps\\My Map\\My Map.tga", "official my map"},
             {"Maps\\Loose One\\Loose One.tga", "loose one from the archive"},
             {"Maps\\Huge\\Huge.tga", "", static_cast<uint32_t>(MaxPreviewFileBytes + 1)}});
    }

    MapPreviewFinder finder() {
        return MapPreviewFinder(testsupport::PathUtf8(dir / "user"), [this] {
            ++installLookups;
            GameInstall install;
            install.folders = {testsupport::PathUtf8(dir / "install")};
            install.archives = ArchivesIn(install.folders[0]);
            return install;
        });
    }

    testsupport::TempDir dir;
    int installLookups = 0;
};

TEST_F(MapPreviewLookup, OrderCaseAndUserOrGameMap) {
    struct Case {
        const char* name;
        bool userMap;
        const char* bytes; // nullptr: no picture
    };
    const Case cases[] = {
        {"my map", true, "user my map"},
        {"MY MAP", true, "user my map"},
        {"[rank] ice", true, "user ice"},
        {"my map", false, "official my map"},
        {"alpha", false, "alpha"}, // the map archive before the others
        {"beta", false, "beta"},
        {"loose one", false, "loose file"}, // a loose file before the archives
        {"alpha", true, nullptr},           // no user map of that name
        {"[rank] ice", false, nullptr},     // nor a game map
        {"huge", false, nullptr},           // refused unread
        {"..", false, nullptr},
        {"", true, nullptr},
    };
    MapPreviewFinder previews = finder();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.userMap ? " (user map)" : " (game map)"));
        const auto found = previews.find(TZH_map{c.name, 0, 0, c.userMap});
        if (!c.bytes) {
            EXPECT_EQ(found, std::nullopt);
            continue;
        }
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(found->bytes, c.bytes);
    }
}

TEST_F(MapPreviewLookup, TheInstallIsLookedForOnceAndOnlyForTheGamesMaps) {
    MapPreviewFinder previews = finder();
    previews.find(TZH_map{"my map", 0, 0, true});
    EXPECT_EQ(installLookups, 0);
    previews.find(TZH_map{"alpha", 0, 0, false});
    previews.find(TZH_map{"beta", 0, 0, false});
    EXPECT_EQ(installLookups, 1);
}

TEST(MapPreviewNames, PreviewEntries) {
    EXPECT_TRUE(IsMapPreviewEntry("Maps\\Alpine Assault\\Alpine Assault.tga"));
    EXPECT_TRUE(IsMapPreviewEntry("maps/x/y.TGA"));
    EXPECT_FALSE(IsMapPreviewEntry("Maps\\Alpine Assault\\Alpine Assault.map"));
    EXPECT_FALSE(IsMapPreviewEntry("Maps\\deep\\er\\x.tga"));
    EXPECT_FALSE(IsMapPreviewEntry("Art\\Textures\\x.tga"));
}

} // namespace
