#pragma once
// A second thread that plays the user while the test's thread runs a modal loop.
// The 32-bit cross compiler's thread model is win32, which has no std::thread or
// std::mutex, and the tests that start the installer are built for both targets.
#include "framework/Win32.h"

#include <functional>
#include <utility>

class UserThread {
public:
    explicit UserThread(std::function<void()> body) : m_body(std::move(body)) {
        m_thread = ::CreateThread(nullptr, 0, &UserThread::Run, this, 0, nullptr);
        if (m_thread == nullptr)
            m_body();  // no second thread to be had: play the user at once
    }
    ~UserThread() { join(); }
    UserThread(const UserThread&) = delete;
    UserThread& operator=(const UserThread&) = delete;

    void join() {
        if (m_thread == nullptr)
            return;
        ::WaitForSingleObject(m_thread, INFINITE);
        ::CloseHandle(m_thread);
        m_thread = nullptr;
    }

private:
    static DWORD CALLBACK Run(void* self) {
        static_cast<UserThread*>(self)->m_body();
        return 0;
    }

    std::function<void()> m_body;
    HANDLE m_thread = nullptr;
};

// A lock for what the user thread and the test's thread share.
class SharedLock {
public:
    SharedLock() { ::InitializeCriticalSection(&m_section); }
    ~SharedLock() { ::DeleteCriticalSection(&m_section); }
    SharedLock(const SharedLock&) = delete;
    SharedLock& operator=(const SharedLock&) = delete;

    class Hold {
    public:
        explicit Hold(SharedLock& lock) : m_lock(lock) { ::EnterCriticalSection(&m_lock.m_section); }
        ~Hold() { ::LeaveCriticalSection(&m_lock.m_section); }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        SharedLock& m_lock;
    };

private:
    CRITICAL_SECTION m_section;
};
