#pragma once
// GoogleTest's Notification, on a Win32 event. Its own is built on std::mutex and
// std::condition_variable, which the 32-bit cross compiler's win32 thread model lacks;
// included before GoogleTest's headers in the 32-bit build only.
#include <windows.h>

namespace testing {
namespace internal {
class Notification {
public:
    Notification() : m_event(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { ::CloseHandle(m_event); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { ::SetEvent(m_event); }
    void WaitForNotification() { ::WaitForSingleObject(m_event, INFINITE); }

private:
    HANDLE m_event;
};
} // namespace internal
} // namespace testing

#define GTEST_HAS_NOTIFICATION_ 1
