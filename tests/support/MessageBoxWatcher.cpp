#include "tests/support/MessageBoxWatcher.h"

#include "tests/support/WindowDriver.h"

MessageBoxWatcher::MessageBoxWatcher(std::string caption, std::vector<int> answers)
    : m_caption(std::move(caption)), m_answers(std::move(answers)), m_thread([this] { Watch(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
    m_stop = true;
    m_thread.join();
}

std::vector<SeenMessageBox> MessageBoxWatcher::Seen() {
    SharedLock::Hold guard(m_lock);
    return m_seen;
}

void MessageBoxWatcher::Watch() {
    size_t next = 0;
    HWND answered = nullptr;
    while (!m_stop) {
        HWND box = FindTopWindow(::GetCurrentProcessId(), m_caption, "#32770");
        // A box stays on screen for a moment after it was answered.
        if (box == nullptr || box == answered) {
            ::Sleep(20);
            if (box == nullptr)
                answered = nullptr;
            continue;
        }
        SeenMessageBox seen{MessageBoxText(box), MessageBoxIcon(box)};
        {
            SharedLock::Hold guard(m_lock);
            m_seen.push_back(seen);
        }
        AnswerMessageBox(box, next < m_answers.size() ? m_answers[next] : IDOK);
        ++next;
        answered = box;
    }
}
