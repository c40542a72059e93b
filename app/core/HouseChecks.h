// The checks a house passes before it is written into T_FCinfo, shared by the house dialog and
// the house import: the estate is given and exists among the operator's estates, the room code is
// given and free in its estate and building. Texts are taken as the caller trimmed them.
#pragma once

#include "rtl/Types.h"

inline const String MsgHouseEstateEmpty = "小区名称不能为空！";
inline const String MsgHouseEstateUnknown = "小区名称不存在，请在楼宇信息里增加新的小区名！";
inline const String MsgHouseCodeEmpty = "房间编号不能为空！";
inline const String MsgHouseCodeTaken = "房间编号重复，请修改！";

// Which value a failed check is about (the control or cell that takes the focus).
enum class THouseField { None, Estate, Code };

// The outcome of a check: passed when Message is empty; otherwise the message and its ShowMess
// kind.
struct THouseRefusal {
    String Message;
    int Kind = 0;
    THouseField Field = THouseField::None;
    bool Passed() const { return Message.empty(); }
};

// Estate and room code given (no database needed).
THouseRefusal CheckHouseGiven(const String& estate, const String& code);
// The estate exists and lies in the operator's scope (XQNameScopeSQL); the room code is not held
// by another house of the estate and building than ownId (0 for a new house). Reads through
// dmData's connection, inside the caller's transaction when there is one; a failing read raises.
THouseRefusal CheckHouseStored(const String& estate, const String& building, const String& code, int ownId);
// Both, in that order.
THouseRefusal CheckHouse(const String& estate, const String& building, const String& code, int ownId);
