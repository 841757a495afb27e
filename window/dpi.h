// What Windows says about DPI and the message font, on every version from 7 on: newer functions
// are looked up at run time. The arithmetic on twips and pixels is layout.h's.
#pragma once

#include "window/layout.h"

#include <windows.h>

#include <memory>
#include <type_traits>

namespace driversetup {

struct FontDeleter {
    void operator()(HFONT font) const noexcept { DeleteObject(font); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// Windows 10 1607 knows a window's DPI; 8.1 knows its monitor's; before that a process sees the
// system DPI only.
UINT DpiOf(HWND window) noexcept;

// The message font at this DPI. Without the per-DPI query (before Windows 10 1607) the system's
// font is measured at the system DPI and is scaled here.
UniqueFont MessageFont(UINT dpi) noexcept;

// The window's outer size that gives the client area its twips at this DPI, with a frame of
// these styles.
PixelSize WindowSizeFor(HWND window, UINT dpi, DWORD style, DWORD exStyle) noexcept;

} // namespace driversetup
