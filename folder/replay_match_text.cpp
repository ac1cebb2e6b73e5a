#include "folder/replay_match_text.h"

#include <algorithm>
#include <array>
#include <optional>

#include "platform/text_codes.h"
#include "replay/display_text.h"

namespace {

// Lower case of the letters U+00C0..U+00FF without their accents; '=' keeps the character
// (× and ÷), '+' has a two-letter form (Æ, Þ, ß).
constexpr std::string_view Latin1Letters = "aaaaaa+ceeeeiiii"
                                           "dnooooo=ouuuuy++"
                                           "aaaaaa+ceeeeiiii"
                                           "dnooooo=ouuuuy+y";
// The same for U+0100..U+017F; '+' for Ĳ, ĳ, Œ and œ.
constexpr std::string_view LatinExtendedLetters = "aaaaaaccccccccdd"
                                                  "ddeeeeeeeeeegggg"
                                                  "gggghhhhiiiiiiii"
                                                  "ii++jjkkklllllll"
                                                  "lllnnnnnnnnnoooo"
                                                  "oo++rrrrrrssssss"
                                                  "ssttttttuuuuuuuu"
                                                  "uuuuwwyyyzzzzzzs";

std::string_view TwoLetters(char32_t c) {
    switch (c) {
    case 0xC6:
    case 0xE6:
        return "ae";
    case 0xDE:
    case 0xFE:
        return "th";
    case 0xDF:
        return "ss";
    case 0x132:
    case 0x133:
        return "ij";
    default:
        return "oe"; // Œ, œ
    }
}

bool IsBlank(char32_t c) {
    return c <= 0x20 || (c >= 0x7F && c <= 0xA0) || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) ||
           c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

// Cyrillic and Greek capitals in lower case, ё as е.
char32_t LowerNonLatin(char32_t c) {
    if (c == 0x401 || c == 0x451) return 0x435;
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    if ((c >= 0x410 && c <= 0x42F) || (c >= 0x391 && c <= 0x3A9 && c != 0x3A2)) return c + 0x20;
    return c;
}

void AppendFolded(std::string& out, char32_t c) {
    if (c < 0x80 && !IsBlank(c)) {
        out.push_back(static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c));
        return;
    }
    if (IsBlank(c)) {
        out.push_back(' ');
        return;
    }
    // Combining accents, as in names written decomposed, go altogether.
    if (c >= 0x300 && c <= 0x36F) return;
    char letter = '=';
    if (c >= 0xC0 && c <= 0xFF) letter = Latin1Letters[c - 0xC0];
    if (c >= 0x100 && c <= 0x17F) letter = LatinExtendedLetters[c - 0x100];
    if (letter == '+')
        out += TwoLetters(c);
    else if (letter != '=')
        out.push_back(letter);
    else
        platform::AppendUtf8(out, LowerNonLatin(c));
}

void AppendDate(std::string& out, const TZH_date& date) {
    const auto digits = [&out](unsigned value, int width) {
        std::array<char, 8> text{};
        int length = 0;
        do {
            text[static_cast<std::size_t>(length++)] = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value != 0 || length < width);
        while (length > 0)
            out.push_back(text[static_cast<std::size_t>(--length)]);
    };
    digits(date.day, 2);
    out.push_back('/');
    digits(date.month, 2);
    out.push_back('/');
    digits(date.year, 4);
}

// ASCII folded: capitals in lower case, control characters as spaces.
constexpr std::array<char, 0x80> AsciiFolded = [] {
    std::array<char, 0x80> table{};
    for (std::size_t c = 0; c < table.size(); ++c)
        table[c] = c <= 0x20 || c == 0x7F ? ' '
                   : c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a')
                                          : static_cast<char>(c);
    return table;
}();

// Any text, character by character as DisplayText reads it.
void AppendFoldedCharacters(std::string& out, std::string_view bytes) {
    if (const std::optional<std::size_t> length = DisplayedUtf8Length(bytes)) {
        for (std::size_t at = 0; at < *length;) {
            char32_t c = 0;
            at += platform::DecodeUtf8(bytes, at, c);
            AppendFolded(out, c);
        }
        return;
    }
    for (const char byte : bytes)
        AppendFolded(out, Windows1252Character(static_cast<unsigned char>(byte)));
}

} // namespace

void AppendFoldedText(std::string& out, std::string_view bytes) {
    // Most names are plain ASCII: folded a byte at a time, at a table's pace, as every replay
    // read at start-up goes through here.
    const std::size_t start = out.size();
    out.append(bytes);
    for (auto it = out.begin() + static_cast<std::ptrdiff_t>(start); it != out.end(); ++it) {
        const auto c = static_cast<unsigned char>(*it);
        if (c >= 0x80) {
            out.resize(start);
            AppendFoldedCharacters(out, bytes);
            return;
        }
        *it = AsciiFolded[c];
    }
}

void AppendReplayMatchText(std::string& out, const TZH_replay& replay) {
    AppendFoldedText(out, replay.file.name);
    if (!replay.valid) return;
    out.push_back('\n');
    AppendFoldedText(out, replay.map.name);
    // A name met before in the same replay (the computers' "IA Difficile") adds nothing to
    // find it by: written once, it costs the listing's memory once.
    struct Span {
        std::size_t start, size;
    };
    std::array<Span, LobbySlots> names{};
    std::size_t written = 0;
    for (const TZH_player& player : replay.players) {
        out.push_back('\n');
        const std::size_t start = out.size();
        AppendFoldedText(out, player.name);
        const std::string_view all(out);
        const std::string_view name = all.substr(start);
        if (std::any_of(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(written),
                        [&](Span seen) { return all.substr(seen.start, seen.size) == name; }))
            out.resize(start - 1);
        else if (written < names.size())
            names[written++] = {start, name.size()};
    }
    if (replay.date) {
        out.push_back('\n');
        AppendDate(out, *replay.date);
    }
}

ReplayQuery::ReplayQuery(std::string_view text) {
    std::string folded;
    AppendFoldedText(folded, text);
    for (std::size_t at = 0; at < folded.size();) {
        const std::size_t end = std::min(folded.find(' ', at), folded.size());
        if (end > at) words_.push_back(folded.substr(at, end - at));
        at = end + 1;
    }
}

bool ReplayQuery::MatchesText(std::string_view matchText) const {
    return std::all_of(words_.begin(), words_.end(), [matchText](const std::string& word) {
        return matchText.find(word) != std::string_view::npos;
    });
}

bool ReplayMatches(const ReplayQuery& query, const TZH_replay& replay) {
    std::string text;
    AppendReplayMatchText(text, replay);
    return query.MatchesText(text);
}
