#pragma once
// A message map is a plain table per class: which window message (or which control
// notification) runs which member function. Tables chain to the base class's table,
// and the first matching entry, walking from the most derived class, wins.
#include "framework/Win32.h"

#include <cstddef>

class CCmdTarget;

struct MessageMapEntry {
    UINT message; // WM_xxx; WM_COMMAND for control notifications and commands
    UINT code;    // the notification code of a WM_COMMAND entry (BN_CLICKED, ...)
    UINT id;      // the control or command id of a WM_COMMAND entry
    LRESULT (*invoke)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);
};

struct MessageMap {
    const MessageMap* base;
    const MessageMapEntry* entries;
    std::size_t count;

    template <std::size_t N>
    MessageMap(const MessageMap* baseMap, const MessageMapEntry (&table)[N])
        : base(baseMap), entries(table), count(N) {}
    explicit MessageMap(const MessageMap* baseMap) : base(baseMap), entries(nullptr), count(0) {}

    // The entry that handles this message, or null when no table in the chain has one.
    const MessageMapEntry* Find(UINT message, WPARAM wParam) const;
};

// Turns a member function into the table's common calling shape. The handler shapes
// are the few this program uses.
template <auto Handler> struct MessageThunk;

template <class T, void (T::*Handler)()> struct MessageThunk<Handler> {
    static LRESULT Invoke(CCmdTarget* target, WPARAM, LPARAM) {
        (static_cast<T*>(target)->*Handler)();
        return 0;
    }
};

template <class T, void (T::*Handler)(UINT, LPARAM)> struct MessageThunk<Handler> {
    static LRESULT Invoke(CCmdTarget* target, WPARAM wParam, LPARAM lParam) {
        (static_cast<T*>(target)->*Handler)(static_cast<UINT>(wParam), lParam);
        return 0;
    }
};

template <class T, HCURSOR (T::*Handler)()> struct MessageThunk<Handler> {
    static LRESULT Invoke(CCmdTarget* target, WPARAM, LPARAM) {
        return reinterpret_cast<LRESULT>((static_cast<T*>(target)->*Handler)());
    }
};

// A window message handled by a member function.
template <UINT Message, auto Handler> constexpr MessageMapEntry MapMessage() {
    return {Message, 0, 0, &MessageThunk<Handler>::Invoke};
}

// A WM_COMMAND with this notification code from this control (or this command id).
template <UINT Code, UINT Id, auto Handler> constexpr MessageMapEntry MapCommand() {
    return {WM_COMMAND, Code, Id, &MessageThunk<Handler>::Invoke};
}

// What has a message map: the windows, and the application, which gets the commands
// no window handles.
class CCmdTarget {
public:
    CCmdTarget() = default;
    virtual ~CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Runs the handler the map has for the command; false when it has none.
    bool OnCmdMsg(UINT id);

protected:
    virtual const MessageMap& GetMessageMap() const;
};
