#include <algorithm>

#include "platform/platform.h"

namespace platform {

FileBytes::FileBytes(InputFile& file, std::size_t limit) {
    // The size is a hint only: the file may shrink or grow while it is read. One byte more
    // than it says shows growth at once.
    std::size_t capacity = static_cast<std::size_t>(std::min<uint64_t>(file.size(), limit)) + 1;
    while (size_ < limit) {
        grow(std::min(capacity, limit));
        const std::size_t got = file.read(data_.get() + size_, capacity_ - size_);
        if (got == 0) return;
        size_ += got;
        if (size_ == capacity_) capacity = capacity_ * 2;
    }
    char extra = 0;
    cut_ = file.read(&extra, 1) > 0;
}

void FileBytes::grow(std::size_t capacity) {
    if (capacity <= capacity_) return;
    std::unique_ptr<char[]> larger(new char[capacity]); // left unfilled: read() fills it
    std::copy(data_.get(), data_.get() + size_, larger.get());
    data_ = std::move(larger);
    capacity_ = capacity;
}

std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t limit) {
    try {
        InputFile file(path);
        if (file.size() > limit) return std::nullopt;
        const FileBytes bytes(file, limit);
        if (bytes.cut()) return std::nullopt;
        return std::string(bytes.view());
    } catch (const FileError&) {
        return std::nullopt;
    }
}

} // namespace platform
