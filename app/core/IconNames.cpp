#include "app/core/IconNames.h"

#include "gui/ImgList.h"

namespace {

struct TActionIcon {
    int Code;
    const char* Name;
};

// Coloured pictures where the theme has one that says what the window does (the desktop's buttons
// are found by their picture before their caption); neighbours on a desktop page differ.
const TActionIcon ActionIcons[] = {
    {101, "x-office-address-book"},           // 公司信息资料
    {102, "dialog-password"},                 // 更改用户密码
    {103, "preferences-system-users"},        // 用户权限管理
    {104, "preferences-system-backup"},       // 备份恢复
    {105, "trash-empty"},                     // 数据清理
    {106, "utilities-file-archiver"},         // 压缩修复
    {107, "document-import"},                 // 导入住户信息
    {108, "document-properties"},             // 系统当前配置
    {201, "user-home"},                       // 小区信息设置
    {203, "applications-engineering"},        // 小区公共设施
    {204, "edit-clear-all"},                  // 保洁绿化
    {205, "security-high"},                   // 保安巡逻
    {206, "package"},                         // 配件管理
    {207, "financial-categories"},            // 费用项目设置
    {208, "speedometer"},                     // 公摊费用设置 (the shared meters)
    {209, "configure"},                       // 选项...
    {301, "home"},                            // 房产住户
    {303, "financial-schedule"},              // 生成物业费
    {304, "homebank"},                        // 收取物业费
    {305, "view-bank"},                       // 预收款管理
    {306, "car"},                             // 车位管理
    {307, "applications-utilities"},          // 报修管理
    {308, "knotes"},                          // 建议意见
    {309, "office-chart-pie"},                // 生成公摊费 (shares of a meter)
    {401, "internet-mail"},                   // 缴费通知单
    {402, "view-financial-account-checking"}, // 交费收款单
    {403, "dialog-warning"},                  // 个人欠费查询
    {404, "view-list-details"},               // 配件库存查询
    {501, "x-office-spreadsheet"},            // 应交费用明细统计
    {502, "office-chart-bar"},                // 应交费用汇总统计
    {503, "financial-list"},                  // 住户交费明细统计
    {504, "office-chart-line"},               // 住户交费汇总统计
    {505, "view-statistics"},                 // 物业报修查询统计
    {506, "financial-report"},                // 物业收费经营分析
};

struct TPageIcon {
    const char* Caption;
    const char* Name;
};

const TPageIcon PageIcons[] = {
    {"日常管理", "office-calendar"},  {"信息查询", "system-search"},      {"报表中心", "folder-chart"},
    {"基本资料", "folder-documents"}, {"系统管理", "preferences-system"},
};

// The standard freedesktop icon names where there is one; theme names of the Breeze set otherwise.
const char* const ToolIcons[ToolImageCount] = {
    "document-new",                // 新增
    "document-edit",               // 修改
    "edit-delete",                 // 删除
    "go-first",                    // 首项
    "go-previous",                 // 前项
    "go-next",                     // 后项
    "go-last",                     // 末项
    "edit-find",                   // 查询
    "document-print",              // 打印
    "configure",                   // 设置
    "document-export",             // 导出
    "application-exit",            // 退出
    "document-save",               // 保存
    "dialog-cancel",               // 取消
    "view-financial-account-cash", // 销售
    "go-home",                     // 入住
    "system-log-out",              // 退房
    "edit-copy",                   // 复制
};

const char* const TreeIcons[TreeImageCount] = {
    "user-home",   // an estate
    "folder",      // a building, collapsed
    "folder-open", // a building, expanded
    "folder",      // a building without children
};

void NameEntries(TCustomImageList& list, int count, String (*name)(int)) {
    for (int i = 0; i < count && i < list.Count(); ++i)
        list.SetIconName(i, name(i));
}

} // namespace

String ActionIconName(int code) {
    for (const TActionIcon& icon : ActionIcons)
        if (icon.Code == code) return icon.Name;
    return String();
}

String DesktopPageIconName(const String& caption) {
    for (const TPageIcon& icon : PageIcons)
        if (caption == icon.Caption) return icon.Name;
    return String();
}

String ToolIconName(TToolImage image) {
    return image >= 0 && image < ToolImageCount ? ToolIcons[image] : String();
}

String TreeIconName(TTreeImage image) {
    return image >= 0 && image < TreeImageCount ? TreeIcons[image] : String();
}

void NameToolImages(TCustomImageList& list) {
    NameEntries(list, ToolImageCount, [](int i) { return ToolIconName(static_cast<TToolImage>(i)); });
}

void NameTreeImages(TCustomImageList& list) {
    NameEntries(list, TreeImageCount, [](int i) { return TreeIconName(static_cast<TTreeImage>(i)); });
}
