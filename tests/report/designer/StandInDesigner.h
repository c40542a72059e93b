// A small designer window standing in for the real one: its object lists, its scale (which the
// workspace follows) and a stand-in data tree with the insertion text and the two boxes.
#pragma once

#include "report/designer/vrDesgnHost.h"
#include "report/designer/vrDesgnWorkspaceTools.h"
#include "rtl/StringList.h"

#include <memory>

class TStandInDesigner : public TvrDesignerHost, public TvrDataTreeSource {
public:
    explicit TStandInDesigner(TvrReport* report) : TvrDesignerHost(nullptr, report, false) {}

    TDesignerWorkspace* Ws = nullptr;
    Extended FScale = 1;
    Extended Scale() const override { return FScale; }
    void SetScale(Extended value) override {
        if (value > 20) value = 20;
        if (value == 0) value = 1;
        FScale = value;
        if (Ws) Ws->SetScale(value);
    }
    TvrDataTreeSource* DataTree() override { return Tree ? this : nullptr; }

    // The data tree stand-in.
    TControl* Tree = nullptr;
    String Text;
    bool FieldBox = false, CaptionBox = false, DataTab = true;
    TControl* TreeView() const override { return Tree; }
    String InsertionText() const override { return Text; }
    bool InsFieldCB() const override { return FieldBox; }
    bool InsCaptionCB() const override { return CaptionBox; }
    bool DataTabActive() const override { return DataTab; }

    int Reloads = 0;
    std::unique_ptr<TStringList> GetCode() override { return std::make_unique<TStringList>(); }
    String InsertExpression(const String& e) override { return e; }
    void LockDesigner() override {}
    void ReloadPages(Integer) override { ++Reloads; }
    void ReloadReport() override {}
    void UpdateDataTree() override {}
    void UpdatePage() override {}
};
