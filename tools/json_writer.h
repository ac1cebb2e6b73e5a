// Writes JSON text straight into a string as it goes, without building a tree first:
// tarvex-info writes one object per replay of a folder. The bytes are those of the usual
// compact form: no spaces, the texts' UTF-8 as it is, only the quote, the backslash and the
// control characters escaped (the short escapes where JSON has them, else \u00xx).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

class JsonWriter {
public:
    // The text reaches out in blocks, and wholly once the writer ends.
    explicit JsonWriter(std::string& out) : out_(out) {}
    ~JsonWriter() { flush(); }
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    JsonWriter& beginObject() { return open('{'); }
    JsonWriter& endObject() { return close('}'); }
    JsonWriter& beginArray() { return open('['); }
    JsonWriter& endArray() { return close(']'); }
    // The name of the next member of the open object: one of the program's own, which has
    // nothing to escape (no quote, backslash or control character).
    JsonWriter& key(std::string_view name);

    // A text, which must be UTF-8.
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(bool flag);
    template <typename Number>
    requires(std::is_integral_v<Number> &&
             !std::is_same_v<Number, bool>) JsonWriter& value(Number number) {
        if constexpr (std::is_signed_v<Number>)
            return signedNumber(number);
        else
            return unsignedNumber(number);
    }

    // A number written with exactly this many decimals (41.3, 22.0).
    JsonWriter& value(double number, int decimals);
    JsonWriter& null();
    // The value, or null when there is none.
    template <typename Value> JsonWriter& value(const std::optional<Value>& v) {
        return v ? value(*v) : null();
    }

    // key(name) then value(v).
    template <typename Value> JsonWriter& member(std::string_view name, const Value& v) {
        return key(name).value(v);
    }

private:
    void separate();
    JsonWriter& open(char bracket);
    JsonWriter& close(char bracket);
    // A value written as it stands (a number, true, false, null).
    JsonWriter& token(std::string_view text);
    template <typename Number> JsonWriter& integer(Number number);
    JsonWriter& signedNumber(int64_t number);
    JsonWriter& unsignedNumber(uint64_t number);
    void quoted(std::string_view text);
    // A record is written a byte or a few at a time: into a buffer of the writer's own, which
    // goes into the string in one append when full and at the end, rather than a call of the
    // string's for each.
    void put(char byte) {
        if (used_ == sizeof buffer_) flush();
        buffer_[used_++] = byte;
    }
    void put(std::string_view text);
    void flush();

    std::string& out_;
    char buffer_[4096];
    std::size_t used_ = 0;
    bool needsComma_ = false; // a value just ended inside an array or object
};
