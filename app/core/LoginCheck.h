// The checks of the login dialog, apart from the dialog: the name must be given and name an
// enabled operator, the password must equal the operator's stored one, and the fourth wrong
// password of one dialog fails the login. The dialog shows the messages and acts on the result.
#pragma once

#include "rtl/Types.h"

#include <functional>
#include <optional>

enum class TLoginResult {
    EmptyName, // "请选择用户！"
    UnknownOperator, // "此操作员并不存在，请重新选择操作员！" (does not count as a wrong password)
    Accepted,
    WrongPassword, // "用户名或密码不正确，请重新输入！"; the dialog stays open
    Failed         // the fourth wrong password of this dialog
};

class TLoginCheck {
public:
    // How the check reads the database: the F_ID of an enabled operator of that name (0 when
    // none) and the stored form of the operator's password (nothing when it cannot be read: the
    // password then counts as wrong, so a failed read never lets an empty password in).
    std::function<int(const String& name)> EnabledOperatorId;
    std::function<std::optional<String>(const String& name)> StoredPassword;

    // Checks one click of "确定": name as typed (it is trimmed here), password exactly as typed.
    TLoginResult Check(const String& typedName, const String& password);
    // The wrong passwords counted by this dialog so far.
    int WrongCount() const { return FWrongCount; }
    // The fourth wrong password fails the login.
    static constexpr int MaxWrong = 4;

private:
    int FWrongCount = 0;
};

// The statements the login reads with; the name goes in quoted.
String EnabledOperatorSQL(const String& name);
String StoredPasswordSQL(const String& name);
String OperatorScopeSQL(const String& name);
// Enabled operators offered in the name list, in the table's order.
inline const String OperatorListSQL = "select F_name from OperList where F_name <> '' and F_flag = false ";
