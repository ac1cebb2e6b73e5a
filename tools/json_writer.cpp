#include "tools/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstring>

void JsonWriter::flush() {
    out_.append(buffer_, used_);
    used_ = 0;
}

void JsonWriter::put(std::string_view text) {
    if (text.size() > sizeof buffer_ - used_) {
        flush();
        if (text.size() > sizeof buffer_) {
            out_ += text;
            return;
        }
    }
    std::memcpy(buffer_ + used_, text.data(), text.size());
    used_ += text.size();
}

void JsonWriter::separate() {
    if (needsComma_) put(',');
}

JsonWriter& JsonWriter::open(char bracket) {
    separate();
    put(bracket);
    needsComma_ = false;
    return *this;
}

JsonWriter& JsonWriter::close(char bracket) {
    put(bracket);
    needsComma_ = true;
    return *this;
}

JsonWriter& JsonWriter::token(std::string_view text) {
    separate();
    put(text);
    needsComma_ = true;
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    separate();
    put('"');
    put(name);
    put("\":");
    needsComma_ = false;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) {
    separate();
    quoted(text);
    needsComma_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(bool flag) {
    return token(flag ? "true" : "false");
}

template <typename Number> JsonWriter& JsonWriter::integer(Number number) {
    char digits[24];
    return token({digits, static_cast<std::size_t>(
                              std::to_chars(digits, digits + sizeof digits, number).ptr - digits)});
}

JsonWriter& JsonWriter::signedNumber(int64_t number) {
    return integer(number);
}
JsonWriter& JsonWriter::unsignedNumber(uint64_t number) {
    return integer(number);
}

JsonWriter& JsonWriter::value(double number, int decimals) {
    char digits[64];
    const auto written =
        std::to_chars(digits, digits + sizeof digits, number, std::chars_format::fixed, decimals);
    // JSON has no form for infinities, NaN, or numbers too long for the buffer.
    if (!std::isfinite(number) || written.ec != std::errc()) return null();
    return token({digits, static_cast<std::size_t>(written.ptr - digits)});
}

JsonWriter& JsonWriter::null() {
    return token("null");
}

void JsonWriter::quoted(std::string_view text) {
    put('"');
    std::size_t plain = 0; // start of the bytes not yet copied
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte != '"' && byte != '\\') continue;
        put(text.substr(plain, i - plain));
        plain = i + 1;
        put('\\');
        switch (byte) {
        case '"':
            put('"');
            break;
        case '\\':
            put('\\');
            break;
        case '\b':
            put('b');
            break;
        case '\f':
            put('f');
            break;
        case '\n':
            put('n');
            break;
        case '\r':
            put('r');
            break;
        case '\t':
            put('t');
            break;
        default: {
            constexpr char Hex[] = "0123456789abcdef";
            put("u00");
            put(Hex[byte >> 4]);
            put(Hex[byte & 0xF]);
        }
        }
    }
    put(text.substr(plain));
    put('"');
}
