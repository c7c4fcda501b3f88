#pragma once
// A list box with a check box at the left of every row. Created from a template as an
// owner-drawn fixed list that keeps its strings; the list draws its rows itself and
// asks a derived list only for the background of a row's text part. Screen readers
// read the rows as check buttons.
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

protected:
    // The background of the text part of a row that is not highlighted (not selected,
    // or disabled).
    virtual COLORREF RowBackground(int row) const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    // The default action of a screen reader's check button ticks its row.
    friend class CCheckListAccessible;

    int CheckColumnWidth() const { return kCheckImageSize + 2; }
    void OnLButtonDown(LPARAM point);
    bool OnSpaceKey();
    // 0 becomes 1, 1 or 2 becomes 0; the parent is told.
    void Toggle(int row);
    void InvalidateCheck(int row);
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    // The row's check box, its text, and the focus rectangle over the text part. The
    // row index is negative for an empty list, which still draws its focus.
    void DrawRow(const DRAWITEMSTRUCT& item);
    void DrawCheckColumn(const DRAWITEMSTRUCT& item);
    void DrawTextPart(HDC dc, const RECT& textPart, int row, bool selected);
    // A screen reader is told of a row that got the focus, once per move.
    void AnnounceFocus(int row);

    int m_nFocusAnnounced = -1;
};
