#include "JsonReader.h"

#include <stdexcept>

namespace apptest {

namespace {

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    std::optional<JsonValue> Document() {
        std::optional<JsonValue> value = Value();
        SkipSpace();
        if (!value || at_ != text_.size()) return std::nullopt;
        return value;
    }

private:
    bool AtEnd() const { return at_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[at_]; }
    void SkipSpace() {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) ++at_;
    }
    bool Literal(std::string_view word) {
        if (text_.substr(at_, word.size()) != word) return false;
        at_ += word.size();
        return true;
    }

    std::optional<JsonValue> Value() {
        SkipSpace();
        JsonValue value;
        const char c = Peek();
        if (c == '{') return Object();
        if (c == '[') return Array();
        if (c == '"') {
            std::optional<std::string> s = String();
            if (!s) return std::nullopt;
            value.kind = JsonValue::Kind::String;
            value.text = std::move(*s);
            return value;
        }
        if (Literal("true")) {
            value.kind = JsonValue::Kind::Boolean;
            value.boolean = true;
            return value;
        }
        if (Literal("false")) {
            value.kind = JsonValue::Kind::Boolean;
            return value;
        }
        if (Literal("null")) return value;
        return std::nullopt;  // numbers included: a report holds none
    }

    std::optional<JsonValue> Array() {
        ++at_;
        JsonValue value;
        value.kind = JsonValue::Kind::Array;
        SkipSpace();
        if (Peek() == ']') {
            ++at_;
            return value;
        }
        for (;;) {
            std::optional<JsonValue> item = Value();
            if (!item) return std::nullopt;
            value.items.push_back(std::move(*item));
            SkipSpace();
            if (Peek() == ',') {
                ++at_;
                continue;
            }
            if (Peek() != ']') return std::nullopt;
            ++at_;
            return value;
        }
    }

    std::optional<JsonValue> Object() {
        ++at_;
        JsonValue value;
        value.kind = JsonValue::Kind::Object;
        SkipSpace();
        if (Peek() == '}') {
            ++at_;
            return value;
        }
        for (;;) {
            SkipSpace();
            if (Peek() != '"') return std::nullopt;
            std::optional<std::string> name = String();
            SkipSpace();
            if (!name || Peek() != ':') return std::nullopt;
            ++at_;
            std::optional<JsonValue> member = Value();
            if (!member) return std::nullopt;
            value.members.emplace_back(std::move(*name), std::move(*member));
            SkipSpace();
            if (Peek() == ',') {
                ++at_;
                continue;
            }
            if (Peek() != '}') return std::nullopt;
            ++at_;
            return value;
        }
    }

    std::optional<unsigned> Hex4() {
        if (text_.size() - at_ < 4) return std::nullopt;
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text_[at_++];
            value <<= 4;
            if (c >= '0' && c <= '9') value |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f') value |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F') value |= static_cast<unsigned>(c - 'A' + 10);
            else return std::nullopt;
        }
        return value;
    }

    static void AppendUtf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    std::optional<std::string> String() {
        ++at_;  // the opening quote
        std::string out;
        for (;;) {
            if (AtEnd()) return std::nullopt;
            const char c = text_[at_++];
            if (c == '"') break;
            if (static_cast<unsigned char>(c) < 0x20) return std::nullopt;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (AtEnd()) return std::nullopt;
            const char e = text_[at_++];
            switch (e) {
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                case '/': out += '/'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'u': {
                    std::optional<unsigned> code = Hex4();
                    if (!code) return std::nullopt;
                    if (*code >= 0xD800 && *code <= 0xDBFF) {
                        if (!Literal("\\u")) return std::nullopt;
                        const std::optional<unsigned> low = Hex4();
                        if (!low || *low < 0xDC00 || *low > 0xDFFF) return std::nullopt;
                        code = 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00);
                    } else if (*code >= 0xDC00 && *code <= 0xDFFF) {
                        return std::nullopt;
                    }
                    AppendUtf8(out, *code);
                    break;
                }
                default: return std::nullopt;
            }
        }
        if (!IsWellFormedUtf8(out)) return std::nullopt;
        return out;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace

const JsonValue& JsonValue::operator[](std::string_view name) const {
    for (const auto& [key, value] : members)
        if (key == name) return value;
    throw std::out_of_range("no member " + std::string(name));
}

std::optional<JsonValue> ReadJson(std::string_view text) { return Reader(text).Document(); }

bool IsWellFormedUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
        const unsigned char lead = b(i);
        std::size_t n = 0;
        unsigned code = 0;
        if (lead < 0x80) { ++i; continue; }
        if (lead >= 0xC2 && lead <= 0xDF) { n = 2; code = lead & 0x1F; }
        else if (lead >= 0xE0 && lead <= 0xEF) { n = 3; code = lead & 0x0F; }
        else if (lead >= 0xF0 && lead <= 0xF4) { n = 4; code = lead & 0x07; }
        else return false;
        if (bytes.size() - i < n) return false;
        for (std::size_t k = 1; k < n; ++k) {
            if ((b(i + k) & 0xC0) != 0x80) return false;
            code = (code << 6) | (b(i + k) & 0x3F);
        }
        const unsigned minimum = n == 2 ? 0x80 : n == 3 ? 0x800 : 0x10000;
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += n;
    }
    return true;
}

}  // namespace apptest
