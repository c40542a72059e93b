// The repair register on the seeded database, played offscreen: the registers' fixture with parts
// of one code in both estates (P01), parts of one estate each, the picker's categories, and
// helpers that play the repair dialog and the part picker through the responder.
#pragma once

#include "../registers/RegistersFixture.h"

#include "app/fees/uDLGpjInfoXZ.h"
#include "app/fees/uFrmCltBXGL.h"
#include "app/fees/uFrmCltBXedit.h"

#include <vector>

// A part row of the fixture: code and estate name its row.
struct TPartRow {
    String Code;
    String Estate;
};

class Repairs : public Registers {
protected:
    void SetUp() override;

    std::unique_ptr<TfrmCltBXGL> OpenRegister() { return Open<TfrmCltBXGL>(); }

    // The F_ID and the stock of a part row.
    int PartId(const TPartRow& part);
    String Stock(const TPartRow& part);

    // Plays the repair dialog of 新增: fill, then 确定 with 连续新增 off; true when it saved (a
    // dialog that did not save is cancelled).
    bool AddRepair(TfrmCltBXGL& reg, const std::function<void(TfrmCltBXedit*)>& fill);
    // Plays 修改 on the current record the same way.
    bool EditRepair(TfrmCltBXGL& reg, const std::function<void(TfrmCltBXedit*)>& fill);
    // Queues the picker: picks the part rows in order, then 关闭. Call before what opens it.
    void QueuePicks(const std::vector<TPartRow>& parts, const std::function<void(TDLGpjInfoXZ*)>& more = nullptr);
    // In the dialog: the picker opened by 新增 with the parts picked; the lines' quantities set.
    void Pick(TfrmCltBXedit* dialog, const std::vector<TPartRow>& parts);
    // In the dialog: a line typed by code and quantity, left without Enter.
    static void TypeLine(TfrmCltBXedit* dialog, const String& code, double quantity);
    // The current line's quantity.
    static void SetQuantity(TfrmCltBXedit* dialog, double quantity);
    // The codes the picker lists, in order.
    static std::vector<String> Listed(TDLGpjInfoXZ* picker);
    // Fills the owner name (the one required field).
    static void Owner(TfrmCltBXedit* dialog, const String& name);

    const TPartRow TapA{"P01", seed::EstateA};  // 水龙头, 35, stock 50
    const TPartRow TapB{"P01", seed::EstateB};  // the same code in B: 36, stock 30
    const TPartRow Bulb{"P02", seed::EstateB};  // 灯泡, 8, stock 200
    const TPartRow Pipe{"P03", seed::EstateA};  // 水管, 12.5, stock 10
    const TPartRow Wire{"P10", seed::EstateB};  // 电线, 2, stock 100
};
