#pragma once
// Gives a control the name a screen reader reads, leaving what it shows as it is: by the
// system's name property where the system keeps one, otherwise by answering the
// screen reader's question for the control itself.
#include "framework/Wnd.h"

#include <string>

class CAccessibleName : public CWnd {
public:
    void Attach(HWND control, const std::string& name);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::string m_strName;
};
