#include "json_writer.h"

#include <charconv>
#include <cmath>

void JsonWriter::separate() {
    if (needsComma_) out_ += ',';
}

JsonWriter& JsonWriter::open(char bracket) {
    separate();
    out_ += bracket;
    needsComma_ = false;
    return *this;
}

JsonWriter& JsonWriter::close(char bracket) {
    out_ += bracket;
    needsComma_ = true;
    return *this;
}

JsonWriter& JsonWriter::token(std::string_view text) {
    separate();
    out_ += text;
    needsComma_ = true;
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    separate();
    quoted(name);
    out_ += ':';
    needsComma_ = false;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) {
    separate();
    quoted(text);
    needsComma_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(bool flag) { return token(flag ? "true" : "false"); }

template <typename Number> JsonWriter& JsonWriter::integer(Number number) {
    char digits[24];
    return token({digits, static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, number).ptr - digits)});
}

JsonWriter& JsonWriter::signedNumber(int64_t number) { return integer(number); }
JsonWriter& JsonWriter::unsignedNumber(uint64_t number) { return integer(number); }

JsonWriter& JsonWriter::value(double number, int decimals) {
    char digits[64];
    const auto written = std::to_chars(digits, digits + sizeof digits, number, std::chars_format::fixed, decimals);
    // JSON has no form for infinities, NaN, or numbers too long for the buffer.
    if (!std::isfinite(number) || written.ec != std::errc()) return null();
    return token({digits, static_cast<std::size_t>(written.ptr - digits)});
}

JsonWriter& JsonWriter::null() { return token("null"); }

void JsonWriter::quoted(std::string_view text) {
    out_ += '"';
    std::size_t plain = 0; // start of the bytes not yet copied
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte != '"' && byte != '\\') continue;
        out_.append(text, plain, i - plain);
        plain = i + 1;
        out_ += '\\';
        switch (byte) {
        case '"': out_ += '"'; break;
        case '\\': out_ += '\\'; break;
        case '\b': out_ += 'b'; break;
        case '\f': out_ += 'f'; break;
        case '\n': out_ += 'n'; break;
        case '\r': out_ += 'r'; break;
        case '\t': out_ += 't'; break;
        default: {
            constexpr char Hex[] = "0123456789abcdef";
            out_ += "u00";
            out_ += Hex[byte >> 4];
            out_ += Hex[byte & 0xF];
        }
        }
    }
    out_.append(text, plain, text.size() - plain);
    out_ += '"';
}
