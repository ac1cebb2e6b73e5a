#include "folder/replay_folder.h"

#include "platform/platform.h"

namespace {

struct Listing {
    Text folder; // without a separator at its end
    std::string_view shownPrefix;
    std::vector<platform::DirectoryEntry> entries;
};

void Walk(Listing& listing, const std::function<void(ListedReplayFile& file)>& visit,
          const std::function<void()>& beforeEntry, const ReadAheadLimits& readAhead) {
    std::vector<platform::DirectoryEntry>& entries = listing.entries;
    const platform::FolderScope folderScope(listing.folder);
    ReplayReadAhead ahead(listing.folder, entries, readAhead);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (beforeEntry) beforeEntry();
        platform::DirectoryEntry& entry = entries[i];
        if (entry.isDirectory) continue;
        const Text path = platform::JoinPath(listing.folder, entry.name);
        ListedReplayFile file{path, listing.shownPrefix, ahead.take(i), &ahead};
        visit(file);
        // A visited name is not needed again: its memory goes to the next records.
        Text().swap(entry.name);
    }
}

} // namespace

void ForEachReplayFile(const std::vector<ReplaySource>& sources, std::string_view mask,
                       const std::function<void(ListedReplayFile& file)>& visit,
                       const std::function<void()>& beforeEntry,
                       const std::function<void(std::size_t entries)>& listed,
                       const ReadAheadLimits& readAhead) {
    // Every folder is listed before the first visit: the count covers them all.
    std::vector<Listing> listings;
    listings.reserve(sources.size());
    std::size_t count = 0;
    for (const ReplaySource& source : sources) {
        Text folder = source.folder;
        if (!folder.empty() && folder.back() == platform::PathSeparator) folder.pop_back();
        std::vector<platform::DirectoryEntry> entries = platform::ListDirectory(folder, mask);
        count += entries.size();
        listings.push_back({std::move(folder), source.shownPrefix, std::move(entries)});
    }
    if (listed) listed(count);
    for (Listing& listing : listings)
        Walk(listing, visit, beforeEntry, readAhead);
}

void ForEachReplayFile(const Text& folder, std::string_view mask,
                       const std::function<void(ListedReplayFile& file)>& visit,
                       const std::function<void()>& beforeEntry,
                       const std::function<void(std::size_t entries)>& listed,
                       const ReadAheadLimits& readAhead) {
    ForEachReplayFile({ReplaySource{folder, {}}}, mask, visit, beforeEntry, listed, readAhead);
}
