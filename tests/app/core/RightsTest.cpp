#include "app/core/Rights.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(Rights, ThirtyFourActionsWithoutGaps202And302) {
    EXPECT_EQ(AppActions().size(), 34u);
    EXPECT_EQ(FindAction(202), nullptr);
    EXPECT_EQ(FindAction(302), nullptr);
    ASSERT_NE(FindAction(404), nullptr);
    EXPECT_STREQ(FindAction(404)->Caption, "配件库存查询");
    EXPECT_EQ(ActionMenuCaption(*FindAction(404)), "配件库存查询统计");
    EXPECT_EQ(ActionMenuCaption(*FindAction(301)), "房产住户");
    EXPECT_EQ(ActionName(101), "Action101");
}

TEST(Rights, EveryActionSitsInItsMenuAndOnOneDesktopPageOnce) {
    std::multiset<int> inMenus, onDesktop;
    for (int m = 0; m < TopMenuCount; ++m)
        for (int code : MenuLayout(static_cast<TTopMenu>(m)))
            if (code) {
                inMenus.insert(code);
                EXPECT_EQ(FindAction(code)->Menu, m) << code;
            }
    for (const TDesktopPage& page : DesktopPages())
        for (const TDesktopGroup& group : page.Groups)
            for (const auto& row : group.Rows)
                for (int code : row)
                    onDesktop.insert(code);
    for (const TActionInfo& a : AppActions()) {
        EXPECT_EQ(inMenus.count(a.Code), 1u) << a.Code;
        EXPECT_EQ(onDesktop.count(a.Code), 1u) << a.Code;
    }
    EXPECT_STREQ(DesktopPages().front().Caption, "日常管理");
}

TEST(Rights, TheRightsStatementQuotesItsValues) {
    EXPECT_EQ(HasRightSQL("张三", "301"),
              "Select o.F_ID from OperLimit as O left join Limits as l On O.F_lmtName = L.F_name Where "
              "(O.F_OperName = '张三')And(l.F_code = '301') ");
    EXPECT_NE(HasRightSQL("x' or '1'='1", "301").find("'x'' or ''1''=''1'"), String::npos);
}

} // namespace
