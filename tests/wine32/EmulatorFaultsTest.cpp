// The 32-bit bench's own check: 32-bit Wine under qemu's i386 emulator, with the
// workaround preloaded (qemu_i386_fixes.c), lives through many threads taking page
// faults at once. Without it a page fault reached Windows code as an illegal
// instruction, and a thread came back from a fault on another thread's TLS.
#include "framework/Win32.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
constexpr int kRounds = 5;
constexpr int kThreads = 8;
constexpr int kFaultsPerThread = 200;
constexpr DWORD kPage = 4096;

struct Worker {
    const char* noAccess;
    DWORD tlsSlot;
    int wrong = 0;
};

DWORD CALLBACK TakeFaults(void* parameter) {
    Worker& worker = *static_cast<Worker*>(parameter);
    const DWORD self = ::GetCurrentThreadId();
    ::TlsSetValue(worker.tlsSlot, &worker);
    for (int i = 0; i < kFaultsPerThread; ++i) {
        // Reads the page, takes the access violation and catches it.
        if (!::IsBadReadPtr(worker.noAccess + i % kPage, 1))
            ++worker.wrong;
        // Still this thread's own thread block and TLS after the fault.
        if (::GetCurrentThreadId() != self || ::TlsGetValue(worker.tlsSlot) != &worker)
            ++worker.wrong;
    }
    return 0;
}

TEST(EmulatorFaultsTest, ThreadsTakingPageFaultsAtOnceKeepTheirOwnThreadAndTls) {
    char* noAccess =
        static_cast<char*>(::VirtualAlloc(nullptr, kPage, MEM_COMMIT | MEM_RESERVE, PAGE_NOACCESS));
    ASSERT_NE(nullptr, noAccess);
    const DWORD slot = ::TlsAlloc();
    ASSERT_NE(TLS_OUT_OF_INDEXES, slot);
    for (int round = 0; round < kRounds; ++round) {
        std::vector<Worker> workers(kThreads, Worker{noAccess, slot});
        std::vector<HANDLE> threads;
        for (Worker& worker : workers)
            threads.push_back(::CreateThread(nullptr, 0, TakeFaults, &worker, 0, nullptr));
        for (HANDLE thread : threads) {
            ASSERT_NE(nullptr, thread);
            EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread, 60000));
            ::CloseHandle(thread);
        }
        for (const Worker& worker : workers)
            EXPECT_EQ(0, worker.wrong) << "round " << round;
    }
    ::TlsFree(slot);
    ::VirtualFree(noAccess, 0, MEM_RELEASE);
}
} // namespace
