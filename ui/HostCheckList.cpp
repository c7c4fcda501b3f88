#include "ui/HostCheckList.h"

#include "ui/CheckListAccessible.h"

#include <string>

namespace {
const COLORREF kTickedTint = RGB(255, 255, 224);
const COLORREF kDisabledText = RGB(128, 128, 128);

// The text stands at fixed offsets in the row, not centred in it.
constexpr int kTextLeft = 10;
constexpr int kTextTop = 2;
} // namespace

void CHostCheckList::DrawItem(const DRAWITEMSTRUCT& item) {
    const int row = static_cast<int>(item.itemID);
    const bool disabled = !IsWindowEnabled() || !IsEnabled(row);
    COLORREF text = disabled ? kDisabledText : ::GetSysColor(COLOR_WINDOWTEXT);
    // The tint stays on a disabled list; selection hides it, and a disabled list shows
    // no selection.
    COLORREF back = GetCheck(row) != 0 ? kTickedTint : ::GetSysColor(COLOR_WINDOW);
    if (!disabled && (item.itemState & ODS_SELECTED) != 0) {
        text = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        back = ::GetSysColor(COLOR_HIGHLIGHT);
    }
    const COLORREF oldText = ::SetTextColor(item.hDC, text);
    const COLORREF oldBack = ::SetBkColor(item.hDC, back);
    const std::string label = GetText(row);
    ::ExtTextOutA(item.hDC, item.rcItem.left + kTextLeft, item.rcItem.top + kTextTop, ETO_OPAQUE,
                  &item.rcItem, label.c_str(), static_cast<UINT>(label.size()), nullptr);
    ::SetTextColor(item.hDC, oldText);
    ::SetBkColor(item.hDC, oldBack);
}

LRESULT CHostCheckList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETOBJECT) {
        if (LRESULT answer = AnswerWithProxy<CCheckListAccessible>(m_hWnd, wParam, lParam, this))
            return answer;
    }
    return CCheckListBox::WindowProc(message, wParam, lParam);
}
