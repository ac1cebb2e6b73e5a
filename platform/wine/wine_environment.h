// What the prefix search reads from the process environment, as a value that tests build.
#pragma once

#include <string>

namespace platform::wine {

struct Environment {
    std::string home;            // $HOME
    std::string winePrefix;      // $WINEPREFIX
    std::string xdgDocumentsDir; // $XDG_DOCUMENTS_DIR
    std::string xdgConfigHome;   // $XDG_CONFIG_HOME (where user-dirs.dirs lies)
    std::string user;            // $USER

    static Environment FromProcess();
};

} // namespace platform::wine
