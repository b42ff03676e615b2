#pragma once
// The application object of the window test program, and the log of which object ran or
// updated a command.

#include <string>
#include <vector>

#include "WinApp.h"

class CRoutingApp : public CWinApp {
public:
    std::vector<std::string> m_log;

protected:
    bool HandleCommand(UINT id, UINT code) override;
    bool UpdateCommand(CCmdUI& ui) override;
};

CRoutingApp& TestApp();
