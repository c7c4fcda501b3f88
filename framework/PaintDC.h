#pragma once
// Painting of one WM_PAINT: BeginPaint on construction, EndPaint on destruction.
#include "framework/Win32.h"

class CPaintDC {
public:
    explicit CPaintDC(HWND wnd) : m_hWnd(wnd) { m_hDC = ::BeginPaint(wnd, &m_ps); }
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC m_hDC;
    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};
