#pragma once
// The window's static description: every control with its place, size and start state, in the
// order the controls are created. Positions are twips from the client area's top-left corner
// (1440 to the inch, 15 to the pixel at 96 DPI). No Windows types: the table is plain data.
#include <array>
#include <cstddef>

namespace layout {

inline constexpr const char* kTitle = "Quorvin Tessary Card System";
inline constexpr int kClientWidth = 6180;   // twips
inline constexpr int kClientHeight = 3375;  // twips

// Control identifiers. None is 1 or 2, so Enter and Escape (IDOK, IDCANCEL) click nothing.
enum ControlId : int {
    picMsHTMLDLL = 100,
    Picture1,
    picInstaller,
    cmdClose,
    picInternetData,
    picSmartCard,
    picInternetApp,
    picDotNet,
    picOs,
    picCross,
    picTick,
    Label6_1,
    Label7,
    Label6_0,
    lblOS,
    Label5_0,
    Label4,
    Label3,
    Label2,
    Label1,
};

enum class Kind { Picture, Label, Button };
enum class Image { None, Question, Tick, Cross, Logo };

struct Control {
    ControlId id;
    Kind kind;
    const char* text;
    Image image;
    int left, top, width, height;  // twips
    int tabIndex;
    bool visible;
    bool enabled;
};

// RGB(0, 0, 192): the dark blue of the OS description.
inline constexpr unsigned long kOsTextColour = 0xC00000;  // COLORREF byte order 0x00BBGGRR

// The Internet transfer control of the original design has no run-time appearance and so no
// entry here; the fetch that replaces it lives with the Internet checks.
inline constexpr std::array<Control, 20> kControls{{
    {picMsHTMLDLL, Kind::Picture, "", Image::Question, 840, 2160, 255, 255, 18, true, true},
    {Picture1, Kind::Picture, "", Image::Logo, 120, 240, 615, 615, 17, true, true},
    {picInstaller, Kind::Picture, "", Image::Question, 840, 1680, 255, 255, 15, true, true},
    {cmdClose, Kind::Button, "Close", Image::None, 2400, 2760, 1215, 375, 14, true, false},
    {picInternetData, Kind::Picture, "", Image::Question, 840, 1200, 255, 255, 12, true, true},
    {picSmartCard, Kind::Picture, "", Image::Question, 840, 2400, 255, 255, 11, true, true},
    {picInternetApp, Kind::Picture, "", Image::Question, 840, 960, 255, 255, 10, true, true},
    {picDotNet, Kind::Picture, "", Image::Question, 840, 1920, 255, 255, 9, true, true},
    {picOs, Kind::Picture, "", Image::Question, 840, 1440, 375, 255, 8, true, true},
    {picCross, Kind::Picture, "", Image::Cross, 4920, 480, 375, 255, 7, false, true},
    {picTick, Kind::Picture, "", Image::Tick, 4920, 120, 375, 255, 6, false, true},
    {Label6_1, Kind::Label, "MS Interop Assembly", Image::None, 1200, 2160, 2055, 255, 19, true, true},
    {Label7, Kind::Label, "Windows Installer 3.1", Image::None, 1200, 1680, 1935, 255, 16, true, true},
    {Label6_0, Kind::Label, "Internet Access (Secure Web Service)", Image::None, 1200, 1200, 2895, 255, 13, true, true},
    {lblOS, Kind::Label, "-", Image::None, 2640, 1440, 2535, 255, 5, true, true},
    {Label5_0, Kind::Label, "Smart Card Driver", Image::None, 1200, 2400, 1455, 255, 4, true, true},
    {Label4, Kind::Label, "Internet Access (Application)", Image::None, 1200, 960, 2535, 255, 3, true, true},
    {Label3, Kind::Label, "Dot Net Framework V3.5", Image::None, 1200, 1920, 2175, 255, 2, true, true},
    {Label2, Kind::Label, "Operating System:", Image::None, 1200, 1440, 1455, 255, 1, true, true},
    {Label1, Kind::Label,
     "We have checked your computer to determine whether it can run the Tessary Card software.",
     Image::None, 1200, 360, 3855, 495, 0, true, true},
}};

// Twips to pixels at the given dots per inch, rounded to nearest as MulDiv does.
constexpr int TwipsToPixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : (scaled - 720) / 1440);
}

}  // namespace layout
