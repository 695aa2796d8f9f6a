#pragma once
// What the fuzz targets share: reading an input as text fields, and stopping loudly when an
// invariant breaks (the driver then keeps the input that broke it).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

// The entry point every fuzz target defines; libFuzzer or the corpus replayer calls it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fuzz {

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// `input` as `count` fields: the first `count - 1` lines, then everything after them. Missing
// fields are empty, so every input yields exactly `count` fields.
inline std::vector<std::string_view> Fields(std::string_view input, std::size_t count) {
    std::vector<std::string_view> fields;
    while (fields.size() + 1 < count) {
        const std::size_t end = input.find('\n');
        fields.push_back(input.substr(0, end));
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
    }
    fields.push_back(input);
    return fields;
}

inline void Require(bool holds, const char* invariant) {
    if (holds) return;
    std::fprintf(stderr, "invariant broken: %s\n", invariant);
    std::abort();
}

}  // namespace fuzz
