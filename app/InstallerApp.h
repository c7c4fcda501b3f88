#pragma once
#include "framework/WinApp.h"

// The installer is one modal dialog: InitInstance runs it and returns false, and the
// process ends when the dialog does, whichever way it was closed.
class CInstallerApp : public CWinApp {
public:
    BOOL InitInstance() override;

protected:
    const MessageMap& GetMessageMap() const override;
};
