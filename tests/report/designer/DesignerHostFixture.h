// A small designer window standing in for the real one: the report, the page workspace with the
// tools in a scroll box, the designer's object lists, scale, a stand-in data tree and rulers.
#pragma once

#include "WorkspaceFixture.h"
#include "report/designer/vrDesgnCtrls.h"
#include "report/designer/vrDesgnHost.h"
#include "report/designer/vrDesgnUndo.h"
#include "report/designer/vrDesgnWorkspaceTools.h"
#include "report/vrClassPage.h"
#include "report/vrClassReport.h"

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

class DesignerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The page's objects refreshed into the designer's list.
    void Reload();
    void UsePage(TvrPage* page);
    // The designer window's part of an insertion: an object of the armed class, selected.
    void Insert();

    template <class T> T* Add(TvrComponent* parent, Extended l, Extended t, Extended w, Extended h) {
        auto* o = new T(parent);
        o->SetBounds(l, t, w, h);
        o->CreateUniqueName();
        Reload();
        return o;
    }
    TvrObjectList& Objects() { return Designer->DesignerObjects; }
    TvrObjectList& Selected() { return Designer->DesignerSelection; }
    void Select(std::initializer_list<TvrComponent*> objects) { Selected() = objects; }

    void Move(int x, int y, TShiftState s = TShiftState()) { SimulateMouseMove(Ws, x, y, s); }
    void Down(int x, int y, TMouseButton b = mbLeft) { SimulateMouseDown(Ws, b, x, y); }
    void Up(int x, int y, TMouseButton b = mbLeft) { SimulateMouseUp(Ws, b, x, y); }
    void Drag(int x0, int y0, int x1, int y1);
    void Click(int x, int y, TMouseButton b = mbLeft) {
        Move(x, y);
        Down(x, y, b);
        Up(x, y, b);
    }

    std::unique_ptr<TvrReport> Report;
    std::unique_ptr<TStandInDesigner> Designer;
    TScrollBox* Box = nullptr;
    TDesignerWorkspace* Ws = nullptr;
    TvrPage* Page = nullptr;
    TvrRuler *TopRuler = nullptr, *LeftRuler = nullptr;
    int Modified = 0;
};
