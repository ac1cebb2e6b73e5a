#include "replay/replay_folder.h"

#include "platform/platform.h"

void ForEachReplayFile(const Text& folder, std::string_view mask,
                       const std::function<void(ListedReplayFile& file)>& visit,
                       const std::function<void()>& beforeEntry,
                       const std::function<void(std::size_t entries)>& listed,
                       const ReadAheadLimits& readAhead) {
    Text base = folder;
    if (!base.empty() && base.back() == platform::PathSeparator) base.pop_back();
    std::vector<platform::DirectoryEntry> entries = platform::ListDirectory(base, mask);
    if (listed) listed(entries.size());
    const platform::FolderScope folderScope(base);
    ReplayReadAhead ahead(base, entries, readAhead);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (beforeEntry) beforeEntry();
        platform::DirectoryEntry& entry = entries[i];
        if (entry.isDirectory) continue;
        const Text path = platform::JoinPath(base, entry.name);
        ListedReplayFile file{path, ahead.take(i), &ahead};
        visit(file);
        // A visited name is not needed again: its memory goes to the next records.
        Text().swap(entry.name);
    }
}
