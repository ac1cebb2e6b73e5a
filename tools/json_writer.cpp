#include "json_writer.h"

#include <charconv>
#include <cmath>

void JsonWriter::separate() {
    if (needsComma_) out_ += ',';
}

JsonWriter& JsonWriter::beginObject() {
    separate();
    out_ += '{';
    needsComma_ = false;
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    out_ += '}';
    needsComma_ = true;
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    separate();
    out_ += '[';
    needsComma_ = false;
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    out_ += ']';
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

JsonWriter& JsonWriter::value(bool flag) {
    separate();
    out_ += flag ? "true" : "false";
    needsComma_ = true;
    return *this;
}

JsonWriter& JsonWriter::signedNumber(int64_t number) {
    separate();
    char digits[24];
    out_.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
    needsComma_ = true;
    return *this;
}

JsonWriter& JsonWriter::unsignedNumber(uint64_t number) {
    separate();
    char digits[24];
    out_.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
    needsComma_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(double number, int decimals) {
    separate();
    char digits[64];
    const auto written = std::to_chars(digits, digits + sizeof digits, number, std::chars_format::fixed, decimals);
    // JSON has no form for infinities, NaN, or numbers too long for the buffer.
    if (std::isfinite(number) && written.ec == std::errc())
        out_.append(digits, written.ptr);
    else
        out_ += "null";
    needsComma_ = true;
    return *this;
}

JsonWriter& JsonWriter::null() {
    separate();
    out_ += "null";
    needsComma_ = true;
    return *this;
}

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
