#pragma once

#include <windows.h>

#include "platform/Types.h"

namespace taktora::platform::win32 {

// A Windows rectangle (two corners) as the program's (a corner and a size).
inline Rect ToRect(const RECT& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// The window's rectangle on the screen, frame included; empty when it cannot be read (a destroyed window).
inline Rect WindowRectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return ToRect(r);
}

// An uncompressed top-down bitmap as GDI describes it.
inline BITMAPINFO TopDownFormat(int width, int height, WORD bitsPerPixel) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// The layout of the program's pictures (Image): top-down rows of 32-bit pixels.
inline BITMAPINFO PictureFormat(int width, int height) {
    return TopDownFormat(width, height, 32);
}

// A Windows colour as the program's, and back.
inline Colour ToColour(COLORREF c) {
    return {GetRValue(c), GetGValue(c), GetBValue(c)};
}
inline COLORREF ToColorRef(const Colour& c) {
    return RGB(c.r, c.g, c.b);
}

}  // namespace taktora::platform::win32
