#pragma once
// A small strict JSON reader for checking the reports: it rejects what RFC 8259 rejects (raw
// control characters in strings, bad escapes, trailing text, malformed UTF-8), so a report that
// reads back is a valid JSON text. Numbers, which a report never holds, are rejected too.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace apptest {

struct JsonValue {
    enum class Kind { Null, Boolean, String, Array, Object } kind = Kind::Null;
    bool boolean = false;
    std::string text;  // a string's UTF-8 bytes
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> members;  // in document order

    // The member called `name`; throws when there is none.
    const JsonValue& operator[](std::string_view name) const;
    const JsonValue& operator[](std::size_t index) const { return items.at(index); }
};

// The value the text holds; nothing when it is not valid JSON.
std::optional<JsonValue> ReadJson(std::string_view text);

// True when `bytes` is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsWellFormedUtf8(std::string_view bytes);

}  // namespace apptest
