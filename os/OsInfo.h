#pragma once
// What OS identification found: the release's numbers, its display text and whether the
// Tessary Card client supports it. A plain record; a new one per query, owned by the caller.
#include <cstdint>
#include <string>

struct OsInfo {
    std::int16_t Platform = 0;  // 0 Win32s, 1 Windows 95/98/Me, 2 NT family
    std::int16_t Major = 0;
    std::int16_t Minor = 0;
    std::int16_t Build = 0;     // stored only; no decision reads it
    std::int16_t SP = 0;        // service pack 0..9, 0 when none was found
    std::string description;    // e.g. "Windows XP SP3"
    bool ok = false;            // true when the release is supported
};
