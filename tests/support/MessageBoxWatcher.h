#pragma once
// Answers the message boxes this process shows while it lives, as a person would:
// each box is read (text and icon) and answered with the next of the given answers,
// or OK when none is left.
#include "framework/Win32.h"
#include "tests/support/UserThread.h"

#include <atomic>
#include <string>
#include <vector>

struct SeenMessageBox {
    std::string text;
    HICON icon;
};

class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(std::string caption, std::vector<int> answers = {});
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    // The boxes answered so far.
    std::vector<SeenMessageBox> Seen();

private:
    void Watch();

    std::string m_caption;
    std::vector<int> m_answers;
    std::vector<SeenMessageBox> m_seen;
    SharedLock m_lock;
    std::atomic<bool> m_stop{false};
    UserThread m_thread;
};
