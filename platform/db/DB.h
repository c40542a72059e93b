// Shared types of the data-aware classes: data set states, data events, field types, locate
// options, update status, bookmarks and the database error.
#pragma once

#include "classes/Alignment.h"
#include "classes/Meta.h"
#include "rtl/SysUtils.h"
#include "rtl/Types.h"

#include <functional>

// Every error of the data sets, fields and connections. Messages are the platform's texts
// ("Field 'X' not found", "Cannot perform this operation on a closed dataset", ...) or, for a
// statement that fails, the database's own message.
ORV_DECLARE_EXCEPTION(EDatabaseError, Exception)
// A write that would give a unique index (or the primary key) a value it holds already.
ORV_DECLARE_EXCEPTION(EDatabaseKeyViolation, EDatabaseError)
// Another connection has the database file open, so a step that needs it alone cannot run.
ORV_DECLARE_EXCEPTION(EDatabaseInUse, EDatabaseError)

[[noreturn]] void DatabaseError(const String& message);

// The states of a data set. dsInactive: closed; dsBrowse: open, reading; dsEdit: the current
// record is being changed; dsInsert: a new record is being made; dsSetKey: searching by key;
// dsCalcFields: calculated fields of a record are being computed (OnCalcFields); dsFilter: a
// record is being offered to OnFilterRecord.
enum TDataSetState {
    dsInactive,
    dsBrowse,
    dsEdit,
    dsInsert,
    dsSetKey,
    dsCalcFields,
    dsFilter,
    dsNewValue,
    dsOldValue,
    dsCurValue,
    dsBlockRead,
    dsInternalCalc,
    dsOpening
};

// What a data set tells its data sources and links, in the platform's order (the codes matter:
// the grid reacts to deDataSetChange = 2 and deDisabledStateChange = 14).
enum TDataEvent {
    deFieldChange,  // Info: the TField*
    deRecordChange, // Info: the TField* or nullptr
    deDataSetChange,
    deDataSetScroll, // Info: the distance the current record moved
    deLayoutChange,
    deUpdateRecord,
    deUpdateState,
    deCheckBrowseMode,
    dePropertyChange,
    deFieldListChange,
    deFocusControl, // Info: a TField** the handler clears when it took the focus
    deParentScroll,
    deConnectChange,
    deReconcileError,
    deDisabledStateChange // Info: 1 when the controls are enabled again, 0 when disabled
};

enum TFieldType {
    ftUnknown,
    ftString,
    ftSmallint,
    ftInteger,
    ftWord,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftBCD,
    ftDate,
    ftTime,
    ftDateTime,
    ftBytes,
    ftVarBytes,
    ftAutoInc,
    ftBlob,
    ftMemo,
    ftGraphic,
    ftFmtMemo,
    ftParadoxOle,
    ftDBaseOle,
    ftTypedBinary,
    ftCursor,
    ftFixedChar,
    ftWideString,
    ftLargeint,
    ftADT,
    ftArray,
    ftReference,
    ftDataSet,
    ftOraBlob,
    ftOraClob,
    ftVariant,
    ftInterface,
    ftIDispatch,
    ftGuid,
    ftTimeStamp,
    ftFMTBcd
};

// fkData: a column of the data; fkCalculated: computed in OnCalcFields; fkLookup: read from
// another data set through key fields.
enum TFieldKind { fkData, fkCalculated, fkLookup, fkInternalCalc, fkAggregate };
ORV_ENUM(TFieldKind, fkData, fkCalculated, fkLookup, fkInternalCalc, fkAggregate)

// Options of Locate: flags that may be combined (loCaseInsensitive | loPartialKey).
enum TLocateOption : unsigned { loCaseInsensitive = 1, loPartialKey = 2 };
using TLocateOptions = unsigned;

// The state of a record of a client cursor relative to the database.
enum TUpdateStatus { usUnmodified, usModified, usInserted, usDeleted };

// A bookmark: an opaque key of one record of one open data set; empty for none. Bookmarks of a
// data set stay valid while it is open, also across sorting and filtering.
using TBookmark = String;
using TBookmarkStr = String;

class TDataSet;
class TField;
using TDataSetNotifyEvent = std::function<void(TDataSet* DataSet)>;
using TFilterRecordEvent = std::function<void(TDataSet* DataSet, bool& Accept)>;
using TFieldNotifyEvent = std::function<void(TField* Sender)>;
using TFieldGetTextEvent = std::function<void(TField* Sender, String& Text, bool DisplayText)>;
using TFieldSetTextEvent = std::function<void(TField* Sender, const String& Text)>;
