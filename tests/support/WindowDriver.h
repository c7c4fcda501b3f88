#pragma once
// Drives windows from outside, as a person would: finds them by caption, reads what
// they show, clicks, presses keys, types, answers message boxes. Works on windows of
// this process (from another thread) and of other processes alike; input is posted,
// so a click that opens a modal box never blocks the driver.
#include "framework/Text.h"
#include "framework/Win32.h"

#include <functional>
#include <string>
#include <vector>

constexpr DWORD kDefaultWait = 10000;

// Polls until done() is true or the time is over; true when done() became true.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = kDefaultWait);

// A visible top-level window of process pid (0 = any) with this caption and, when
// given, this window class.
HWND FindTopWindow(DWORD pid, const std::string& caption, const char* className = nullptr);
HWND WaitForTopWindow(DWORD pid, const std::string& caption, const char* className = nullptr,
                      DWORD timeoutMs = kDefaultWait);

std::string TextOf(HWND window);
std::string ClassOf(HWND window);
bool IsChecked(HWND button);
std::vector<std::string> ListRows(HWND list);
int ListSelection(HWND list);

void Click(HWND button);
// A click that returns once the program has handled it; false when that took longer
// than the time given (the click opened a modal window, or the program hangs).
bool ClickAndWait(HWND button, DWORD timeoutMs = kDefaultWait);
// The window with the keyboard focus in the thread that owns window; GetFocus only
// answers for the calling thread.
HWND FocusIn(HWND window);
// True while the thread that owns window runs the system's move or size loop.
bool InMoveOrSize(HWND window);
// A left click at a point of the window's client area.
void ClickAt(HWND window, int x, int y);
// Key down, the character it makes (if any), key up.
void PressKey(HWND window, UINT virtualKey);
void TypeText(HWND edit, const std::string& text);

// A message box of process pid: a dialog captioned with the application's name.
HWND WaitForMessageBox(DWORD pid, const std::string& caption, DWORD timeoutMs = kDefaultWait);
// The caption of this test program's own message boxes: its executable's name.
std::string OwnCaption();
// The box's message (its longest static text).
std::string MessageBoxText(HWND box);
// The same in UTF-16, for a message that names things the code page cannot hold.
WideString MessageBoxWideText(HWND box);
// The icon the box shows, to compare with LoadIcon(nullptr, IDI_...).
HICON MessageBoxIcon(HWND box);
// Presses the box's button with this id (IDOK, IDYES, IDNO, ...).
void AnswerMessageBox(HWND box, int buttonId);
