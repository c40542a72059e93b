#include "app/core/LoginCheck.h"
#include "app/core/Rights.h"
#include "app/core/Vardessa.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Operators as the database would give them: enabled ones with their stored passwords.
struct Operators {
    std::map<String, String> enabled; // name -> stored password
    std::vector<String> asked;

    void Attach(TLoginCheck& check) {
        check.EnabledOperatorId = [this](const String& name) {
            asked.push_back(name);
            return enabled.count(name) ? 7 : 0;
        };
        check.StoredPassword = [this](const String& name) -> std::optional<String> {
            return enabled.count(name) ? enabled[name] : "";
        };
    }
};

TEST(LoginCheck, AdminWithTheEmptyPasswordIsAccepted) {
    Operators ops{{{"admin", ""}}, {}};
    TLoginCheck check;
    ops.Attach(check);
    EXPECT_EQ(check.Check("  admin ", ""), TLoginResult::Accepted);
    EXPECT_EQ(ops.asked.back(), "admin"); // trimmed before it is looked up
}

TEST(LoginCheck, NamesThatAreMissingDoNotCountAsWrongPasswords) {
    Operators ops{{{"张三", SavePass("pw")}}, {}};
    TLoginCheck check;
    ops.Attach(check);
    EXPECT_EQ(check.Check("   ", "pw"), TLoginResult::EmptyName);
    EXPECT_EQ(check.Check("李四", "pw"), TLoginResult::UnknownOperator);
    EXPECT_EQ(check.WrongCount(), 0);
}

TEST(LoginCheck, TheFourthWrongPasswordFails) {
    Operators ops{{{"张三", SavePass("pw")}}, {}};
    TLoginCheck check;
    ops.Attach(check);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(check.Check("张三", "PW"), TLoginResult::WrongPassword);
        EXPECT_EQ(check.WrongCount(), i);
    }
    EXPECT_EQ(check.Check("张三", "pw "), TLoginResult::Failed); // blanks are significant
}

TEST(LoginCheck, ThreeWrongPasswordsThenTheRightOneLogsIn) {
    Operators ops{{{"张三", SavePass("pw")}}, {}};
    TLoginCheck check;
    ops.Attach(check);
    for (int i = 0; i < 3; ++i)
        check.Check("张三", "x");
    EXPECT_EQ(check.Check("张三", "pw"), TLoginResult::Accepted);
}

TEST(LoginCheck, APasswordThatCannotBeReadCountsAsWrong) {
    // The operator's empty password must not be taken as read when the read failed.
    TLoginCheck check;
    check.EnabledOperatorId = [](const String&) { return 7; };
    check.StoredPassword = [](const String&) { return std::optional<String>(); };
    EXPECT_EQ(check.Check("admin", ""), TLoginResult::WrongPassword);
    EXPECT_EQ(check.WrongCount(), 1);
}

TEST(LoginCheck, TypedNamesGoIntoStatementsQuoted) {
    EXPECT_EQ(EnabledOperatorSQL("a' or 'x'='x"),
              "select F_ID from OperList where (F_name = 'a'' or ''x''=''x')and(F_flag = false) ");
    EXPECT_EQ(StoredPasswordSQL("O'Neil"), "select f_PassWord from OperList Where F_Name = 'O''Neil' ");
}

TEST(SetLimits, AdminSeesEveryActionOthersWhatTheirRightsGrant) {
    std::vector<String> asked;
    auto rights = [&](const String& code) {
        asked.push_back(code);
        return code == "201" || code == "301";
    };
    EXPECT_EQ(VisibleActions(" ADMIN ", rights).size(), 34u);
    EXPECT_TRUE(asked.empty());
    const std::vector<int> visible = VisibleActions("张三", rights);
    EXPECT_EQ(visible, (std::vector<int>{201, 301}));
    EXPECT_EQ(asked.size(), 34u);
    EXPECT_EQ(asked.front(), "101");
    EXPECT_TRUE(TopMenuVisible(tmSystem, visible)); // 重新登录 and 退出系统 stay reachable
    EXPECT_TRUE(TopMenuVisible(tmBasic, visible));
    EXPECT_TRUE(TopMenuVisible(tmDaily, visible));
    EXPECT_FALSE(TopMenuVisible(tmQuery, visible));
    EXPECT_FALSE(TopMenuVisible(tmReport, visible));
    EXPECT_TRUE(VisibleActions("nobody", nullptr).empty());
}

} // namespace
