#include "tests/support/Screenshot.h"

#include "tests/support/Files.h"
#include "tests/support/WindowDriver.h"

Capture CaptureWindow(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    Capture capture;
    capture.width = rect.right - rect.left;
    capture.height = rect.bottom - rect.top;
    if (capture.width <= 0 || capture.height <= 0)
        return capture;

    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = capture.width;
    info.bmiHeader.biHeight = -capture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, capture.width, capture.height, screen, rect.left, rect.top, SRCCOPY);
    ::GdiFlush();
    const auto* bgra = static_cast<const BYTE*>(bits);
    capture.pixels.resize(static_cast<size_t>(capture.width) * capture.height);
    for (size_t i = 0; i < capture.pixels.size(); ++i)
        capture.pixels[i] = RGB(bgra[i * 4 + 2], bgra[i * 4 + 1], bgra[i * 4]);
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return capture;
}

std::string SaveScreenshot(const Capture& capture, const std::string& name) {
    const std::string folder = BuildFolder() + "\\..\\screenshots";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\" + name + ".bmp";
    const int stride = (capture.width * 3 + 3) & ~3;
    std::string bytes;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = capture.width;
    info.biHeight = capture.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(stride * capture.height);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    bytes.append(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    for (int y = capture.height - 1; y >= 0; --y) {
        std::string row(static_cast<size_t>(stride), '\0');
        for (int x = 0; x < capture.width; ++x) {
            const COLORREF c = capture.At(x, y);
            row[static_cast<size_t>(x) * 3] = static_cast<char>(GetBValue(c));
            row[static_cast<size_t>(x) * 3 + 1] = static_cast<char>(GetGValue(c));
            row[static_cast<size_t>(x) * 3 + 2] = static_cast<char>(GetRValue(c));
        }
        bytes += row;
    }
    WriteFileBytes(path, bytes);
    return path;
}

POINT ClientOffset(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    return POINT{origin.x - rect.left, origin.y - rect.top};
}

namespace {
// True while the window or one of its visible children still has something to paint.
bool PaintingPending(HWND window) {
    if (::GetUpdateRect(window, nullptr, FALSE))
        return true;
    for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
        if (::IsWindowVisible(child) && PaintingPending(child))
            return true;
    return false;
}
} // namespace

bool WaitUntilPainted(HWND dialog, DWORD timeoutMs) {
    // Painted by the program is not yet shown on the screen: the picture must also have
    // stopped changing between two looks.
    const POINT client = ClientOffset(dialog);
    std::vector<COLORREF> previous;
    return WaitUntil(
        [&] {
            if (PaintingPending(dialog))
                return false;
            Capture shown = CaptureWindow(dialog);
            const bool settled =
                shown.width > client.x + 2 && shown.height > client.y + 2 &&
                shown.At(client.x + 2, client.y + 2) == ::GetSysColor(COLOR_3DFACE) &&
                shown.pixels == previous;
            previous = std::move(shown.pixels);
            return settled;
        },
        timeoutMs);
}
