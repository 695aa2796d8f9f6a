#include "WindowImages.h"

#include "app/window/ImageScale.h"
#include "platform/SelectionGuard.h"
#include "app/res/resource.h"

namespace {

// The 96-DPI drawing of each image, in the order of WindowImages' slots; the drawings for the
// larger scales follow at IDB_SCALE_STEP apart.
constexpr std::array<int, 4> kResources{IDB_QUESTION, IDB_TICK, IDB_CROSS, IDB_LOGO};

std::size_t Slot(layout::Image image) { return static_cast<std::size_t>(image) - 1; }

// `source` scaled down to `width` x `height` with halftoning, which averages the pixels each
// target pixel covers instead of dropping some.
platform::ScopedGdiObject ScaledDown(HBITMAP source, const BITMAP& size, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    platform::ScopedGdiObject target(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    platform::ScopedMemoryDc from(CreateCompatibleDC(nullptr));
    platform::ScopedMemoryDc to(CreateCompatibleDC(nullptr));
    if (!target || !from || !to) return {};
    platform::SelectionGuard fromSelected(from.get(), source);
    platform::SelectionGuard toSelected(to.get(), target.get());
    SetStretchBltMode(to.get(), HALFTONE);
    SetBrushOrgEx(to.get(), 0, 0, nullptr);  // as HALFTONE requires
    if (!StretchBlt(to.get(), 0, 0, width, height, from.get(), 0, 0, size.bmWidth, size.bmHeight, SRCCOPY))
        return {};
    return target;
}

platform::ScopedGdiObject LoadForDpi(HINSTANCE instance, int resource96, int dpi) {
    const std::size_t drawing = image_scale::DrawingFor(dpi);
    const int id = resource96 + IDB_SCALE_STEP * static_cast<int>(drawing);
    platform::ScopedGdiObject drawn(
        LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP size{};
    if (!drawn || !GetObjectA(drawn.get(), sizeof size, &size)) return {};
    const int drawnDpi = image_scale::kDrawnDpis[drawing];
    const int width = image_scale::ShownLength(size.bmWidth, drawnDpi, dpi);
    const int height = image_scale::ShownLength(size.bmHeight, drawnDpi, dpi);
    if (width == size.bmWidth && height == size.bmHeight) return drawn;
    platform::ScopedGdiObject scaled = ScaledDown(static_cast<HBITMAP>(drawn.get()), size, width, height);
    return scaled ? std::move(scaled) : std::move(drawn);  // unscaled rather than none
}

}  // namespace

void WindowImages::Load(HINSTANCE instance, int dpi) {
    for (std::size_t i = 0; i < bitmaps_.size(); ++i) bitmaps_[i] = LoadForDpi(instance, kResources[i], dpi);
}

HBITMAP WindowImages::Get(layout::Image image) const {
    if (image == layout::Image::None) return nullptr;
    return static_cast<HBITMAP>(bitmaps_[Slot(image)].get());
}
