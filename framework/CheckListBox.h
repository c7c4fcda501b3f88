#pragma once
// A list box with a check box at the left of every row. Created from a template as an
// owner-drawn fixed list that keeps its strings; the list draws what every row has, the
// check box and the focus rectangle, and a derived list draws the text part.
#include "framework/Wnd.h"

#include <string>

// Sent to the parent in a WM_COMMAND when a row's check state was toggled.
constexpr UINT CLBN_CHKCHANGE = 40;

class CCheckListBox : public CWnd {
public:
    // The size of the check image; the check column is 2 pixels wider.
    static constexpr int kCheckImageSize = 13;

    int AddString(const std::string& text);
    int GetCount() const;
    int GetCurSel() const;
    std::string GetText(int row) const;

    // 0 = not ticked, 1 = ticked, 2 = undetermined.
    void SetCheck(int row, int state);
    int GetCheck(int row) const;
    void Enable(int row, bool enabled = true);
    bool IsEnabled(int row) const;
    // The row's rectangle in the list; empty when there is no such row.
    RECT GetItemRect(int row) const;
    // Has the row, or only its check column, drawn again.
    void InvalidateRow(int row, bool checkColumnOnly = false);
    // As a click in the row's check box: 0 becomes 1, 1 or 2 becomes 0, and the
    // parent is told.
    void Toggle(int row);

protected:
    // Draws the text part of a row to draw whole or whose selection changed:
    // item.rcItem is the row without its check column.
    virtual void DrawItem(const DRAWITEMSTRUCT& item) = 0;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    int CheckColumnWidth() const { return kCheckImageSize + 2; }
    void OnLButtonDown(LPARAM point);
    bool OnSpaceKey();
    // The row's check box, its text part, and the focus rectangle over the text part.
    // The row index is negative for an empty list, which still draws its focus.
    void DrawRow(const DRAWITEMSTRUCT& item);
    void DrawCheckColumn(const DRAWITEMSTRUCT& item);
    // A screen reader is told of a row that got the focus, once per move.
    void AnnounceFocus(int row);

    int m_nFocusAnnounced = -1;
};
