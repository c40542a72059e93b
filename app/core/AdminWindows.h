// The administration windows the main window's actions open: company information (101),
// password change (102), operators (103), data clearing (105), the house import (107) and option
// codes (209).
#pragma once

void RegisterAdminWindows();
