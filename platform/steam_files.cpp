#include "platform/steam_files.h"
#include "platform/ascii_text.h"

#include <algorithm>
#include <cctype>
#include <functional>

namespace platform {

namespace {

struct Token {
    enum Kind { Text, Open, Close } kind = Text;
    std::string text;
};

class Tokenizer {
public:
    explicit Tokenizer(std::string_view text) : text_(text) {}

    std::optional<Token> next() {
        skipBlanksAndComments();
        if (at_ >= text_.size()) return std::nullopt;
        const char c = text_[at_];
        if (c == '{' || c == '}') {
            ++at_;
            return Token{c == '{' ? Token::Open : Token::Close, {}};
        }
        if (c == '"') return quoted();
        std::size_t start = at_;
        while (at_ < text_.size() && !std::isspace(static_cast<unsigned char>(text_[at_])) &&
               text_[at_] != '{' && text_[at_] != '}' && text_[at_] != '"')
            ++at_;
        return Token{Token::Text, std::string(text_.substr(start, at_ - start))};
    }

private:
    void skipBlanksAndComments() {
        for (;;) {
            while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_])))
                ++at_;
            if (text_.substr(at_).starts_with("//")) {
                const std::size_t end = text_.find('\n', at_);
                at_ = end == std::string_view::npos ? text_.size() : end + 1;
                continue;
            }
            return;
        }
    }

    Token quoted() {
        Token token;
        for (++at_; at_ < text_.size() && text_[at_] != '"'; ++at_) {
            char c = text_[at_];
            if (c == '\\' && at_ + 1 < text_.size()) {
                c = text_[++at_];
                if (c == 'n')
                    c = '\n';
                else if (c == 't')
                    c = '\t';
            }
            token.text.push_back(c);
        }
        if (at_ < text_.size()) ++at_; // the closing quote
        return token;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

bool IsNumber(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Calls visit(blocks, key, value) for every key with a text value; blocks are the keys of
// the blocks around it, the outermost first.
void ForEachValue(std::string_view text,
                  const std::function<void(const std::vector<std::string>& blocks,
                                           const std::string& key, std::string& value)>& visit) {
    Tokenizer tokens(text);
    std::vector<std::string> blocks;
    std::optional<std::string> pendingKey;
    while (auto token = tokens.next()) {
        if (token->kind == Token::Open) {
            blocks.push_back(pendingKey.value_or(std::string{}));
            pendingKey.reset();
        } else if (token->kind == Token::Close) {
            if (!blocks.empty()) blocks.pop_back();
            pendingKey.reset();
        } else if (!pendingKey) {
            pendingKey = std::move(token->text);
        } else {
            visit(blocks, *pendingKey, token->text);
            pendingKey.reset();
        }
    }
}

} // namespace

std::vector<std::string> SteamLibraryPaths(std::string_view vdfText) {
    std::vector<std::string> paths;
    // Depth 1 is inside "libraryfolders".
    ForEachValue(vdfText, [&](const std::vector<std::string>& blocks, const std::string& key,
                              std::string& value) {
        const bool newForm =
            blocks.size() == 2 && IsNumber(blocks[1]) && SameAsciiIgnoringCase(key, "path");
        const bool oldForm = blocks.size() == 1 && IsNumber(key);
        if ((newForm || oldForm) && !value.empty()) paths.push_back(std::move(value));
    });
    return paths;
}

std::optional<std::string> SteamAppInstallDir(std::string_view acfText) {
    std::optional<std::string> folder;
    ForEachValue(acfText, [&](const std::vector<std::string>& blocks, const std::string& key,
                              std::string& value) {
        if (!folder && blocks.size() == 1 && SameAsciiIgnoringCase(blocks[0], "appstate") &&
            SameAsciiIgnoringCase(key, "installdir") && !value.empty())
            folder = std::move(value);
    });
    return folder;
}

} // namespace platform
