#pragma once
// A kernel object's handle (a file, a mutex) with one owner, closed on every path:
// when the owner is given another, closes it or goes. None is null; the
// INVALID_HANDLE_VALUE with which CreateFile fails counts as none too.
#include "framework/Win32.h"

class COwnedHandle {
public:
    COwnedHandle() = default;
    explicit COwnedHandle(HANDLE handle) { Reset(handle); }
    ~COwnedHandle() { Close(); }
    COwnedHandle(const COwnedHandle&) = delete;
    COwnedHandle& operator=(const COwnedHandle&) = delete;

    // Takes no system call until the old handle is closed, so the error of the call
    // that made the new one can still be read.
    void Reset(HANDLE handle) {
        Close();
        m_handle = handle == INVALID_HANDLE_VALUE ? nullptr : handle;
    }
    void Close() {
        if (m_handle != nullptr) {
            ::CloseHandle(m_handle);
            m_handle = nullptr;
        }
    }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle = nullptr;
};
