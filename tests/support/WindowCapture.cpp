#include "WindowCapture.h"

#include "platform/ScopedHandle.h"

namespace testsupport {
namespace {

// Copies a rectangle of the screen into a top-down 24-bit picture.
Picture CaptureScreen(int left, int top, int width, int height) {
    Picture picture;
    if (width <= 0 || height <= 0) return picture;
    HDC screen = GetDC(nullptr);
    platform::ScopedMemoryDc memory(CreateCompatibleDC(screen));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    platform::ScopedGdiObject dib(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (dib && bits) {
        const HGDIOBJ previous = SelectObject(memory.get(), dib.get());
        BitBlt(memory.get(), 0, 0, width, height, screen, left, top, SRCCOPY);
        GdiFlush();
        picture.width = width;
        picture.height = height;
        picture.rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
        const auto* pixels = static_cast<const std::uint8_t*>(bits);
        for (std::size_t i = 0, n = static_cast<std::size_t>(width) * static_cast<std::size_t>(height); i < n; ++i) {
            picture.rgb[i * 3] = pixels[i * 4 + 2];
            picture.rgb[i * 3 + 1] = pixels[i * 4 + 1];
            picture.rgb[i * 3 + 2] = pixels[i * 4];
        }
        SelectObject(memory.get(), previous);
    }
    ReleaseDC(nullptr, screen);
    return picture;
}

struct WindowSearch {
    DWORD processId;
    const std::string* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != search->processId || !IsWindowVisible(hwnd)) return TRUE;
    if (WindowText(hwnd) != *search->title) return TRUE;
    search->found = hwnd;
    return FALSE;
}

}  // namespace

HWND FindShownWindow(DWORD processId, const std::string& title) {
    WindowSearch search{processId, &title, nullptr};
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

Picture CaptureClient(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return CaptureScreen(origin.x, origin.y, client.right, client.bottom);
}

Picture CaptureWindow(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    return CaptureScreen(frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
}

Picture CaptureScreenArea(const RECT& area) {
    return CaptureScreen(area.left, area.top, area.right - area.left, area.bottom - area.top);
}

RECT ChildRect(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string WindowText(HWND window) {
    char text[1024] = {};
    const int n = GetWindowTextA(window, text, static_cast<int>(sizeof text));
    return std::string(text, static_cast<std::size_t>(n > 0 ? n : 0));
}

}  // namespace testsupport
