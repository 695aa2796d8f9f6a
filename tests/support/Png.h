#pragma once
// Writes a picture as a PNG file (24-bit RGB, stored without compression: no zlib needed).
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // top-down rows, three bytes a pixel

    struct Rgb {
        std::uint8_t r, g, b;
    };
    Rgb At(int x, int y) const {
        const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                               static_cast<std::size_t>(x)) * 3;
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
};

bool WritePng(const std::string& path, const Picture& picture);

}  // namespace testsupport
