#include "platform/steam_files.h"

#include <gtest/gtest.h>

namespace {

using platform::SteamAppInstallDir;
using platform::SteamLibraryPaths;
using Paths = std::vector<std::string>;

TEST(SteamLibraries, ReadsEveryLibraryOfTheCurrentForm) {
    const char* text = R"("libraryfolders"
{
	"0"
	{
		"path"		"/home/player/.local/share/Steam"
		"label"		""
		"contentid"		"123"
		"apps"
		{
			"228980"		"29212173"
			"2732960"		"1234"
		}
	}
	"1"
	{
		"path"		"/mnt/games/SteamLibrary"
		"apps"
		{
		}
	}
}
)";
    EXPECT_EQ(SteamLibraryPaths(text),
              (Paths{"/home/player/.local/share/Steam", "/mnt/games/SteamLibrary"}));
}

TEST(SteamLibraries, ReadsTheOlderForm) {
    const char* text = "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"1590000000\"\n"
                       "\t\"ContentStatsID\"\t\t\"-123\"\n\t\"1\"\t\t\"/media/disk/Steam\"\n}\n";
    EXPECT_EQ(SteamLibraryPaths(text), (Paths{"/media/disk/Steam"}));
}

TEST(SteamLibraries, DecodesEscapesAndSkipsComments) {
    const char* text = "// written by Steam\n\"libraryfolders\" {\n \"0\" { \"PATH\" \"/mnt/a "
                       "\\\"b\\\"\\\\c\" }\n}";
    EXPECT_EQ(SteamLibraryPaths(text), (Paths{"/mnt/a \"b\"\\c"}));
}

TEST(SteamLibraries, BrokenFilesGiveWhatTheyHold) {
    EXPECT_TRUE(SteamLibraryPaths("").empty());
    EXPECT_TRUE(SteamLibraryPaths("}}}{{ \"path\"").empty());
    EXPECT_EQ(SteamLibraryPaths("\"libraryfolders\" { \"0\" { \"path\" \"/x\""), (Paths{"/x"}));
    EXPECT_TRUE(SteamLibraryPaths("\"libraryfolders\" { \"0\" { \"path\" \"\" } }").empty());
}

TEST(SteamManifests, InstallDirOfTheAppStateOnly) {
    const char* manifest = R"("AppState"
{
	"appid"		"2732960"
	"name"		"Command & Conquer Generals - Zero Hour"
	"UserConfig" { "installdir" "not this one" }
	"installdir"		"Command & Conquer Generals - Zero Hour"
}
)";
    EXPECT_EQ(SteamAppInstallDir(manifest), "Command & Conquer Generals - Zero Hour");
    EXPECT_EQ(SteamAppInstallDir("\"appstate\" { \"InstallDir\" \"ZH\" }"), "ZH");
    EXPECT_EQ(SteamAppInstallDir("\"AppState\" { \"installdir\" \"\" }"), std::nullopt);
    EXPECT_EQ(SteamAppInstallDir("\"installdir\" \"outside\""), std::nullopt);
    EXPECT_EQ(SteamAppInstallDir(""), std::nullopt);
}

} // namespace
