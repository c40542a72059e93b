// The detail batch of a master-detail list window (the repair lines, a meter's households, a shared
// fee's rows): a client batch query that follows the list's current row through the list's data
// source, or, while a record is being added, shows the rows of the one key the new record takes.
#pragma once

#include "rtl/Types.h"

class TADOQuery;
class TDataSource;

// Opens the detail on its statement linked to the list: its rows follow the list's current row.
// A failure to open is told with MsgOpenFailed.
void FollowListRows(TADOQuery* detail, const String& statement, TDataSource* list);

// Opens the detail on its statement unlinked, the parameter set to the key (a record being added).
// A failure to open is told with MsgOpenFailed.
void ShowRowsOfKey(TADOQuery* detail, const String& statement, const String& param, const String& key);
