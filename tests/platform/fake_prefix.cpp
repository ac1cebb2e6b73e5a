#include "tests/platform/fake_prefix.h"

#include <fstream>
#include <stdexcept>

namespace testsupport {

namespace fs = std::filesystem;

namespace {

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == '"') out.push_back('\\');
        out.push_back(c);
    }
    return out;
}

const std::string GameKeyTail = "Electronic Arts\\EA GAMES\\Command and Conquer Generals Zero Hour";

} // namespace

void WriteText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string RegistryText(bool machine, bool win64, const std::vector<RegKey>& keys) {
    std::string text = "WINE REGISTRY Version 2\n";
    text += machine ? ";; All keys relative to REGISTRY\\\\Machine\n"
                    : ";; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n";
    text += win64 ? "\n#arch=win64\n" : "\n#arch=win32\n";
    for (const RegKey& key : keys) {
        text += "\n[" + Escaped(key.name) + "] 1796630882\n#time=1dd862214d7a974\n";
        for (const std::string& line : key.valueLines)
            text += line + "\n";
    }
    return text;
}

std::string TextValue(const std::string& name, const std::string& text) {
    // Appended piece by piece: GCC 12's -O3 warns falsely (-Wrestrict) on "literal" + string.
    std::string line = "\"";
    line += Escaped(name);
    line += "\"=\"";
    line += Escaped(text);
    line += "\"";
    return line;
}

RegKey GameKey32(std::vector<std::string> valueLines) {
    return {"Software\\Wow6432Node\\" + GameKeyTail, std::move(valueLines)};
}
RegKey GameKey64(std::vector<std::string> valueLines) {
    return {"Software\\" + GameKeyTail, std::move(valueLines)};
}
RegKey GameUserKey(std::vector<std::string> valueLines) {
    return {"Software\\" + GameKeyTail, std::move(valueLines)};
}

fs::path MakePrefix(const fs::path& prefix, const PrefixSetup& setup) {
    fs::create_directories(prefix / "dosdevices");
    fs::create_directories(prefix / "drive_c" / "users" / "Public" / "Documents");
    fs::create_symlink("../drive_c", prefix / "dosdevices" / "c:");
    fs::create_directory_symlink("/", prefix / "dosdevices" / "z:");
    const fs::path documents = prefix / "drive_c" / "users" / setup.user / "Documents";
    fs::create_directories(documents.parent_path());
    if (setup.documentsLinkTarget) {
        fs::create_directories(*setup.documentsLinkTarget);
        fs::create_directory_symlink(*setup.documentsLinkTarget, documents);
    } else {
        fs::create_directories(documents);
    }
    std::vector<RegKey> userKeys = setup.userKeys;
    if (setup.writePersonal)
        userKeys.push_back({"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                            {TextValue("Personal", "C:\\users\\" + setup.user + "\\Documents")}});
    WriteText(prefix / "system.reg", RegistryText(true, setup.win64, setup.machineKeys));
    WriteText(prefix / "user.reg", RegistryText(false, setup.win64, userKeys));
    return documents;
}

fs::path MakeReplayFolder(const fs::path& documents, const std::string& leaf,
                          const std::string& replays) {
    const fs::path folder = documents / leaf / replays;
    fs::create_directories(folder);
    return folder;
}

std::string LibraryFoldersVdf(const std::vector<fs::path>& libraries) {
    std::string text = "\"libraryfolders\"\n{\n";
    for (std::size_t i = 0; i < libraries.size(); ++i) {
        text += "\t\"" + std::to_string(i) + "\"\n\t{\n\t\t\"path\"\t\t\"" +
                Escaped(libraries[i].string()) +
                "\"\n\t\t\"label\"\t\t\"\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"228980\"\t\t\"123\"\n\t\t}"
                "\n\t}\n";
    }
    return text + "}\n";
}

platform::wine::Environment EnvironmentWithHome(const fs::path& home, const std::string& user) {
    platform::wine::Environment environment;
    environment.home = home.string();
    environment.user = user;
    return environment;
}

} // namespace testsupport
