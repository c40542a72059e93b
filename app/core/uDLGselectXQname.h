// The estate chooser of the operator editor: the estates of T_XQinfo in a two-column check list;
// the operator's list ticks them at the start, "确定" gives the ticked ones back as a list.
#pragma once

#include "gui/Forms.h"

class TButton;
class TCheckListBox;
class TLabel;

inline const String MsgNoEstates = "没有项目选择！";

class TDLGselectXQname : public TForm {
public:
    explicit TDLGselectXQname(TComponent* AOwner);
    String ClassName() const override { return "TDLGselectXQname"; }

    TLabel* lblHint;
    TCheckListBox* clbItemList;
    TButton* btnOk;
    TButton* btnCancel;

    // Lets the user tick estates; returns them as a quoted, comma-separated list ('A','B'; empty
    // when none is ticked), or current when cancelled or when there is no estate.
    String SelectEstates(const String& current);
    // Ticks the estates the list names ("，" separates as "," does) and unticks the others.
    void MarkEstates(const String& current);
    // The ticked estates as a list.
    String TickedEstates() const;
};
