// The registry and the documents folder on Linux, answered from the game's Wine prefix.
#include "platform/platform.h"
#include "platform/posix/windows_names.h"
#include "platform/wine/wine_documents.h"
#include "platform/wine/wine_prefix.h"

namespace platform {

namespace {

// In a 64-bit prefix, 32-bit programs see HKEY_LOCAL_MACHINE\Software through Wow6432Node.
std::string MachineKeyInView(const wine::RegistryFile& machine, RegistryView view,
                             std::string_view key) {
    constexpr std::string_view software = "Software\\";
    constexpr std::string_view redirected = "Software\\Wow6432Node\\";
    if (view != RegistryView::Bits32 || !machine.isWin64() || key.size() < software.size() ||
        !SameNameIgnoringCase(key.substr(0, software.size()), software))
        return std::string(key);
    if (key.size() >= redirected.size() &&
        SameNameIgnoringCase(key.substr(0, redirected.size()), redirected))
        return std::string(key);
    return std::string(redirected) + std::string(key.substr(software.size()));
}

} // namespace

std::optional<RegistryValue> ReadRegistryValue(RegistryRoot root, RegistryView view,
                                               std::string_view key, std::string_view name) {
    const wine::PrefixChoice& choice = wine::CurrentPrefix();
    while (key.starts_with('\\'))
        key.remove_prefix(1);
    if (root == RegistryRoot::LocalMachine) {
        if (!choice.machine) return std::nullopt;
        return choice.machine->value(MachineKeyInView(*choice.machine, view, key), name);
    }
    // HKEY_CURRENT_USER\Software is the same in both views.
    if (!choice.user) return std::nullopt;
    return choice.user->value(key, name);
}

std::optional<std::string> FolderOfWindowsPath(std::string_view windowsPath) {
    const wine::PrefixChoice& choice = wine::CurrentPrefix();
    if (!choice.prefix) return std::nullopt;
    return wine::LinuxPathInPrefix(choice.prefix->path, windowsPath);
}

std::vector<std::string> SteamLibraryFolders() {
    return wine::SteamLibraries(wine::CurrentEnvironment().home);
}

std::string DocumentsFolder() {
    return wine::CurrentPrefix().documents;
}

std::string DescribeSources() {
    const wine::PrefixChoice& choice = wine::CurrentPrefix();
    std::string text;
    if (choice.prefix) {
        const std::string& path = choice.prefix->path;
        text = "Wine prefix: " + path + " (" + choice.prefix->origin + "; " + choice.why +
               ")\nregistry: ";
        if (choice.machine)
            text += "HKEY_LOCAL_MACHINE from " + JoinPath(path, "system.reg") +
                    (choice.machine->isWin64()
                         ? " (64-bit prefix: the 32-bit view under Software\\Wow6432Node)"
                         : "");
        else
            text += "no readable system.reg";
        text += choice.user ? ", HKEY_CURRENT_USER from " + JoinPath(path, "user.reg")
                            : ", no readable user.reg";
    } else {
        text = "Wine prefix: none (" + choice.why + ")\nregistry: empty";
    }
    return text + "\ndocuments: " + choice.documentsHow;
}

} // namespace platform
