// Listing a folder the way Windows lists it, on Linux.
#pragma once

#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace platform {

// Windows wildcards: "*" any run of characters, "?" exactly one; letter case ignored.
bool MaskMatches(std::string_view mask, std::string_view name);

// Puts entries in the order in which Windows lists an NTFS folder.
void SortInNtfsOrder(std::vector<DirectoryEntry>& entries);

} // namespace platform
