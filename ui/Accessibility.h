#pragma once
// What the program asks of the system's accessibility library, through which screen
// readers read its windows. The library is not one that Windows always loads
// from its own folder, so the program does not import it: it is loaded from the system
// folder on first use, and without it every window works as before, only unread.
#include "framework/Win32.h"

#include <oleacc.h>

#include <string>

// The system's own object for a window's client area, or null.
IAccessible* CreateStdAccessible(HWND hWnd);

// The answer to WM_GETOBJECT that hands object to the asking screen reader; 0 (let the
// window's own procedure answer) when it cannot be handed over.
LRESULT AnswerGetObject(WPARAM wParam, IAccessible* object);

// The text as a string a screen reader takes over, or null.
BSTR AllocAccessibleString(const std::string& text);

// Has the system give the control this name for screen readers, leaving what it shows
// as it is; false where the system keeps no such names.
bool SetAccessibleNameProperty(HWND control, const std::string& name);
