#include "app/core/PubUnit.h"

#include "rtl/StrUtils.h"

String OperName;
bool IsAdmin = false;
int XQScopeFlag = 0;
String OperXQList;
String XQScopeSQL;
String XQNameScopeSQL;
int DecAmount = 0;
int DecPrice = 0;
int DecTotal = 0;
String FmtAmount;
String FmtPrice;
String FmtTotal;
int AutoBackupMode = 0;
std::unique_ptr<TCustomIniFile> IniFile;

bool IsAdminName(const String& name) {
    return LowerCase(Trim(name)) == "admin";
}

void ResetOperatorState() {
    OperName.clear();
    IsAdmin = false;
    XQScopeFlag = 0;
    OperXQList.clear();
    XQScopeSQL.clear();
    XQNameScopeSQL.clear();
    DecAmount = DecPrice = DecTotal = 0;
    FmtAmount.clear();
    FmtPrice.clear();
    FmtTotal.clear();
    AutoBackupMode = 0;
}

String AmountFormat(int places) {
    return "0." + String(static_cast<size_t>(places > 0 ? places : 0), '#');
}

String MoneyFormat(int places) {
    String format = "￥,0.";
    for (int k = 1; k <= places; ++k)
        format += k <= 2 ? '0' : '#';
    return format;
}

void BuildDisplayFormats() {
    FmtAmount = AmountFormat(DecAmount);
    FmtPrice = MoneyFormat(DecPrice);
    FmtTotal = MoneyFormat(DecTotal);
}
