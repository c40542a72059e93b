#include "app/core/LoginCheck.h"

#include "app/core/Vardessa.h"

#include "rtl/StrUtils.h"

TLoginResult TLoginCheck::Check(const String& typedName, const String& password) {
    const String name = Trim(typedName);
    if (name.empty()) return TLoginResult::EmptyName;
    if (!EnabledOperatorId || EnabledOperatorId(name) <= 0) return TLoginResult::UnknownOperator;
    const std::optional<String> stored = StoredPassword ? StoredPassword(name) : std::nullopt;
    if (stored && GetPass(*stored) == password) return TLoginResult::Accepted;
    ++FWrongCount;
    return FWrongCount < MaxWrong ? TLoginResult::WrongPassword : TLoginResult::Failed;
}

String EnabledOperatorSQL(const String& name) {
    return "select F_ID from OperList where (F_name = " + QuotedStr(name) + ")and(F_flag = false) ";
}

String StoredPasswordSQL(const String& name) {
    return "select f_PassWord from OperList Where F_Name = " + QuotedStr(name) + " ";
}

String OperatorScopeSQL(const String& name) {
    return "select F_XQflag,F_XQname from OperList where F_name = " + QuotedStr(name) + " ";
}
