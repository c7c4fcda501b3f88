#pragma once
// Device contexts held for one piece of painting, released on every path.
#include "framework/Win32.h"

// One WM_PAINT: BeginPaint on construction, EndPaint on destruction.
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

// A memory DC compatible with another, with a bitmap selected into it for as long as
// it lives, to copy the bitmap from.
class CBitmapDC {
public:
    CBitmapDC(HDC compatibleWith, HBITMAP bitmap) : m_hDC(::CreateCompatibleDC(compatibleWith)) {
        if (m_hDC != nullptr)
            m_hOldBitmap = ::SelectObject(m_hDC, bitmap);
    }
    ~CBitmapDC() {
        if (m_hDC != nullptr) {
            ::SelectObject(m_hDC, m_hOldBitmap);
            ::DeleteDC(m_hDC);
        }
    }
    CBitmapDC(const CBitmapDC&) = delete;
    CBitmapDC& operator=(const CBitmapDC&) = delete;

    HDC m_hDC;

private:
    HGDIOBJ m_hOldBitmap = nullptr;
};
