// A small designer window standing in for the real one: the report, the page workspace with the
// tools in a scroll box, the designer's object lists, scale, a stand-in data tree and rulers.
#pragma once

#include "StandInDesigner.h"
#include "WorkspaceFixture.h"
#include "report/designer/vrDesgnCtrls.h"
#include "report/designer/vrDesgnHost.h"
#include "report/designer/vrDesgnUndo.h"
#include "report/designer/vrDesgnWorkspaceTools.h"
#include "report/vrClassPage.h"
#include "report/vrClassReport.h"

#include <memory>

class HostDesignerTest : public ::testing::Test {
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
