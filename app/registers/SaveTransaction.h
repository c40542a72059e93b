// The save path of the register windows: every save runs in one transaction on the connection,
// compares the row it overwrites with the row as it was loaded, and ends with a message the user
// can act on:
//   - a validation that needs the database as it is inside the transaction (a taken code or
//     name, an estate outside the operator's scope) raises ESaveRefused: rolled back, its message
//     shown with its kind, the focus on its control;
//   - a row another station changed or deleted since it was loaded raises EStaleRecord: rolled
//     back, MsgRecordChanged;
//   - any other failure: rolled back, "保存失败，请检测数据库连接！".
// The dialog that saves stays open with what was typed in every one of these cases.
#pragma once

#include "app/core/AppErrors.h"

#include "rtl/SysUtils.h"
#include "rtl/Types.h"

#include <functional>
#include <map>
#include <vector>

class TADOConnection;
class TDataSet;
class TWinControl;

class ESaveRefused : public Exception {
public:
    ESaveRefused(const String& message, int kind, TWinControl* focus)
        : Exception(message), Kind(kind), Focus(focus) {}
    int Kind;
    TWinControl* Focus;
};

ORV_DECLARE_EXCEPTION(EStaleRecord, Exception)

// The values of a row as a list or dialog loaded it, by field name, to tell later whether the
// stored row is still the same.
class TRowSnapshot {
public:
    TRowSnapshot() = default;
    // The current record of the data set (empty when it has none).
    static TRowSnapshot Take(const TDataSet& dataSet);
    bool Empty() const { return FValues.empty(); }
    // Raises EStaleRecord when the table's row with the id is gone or any of its fields differs
    // from the snapshot, leaving out the fields named in ignored (upper-cased names; a figure the
    // save does not write, such as a part's stock). Runs on the connection, inside the caller's
    // transaction.
    void Verify(TADOConnection* connection, const String& table, int id,
                const std::vector<String>& ignored = {}) const;

private:
    std::map<String, String> FValues; // upper-cased field name -> value as text ("\x01" for Null)
};

// Runs work in one transaction on dmData's connection as described above. True when it was
// committed; false when it was rolled back (its message shown).
// failureMessage replaces MsgSaveFailed (a deletion tells its own failure).
bool RunSaveTransaction(const std::function<void()>& work, const String& failureMessage = MsgSaveFailed);
