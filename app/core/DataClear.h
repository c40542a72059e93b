// The groups of business tables the data clearing empties: each a check box caption and its
// statements, in the order in which they run; and the run over the ticked groups.
#pragma once

#include "rtl/Types.h"

#include <vector>

class TADOQuery;

struct TClearGroup {
    String Caption;
    std::vector<String> Statements;
};

// The sixteen groups in the order in which they run.
const std::vector<TClearGroup>& ClearGroups();
// The groups' indexes in the order the window shows them (1 to 8, 14, 13, 9 to 12, 15, 16).
const std::vector<int>& ClearGroupsShown();
// Runs the statements of every ticked group (ticked[i] for ClearGroups()[i]) in order on the
// query; the caller holds the transaction. Errors reach the caller.
void RunClearGroups(TADOQuery* query, const std::vector<bool>& ticked);
