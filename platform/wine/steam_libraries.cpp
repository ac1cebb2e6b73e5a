#include "steam_libraries.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace platform::wine {

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
            while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
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
                if (c == 'n') c = '\n';
                else if (c == 't') c = '\t';
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
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsPathKey(const std::string& key) {
    return key.size() == 4 && std::equal(key.begin(), key.end(), "path", [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

} // namespace

std::vector<std::string> SteamLibraryPaths(std::string_view vdfText) {
    std::vector<std::string> paths;
    Tokenizer tokens(vdfText);
    // Keys from the outermost block inwards; depth 1 is inside "libraryfolders".
    std::vector<std::string> keys;
    std::optional<std::string> pendingKey;
    while (auto token = tokens.next()) {
        if (token->kind == Token::Open) {
            keys.push_back(pendingKey.value_or(std::string{}));
            pendingKey.reset();
        } else if (token->kind == Token::Close) {
            if (!keys.empty()) keys.pop_back();
            pendingKey.reset();
        } else if (!pendingKey) {
            pendingKey = std::move(token->text);
        } else {
            const std::size_t depth = keys.size();
            const bool newForm = depth == 2 && IsNumber(keys[1]) && IsPathKey(*pendingKey);
            const bool oldForm = depth == 1 && IsNumber(*pendingKey);
            if ((newForm || oldForm) && !token->text.empty()) paths.push_back(std::move(token->text));
            pendingKey.reset();
        }
    }
    return paths;
}

} // namespace platform::wine
