// The check-box object: a box printed checked or unchecked from a fixed value, a data field or an
// expression, with its mark drawn as a symbol-font character or as lines.
#pragma once

#include "report/vrClassView.h"

enum TvrCheckStyle { csCross, csCheck, csLineCross, csPlus };
ORV_ENUM(TvrCheckStyle, csCross, csCheck, csLineCross, csPlus)
enum TvrUncheckStyle { usEmpty, usCross, usLineCross, usMinus };
ORV_ENUM(TvrUncheckStyle, usEmpty, usCross, usLineCross, usMinus)

class TvrCheckBoxView : public TvrView {
    ORV_META(TvrCheckBoxView, TvrView)
    explicit TvrCheckBoxView(TComponent* AOwner);

    TColor CheckColor = clBlack;
    bool Checked = true;
    TvrCheckStyle CheckStyle = csCross;
    TvrUncheckStyle UncheckStyle = usEmpty;
    String Expression;

    void Draw(TCanvas* ACanvas, Extended AScaleX, Extended AScaleY, Extended AOffsetX,
              Extended AOffsetY) override;
    void GetData() override;
    String GetDescription() const override { return "obChBox"; }

private:
    void DrawMark();
};

// The component an application places so that the check-box object is part of the program.
class TvrCheckBoxObject : public TComponent {
    ORV_META(TvrCheckBoxObject, TComponent)
    explicit TvrCheckBoxObject(TComponent* AOwner) : TComponent(AOwner) {}
};

// Enters the check-box object in the report object registry; the second takes it out.
void vrRegisterCheckBoxClasses();
void vrUnregisterCheckBoxClasses();
