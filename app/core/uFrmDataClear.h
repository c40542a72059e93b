// The data clearing window (action 105, 数据清理): the user ticks groups of business tables and
// "确定" empties them all in one transaction after one question: every ticked group or nothing.
#pragma once

#include "gui/Forms.h"

#include <vector>

class TButton;
class TCheckBox;
class TLabel;

inline const String MsgClearQuestion = "数据清理，将删除所有列表框所选中的所有数据表的数据，\n建议您在清理之"
                                       "前，备份当前数据，真的要清除当前数据吗？";
inline const String MsgClearDone = "数据清理成功！";
inline const String MsgClearFailed = "操作失败，请检查连接...";

class TFrmDataClear : public TForm {
public:
    explicit TFrmDataClear(TComponent* AOwner);
    String ClassName() const override { return "TFrmDataClear"; }

    TLabel* lblTitle;
    // The boxes of the groups, by the groups' run order (ClearGroups()).
    std::vector<TCheckBox*> Boxes;
    TButton* btnAll;
    TButton* btnNone;
    TButton* btnOk;
    TButton* btnClose;
    TLabel* lblNote;

    void btnOkClick();
    void TickAll(bool ticked);
};
