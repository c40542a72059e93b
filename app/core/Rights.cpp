#include "app/core/Rights.h"

#include "rtl/Format.h"
#include "rtl/StrUtils.h"

const std::vector<TActionInfo>& AppActions() {
    static const std::vector<TActionInfo> actions = {
        {101, "公司信息资料", nullptr, tmSystem, "TFrmUserInfo", 1},
        {102, "更改用户密码", nullptr, tmSystem, "TfrmModPass", 1},
        {103, "用户权限管理", nullptr, tmSystem, "TfrmOperGl", 1},
        {104, "备份恢复", "数据备份恢复", tmSystem, "TFrmDataBack", 1},
        {105, "数据清理", "系统数据清理", tmSystem, "TFrmDataClear", 1},
        {106, "压缩修复", "压缩修复数据", tmSystem, nullptr, -1},
        {107, "导入住户信息", nullptr, tmSystem, "TfrmExcelImport", -1},
        {108, "系统当前配置", nullptr, tmSystem, "TfrmSysInfoGl", 1},
        {201, "小区信息设置", nullptr, tmBasic, "TfrmXQinfoGL", 1},
        {203, "小区公共设施", nullptr, tmBasic, "TfrmPublicSetGL", 1},
        {204, "保洁绿化", nullptr, tmBasic, "TfrmBJinfoGL", 1},
        {205, "保安巡逻", nullptr, tmBasic, "TfrmXLinfoGL", 1},
        {206, "配件管理", nullptr, tmBasic, "TfrmPJdepotGL", 1},
        {207, "费用项目设置", nullptr, tmBasic, "TfrmFYinfoGL", 1},
        {208, "公摊费用设置", nullptr, tmBasic, "TfrmGTFYinfoGL", 0},
        {209, "选项...", nullptr, tmBasic, "TFrmCodeMan", 1},
        {301, "房产住户", nullptr, tmDaily, "TfrmFCinfoGL", 0},
        {303, "生成物业费", nullptr, tmDaily, "TfrmWYFYscgl", 0},
        {304, "收取物业费", nullptr, tmDaily, "TfrmWuyeFYjsgl", 0},
        {305, "预收款管理", nullptr, tmDaily, "TfrmWYyskGL", 0},
        {306, "车位管理", nullptr, tmDaily, "TfrmCarPosGL", 0},
        {307, "报修管理", nullptr, tmDaily, "TfrmCltBXGL", 0},
        {308, "建议意见", nullptr, tmDaily, "TfrmYJinfoGL", 0},
        {309, "生成公摊费", nullptr, tmDaily, "TfrmGTFYscgl", 0},
        {401, "缴费通知单", "缴费通知单查询", tmQuery, "TfrmJFTZbillTJ", 0},
        {402, "交费收款单", "交费收款单查询", tmQuery, "TfrmJFSKbillTJ", 0},
        {403, "个人欠费查询", "个人欠费查询统计", tmQuery, "TfrmWYQKbillTJ", 0},
        {404, "配件库存查询", "配件库存查询统计", tmQuery, "TfrmKCPJdetailTJ", 0},
        {501, "应交费用明细统计", nullptr, tmReport, "TfrmYJFYdetailTJ", 0},
        {502, "应交费用汇总统计", nullptr, tmReport, "TfrmYJFYtotalTJ", 0},
        {503, "住户交费明细统计", nullptr, tmReport, "TfrmZHJFdetailTJ", 0},
        {504, "住户交费汇总统计", nullptr, tmReport, "TfrmZHJFtotalTJ", 0},
        {505, "物业报修查询统计", nullptr, tmReport, "TfrmBXdetailTj", 0},
        {506, "物业收费经营分析", nullptr, tmReport, "TfrmWYJYtotalTJ", 0},
    };
    return actions;
}

const TActionInfo* FindAction(int code) {
    for (const TActionInfo& action : AppActions())
        if (action.Code == code) return &action;
    return nullptr;
}

String ActionName(int code) {
    return "Action" + IntToStr(code);
}

String ActionMenuCaption(const TActionInfo& action) {
    return action.MenuCaption ? action.MenuCaption : action.Caption;
}

const char* TopMenuCaption(TTopMenu menu) {
    static const char* const captions[TopMenuCount] = {"系统管理", "基本资料", "日常管理", "信息查询",
                                                       "报表中心"};
    return captions[menu];
}

const std::vector<int>& MenuLayout(TTopMenu menu) {
    static const std::vector<int> layouts[TopMenuCount] = {
        {101, 102, 103, 108, 0, 104, 105, 107, 106, 0},
        {201, 203, 0, 204, 205, 206, 0, 207, 208, 209},
        {301, 303, 309, 304, 305, 306, 307, 308},
        {401, 402, 403, 404},
        {501, 502, 503, 504, 505, 506},
    };
    return layouts[menu];
}

const std::vector<TDesktopPage>& DesktopPages() {
    static const std::vector<TDesktopPage> pages = {
        {"日常管理", {{nullptr, {{301, 303, 309, 304}, {305, 306, 307, 308}}}}},
        {"信息查询", {{nullptr, {{401, 402, 403, 404}}}}},
        {"报表中心", {{"日常报表", {{501, 502}, {503, 504}}}, {"经营分析", {{505, 506}}}}},
        {"基本资料", {{nullptr, {{201, 203, 204, 205}, {206, 207, 208, 209}}}}},
        {"系统管理", {{nullptr, {{101, 102, 103, 104}, {105, 106, 107, 108}}}}},
    };
    return pages;
}

String HasRightSQL(const String& operName, const String& code) {
    return "Select o.F_ID from OperLimit as O left join Limits as l On O.F_lmtName = L.F_name Where "
           "(O.F_OperName = " +
           QuotedStr(operName) + ")And(l.F_code = " + QuotedStr(code) + ") ";
}

std::vector<int> VisibleActions(const String& operName,
                                const std::function<bool(const String& code)>& hasRight) {
    const bool admin = LowerCase(Trim(operName)) == "admin";
    std::vector<int> visible;
    for (const TActionInfo& action : AppActions())
        if (admin || (hasRight && hasRight(IntToStr(action.Code)))) visible.push_back(action.Code);
    return visible;
}

bool TopMenuVisible(TTopMenu menu, const std::vector<int>& visibleActions) {
    if (menu == tmSystem) return true;
    for (int code : visibleActions) {
        const TActionInfo* action = FindAction(code);
        if (action && action->Menu == menu) return true;
    }
    return false;
}
