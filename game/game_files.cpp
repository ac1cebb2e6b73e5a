#include "game/game_files.h"

std::optional<FoundFile> FindLooseFile(const Text& folder, std::string_view relative) {
    const auto path = platform::FindEntry(folder, relative);
    if (!path || !platform::FileExists(*path)) return std::nullopt;
    return FoundFile{*path, platform::FileStampOf(*path)};
}

std::optional<GameFile> LooseGameFile(const Text& folder, std::string_view relative,
                                      std::size_t limit) {
    const auto found = FindLooseFile(folder, relative);
    if (!found) return std::nullopt;
    auto bytes = platform::ReadSmallFile(found->path, limit);
    if (!bytes) return std::nullopt;
    return GameFile{std::move(*bytes), found->path, found->path, found->stamp};
}

GameFiles::GameFiles(InstallFinder findInstall, big::EntryFilter keep, Tables tables)
    : findInstall_(std::move(findInstall)), keep_(std::move(keep)), tables_(tables) {}

std::optional<GameFile> GameFiles::find(std::string_view loose, std::string_view entryName,
                                        std::size_t limit) {
    if (!install_) install_ = findInstall_ ? findInstall_() : GameInstall{};
    for (const Text& folder : install_->folders)
        if (auto file = LooseGameFile(folder, loose, limit)) return file;
    if (archives_.empty()) archives_.resize(install_->archives.size());
    for (std::size_t i = 0; i < archives_.size(); ++i) {
        const ReadArchive& each = archive(i);
        const big::Entry* entry = each.archive.find(entryName);
        if (!entry) continue;
        if (auto bytes = each.archive.read(*entry, limit))
            return GameFile{std::move(*bytes), each.archive.path() + " (" + entry->name + ")",
                            each.archive.path(), each.stamp};
    }
    return std::nullopt;
}

const GameFiles::ReadArchive& GameFiles::archive(std::size_t i) {
    std::optional<ReadArchive>& held = archives_[i];
    if (held && tables_ == Tables::Kept) return *held;
    const Text& path = install_->archives[i];
    const auto stamp = platform::FileStampOf(path);
    if (!held || stamp != held->stamp) held = ReadArchive{big::Archive::Open(path, keep_), stamp};
    return *held;
}
