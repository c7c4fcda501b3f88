#include "ui/HostCheckList.h"

namespace {
const COLORREF kTickedTint = RGB(255, 255, 224);
} // namespace

// The tint stays on a disabled list; selection hides it.
COLORREF CHostCheckList::RowBackground(int row) const {
    return GetCheck(row) != 0 ? kTickedTint : CCheckListBox::RowBackground(row);
}
