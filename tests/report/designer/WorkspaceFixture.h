// A page workspace on a test form over a report page, driven by synthetic mouse and key input;
// it counts the workspace's announcements.
#pragma once

#include "gui/Forms.h"
#include "gui/InputSimulation.h"
#include "report/designer/vrDesgnWorkspace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>

// Geometry compares within this.
constexpr Extended Eps = 1e-6;

inline TShiftState Keys(std::initializer_list<TShiftStateElement> keys) {
    TShiftState s;
    for (TShiftStateElement k : keys) s.Include(k);
    return s;
}

class WorkspaceTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The page's objects refreshed into the workspace's list (the designer window's job).
    void Reload();
    // Makes page the workspace's page (a new one of the class when null).
    void UsePage(TvrPage* page);

    template <class T> T* Add(TvrComponent* parent, Extended l, Extended t, Extended w, Extended h) {
        auto* o = new T(parent);
        o->SetBounds(l, t, w, h);
        Reload();
        return o;
    }

    // Input at workspace pixels.
    void Move(int x, int y, TShiftState s = TShiftState()) { SimulateMouseMove(Ws, x, y, s); }
    void Down(int x, int y, TShiftState s = TShiftState()) { SimulateMouseDown(Ws, mbLeft, x, y, s); }
    void Up(int x, int y, TShiftState s = TShiftState()) { SimulateMouseUp(Ws, mbLeft, x, y, s); }
    // Hover at the start, press, move to the end, release.
    void Drag(int x0, int y0, int x1, int y1, TShiftState s = TShiftState());
    void Click(int x, int y, TShiftState s = TShiftState()) { Drag(x, y, x, y, s); }
    void Key(Word key, TShiftState s = TShiftState()) { SimulateKey(Ws, key, s); }
    void SelectOnly(TvrComponent* o) {
        Selected.clear();
        Selected.push_back(o);
    }

    std::unique_ptr<TForm> Form;
    std::unique_ptr<TvrReport> Report;
    TvrPage* Page = nullptr;
    TvrDesignerWorkspace* Ws = nullptr;
    TvrObjectList Objects, Selected;
    int Modified = 0, SelectionChanges = 0, Inserts = 0, Edits = 0;
    TvrFloatRect LastInfo{};
};
