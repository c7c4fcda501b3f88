#pragma once
// Pictures of windows as the screen shows them: taken from the screen, since Wine
// cannot print another process's window.
#include "framework/Win32.h"

#include <string>
#include <vector>

struct Capture {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels; // top row first, RGB() values

    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The window's whole rectangle as it is on the screen now.
Capture CaptureWindow(HWND window);

// Writes the capture as a 24-bit BMP into the build's screenshots folder and returns
// its path there.
std::string SaveScreenshot(const Capture& capture, const std::string& name);

// Where the window's client area starts inside a capture of the whole window.
POINT ClientOffset(HWND window);

// Waits until the dialog shows on the screen painted: the corner of its client area
// has the dialog face colour. False when that did not happen in time.
bool WaitUntilPainted(HWND dialog, DWORD timeoutMs = 10000);
