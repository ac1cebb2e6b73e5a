// Cuts the ten semicolon-terminated header fields from the start of a replay file, reading
// straight into one buffer: the fields are views into it, so a file costs one allocation.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string_view>

#include "replay/zerohour_intf.h"

class HeaderSplit {
public:
    // Asked once the first field is complete; true ends the split there. Without it, the
    // split goes on to the tenth field whatever the first holds.
    using FirstFieldCheck = std::function<bool(std::string_view field1)>;

    explicit HeaderSplit(FirstFieldCheck rulesOut = nullptr);

    // Room for up to count more bytes at the end; commit(got) takes the got bytes put there.
    char* room(std::size_t count);
    void commit(std::size_t got);
    void feed(std::string_view bytes);

    // The tenth field is complete, or the file was ruled out.
    bool done() const { return stopped_ || complete_ == ends_.size(); }
    // Bytes taken so far, the file's first bytes.
    std::string_view bytes() const { return std::string_view(bytes_).substr(0, taken_); }
    // Field i (from 0) with its closing ";"; empty when it was not completed.
    std::string_view field(std::size_t i) const;
    std::array<std::string_view, 10> fields() const;

private:
    bool RuledOut() const;

    FirstFieldCheck rulesOut_;
    Text bytes_;
    std::size_t taken_ = 0;   // bytes of bytes_ that hold the file's bytes
    std::size_t scanned_ = 0; // bytes looked at for a ";"
    std::array<std::size_t, 10> ends_{};
    std::size_t complete_ = 0;
    bool stopped_ = false;
};
