#pragma once
// Reads a dialog template from a module's resources as the dialog manager will: the
// dialog's own fields and every control's, so tests can hold them to the design.
#include "framework/Win32.h"

#include <string>
#include <vector>

struct DialogItemTemplate {
    int id;
    std::string className; // "Button", "Edit", "Static", "ListBox", ... or the class name
    std::string text;      // "#128" for a resource ordinal
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
};

struct DialogTemplate {
    bool extended = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;
    int pointSize = 0;
    std::string typeface;
    std::vector<DialogItemTemplate> items;
};

// False when the module has no such dialog.
bool LoadDialogTemplate(HMODULE module, int id, DialogTemplate* result);
