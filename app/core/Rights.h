// The main window's 34 actions and the rights that show them: each action's code (the right an
// operator must hold), caption, top menu, menu caption, window and placement; the order of the
// menus and of the desktop's buttons; and the statement that tests a right.
#pragma once

#include "rtl/Types.h"

#include <functional>
#include <vector>

enum TTopMenu { tmSystem, tmBasic, tmDaily, tmQuery, tmReport };
inline constexpr int TopMenuCount = 5;

struct TActionInfo {
    int Code;                // 101 .. 506; the right's code as text is this number
    const char* Caption;     // the action's caption (the right's name in Limits)
    const char* MenuCaption; // the menu item's caption where it differs, else nullptr
    TTopMenu Menu;
    const char* WindowClass; // the window it opens (nullptr: compaction opens none)
    int PlaceMode;           // DispFormPos mode: 0 list and statistics windows, 1 dialogs, -1 not placed
};

// The 34 actions in the order of the rights table (101 ... 506).
const std::vector<TActionInfo>& AppActions();
// The action of a code; nullptr when there is none (202 and 302 do not exist).
const TActionInfo* FindAction(int code);
// The name of an action component: "Action" + code.
String ActionName(int code);
// The caption of the menu item of an action: its menu caption or its caption.
String ActionMenuCaption(const TActionInfo& action);

// The captions of the five business top menus: 系统管理, 基本资料, 日常管理, 信息查询, 报表中心.
const char* TopMenuCaption(TTopMenu menu);
// The action codes of a top menu in menu order; 0 stands for a separator. The system menu ends
// with its two plain items (重新登录, 退出系统), which are not actions and not listed here.
const std::vector<int>& MenuLayout(TTopMenu menu);

// The desktop's pages: each a caption and groups of button rows; a group may carry a label.
struct TDesktopGroup {
    const char* Label; // nullptr: no label
    std::vector<std::vector<int>> Rows;
};
struct TDesktopPage {
    const char* Caption;
    std::vector<TDesktopGroup> Groups;
};
const std::vector<TDesktopPage>& DesktopPages();

// The statement HasRight runs for an operator and a code; both values go in quoted.
String HasRightSQL(const String& operName, const String& code);

// The actions an operator sees: every action for "admin" (the name trimmed and lower-cased),
// otherwise those whose right hasRight grants, asked in the order of the rights table.
std::vector<int> VisibleActions(const String& operName,
                                const std::function<bool(const String& code)>& hasRight);
// A top menu is visible when one of its actions is. The system menu is always visible: it holds
// 重新登录 and 退出系统, which every operator must be able to reach.
bool TopMenuVisible(TTopMenu menu, const std::vector<int>& visibleActions);
