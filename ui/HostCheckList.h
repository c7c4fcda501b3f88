#pragma once
// The host list of the installer dialog: a check list whose ticked rows are tinted a
// pale yellow, so the chosen hosts stand out. Screen readers read its rows as check
// buttons.
#include "framework/CheckListBox.h"

class CHostCheckList : public CCheckListBox {
protected:
    void DrawItem(const DRAWITEMSTRUCT& item) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
