// What batch generation and re-dating read and check: the houses of one estate, their earlier
// meter readings in one grouped statement, and the houses that already have a row of a period.
//
// A period is billed once: a house that has a row of the same charging method, fee item and
// period end (F_toDate), saved or pending in the ledger, is not given a second one. Generation
// skips such houses; the ledger's save checks its generated rows again inside its transaction,
// since another station may have saved the same period meanwhile.
#pragma once

#include "rtl/Types.h"

#include <map>
#include <set>
#include <vector>

class TADOQuery;

inline const String FeeGenerationCaption = "物业费用台帐生成";
inline const String PeriodDatesCaption = "修改当前抄表日期";
inline const String MsgEstateNameEmpty = "当前小区名称不能为空！";
inline const String MsgNoFeeRowSelected = "请选择需要更改交费记录！";

// "有 n 户本期费用已经存在，未重复生成！"
String FeePeriodExistsMessage(int houses);

// Whether a charging method bills by meter readings (it contains "用量").
bool MeteredMethod(const String& method);
// The quantity a non-metered method bills a house by: "面积" the floor area, otherwise (按住户,
// 按自定义 and the rest) the number of residents.
double MethodQuantity(const String& method, double area, double residents);

// One house as generation bills it.
struct TFeeHouse {
    int Id = 0;
    String Code;     // F_code
    String Estate;   // F_XQname
    String Building; // F_LDcode
    String Owner;    // F_FZname
    double Area = 0;      // F_buildArea
    double Residents = 0; // F_ZHnum
};

// The houses of the estate named exactly (trimmed, without regard to case) within the operator's
// estate scope, every sale state, in the order of their ids. False when the read failed (the data
// module's open message shown).
bool ReadEstateHouses(const String& estate, std::vector<TFeeHouse>& houses);

// The highest earlier current reading (F_Eamount) of each house of the estate for the method and
// item, in one grouped statement; houses without a row are absent (they start from 0). False when
// the read failed (the open message shown).
bool ReadPreviousReadings(const String& estate, const String& method, const String& item,
                          std::map<int, double>& readings);

// The houses that have a stored row of the method, item and period end. Raises on a failing read
// (the caller decides what to show); runs inside the caller's transaction when there is one.
std::set<int> HousesBilledFor(const String& method, const String& item, TDateTime periodEnd);

// One row appended to the ledger and not yet saved.
struct TPendingFeeRow {
    int House = 0;
    String Method;
    String Item;
    TDateTime PeriodEnd = 0;
};
// The rows of the query inserted into its client batch and not yet written (the generated rows);
// the query's position is kept.
std::vector<TPendingFeeRow> PendingInsertedRows(TADOQuery* query);
// The number of houses among the pending rows that already have a stored row of their period
// (inside the save's transaction). Raises on a failing read.
int PendingRowsAlreadyBilled(const std::vector<TPendingFeeRow>& rows);
