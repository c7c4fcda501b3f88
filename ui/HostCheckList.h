#pragma once
// The host list of the installer dialog: a check list whose ticked rows are tinted a
// pale yellow, so the chosen hosts stand out.
#include "framework/CheckListBox.h"

class CHostCheckList : public CCheckListBox {
protected:
    COLORREF RowBackground(int row) const override;
};
