// The fee ledger on the seeded database, played offscreen: the registers' fixture (data module,
// seed, "admin", date format, a responder) on a clock fixed at 2027-05-31, with a few ledger rows
// of the seed's fee items written by AddFee.
#pragma once

#include "../registers/RegistersFixture.h"

#include "app/fees/uFrmWYFYscgl.h"

#include <vector>

// One ledger row; fields left at their defaults are not written.
struct TFeeRow {
    int House = 1;
    String Method = "按用量";
    String Item = "水费";
    String EditDate = "2027-05-10";
    String SFdate = "2027-05-31";
    String Previous = "0";
    String Current = "0";
    String Amount = "0";
    String Price = "3.2";
    String Total = "0";
    bool Paid = false;
    String Memo = "";
    String Room = "";   // "" : the seed's room code of the house
    String Owner = "";  // "" : "业主" + house
    String Estate = ""; // "" : the seed's estate of the house
};

class Fees : public Registers {
protected:
    void SetUp() override {
        Registers::SetUp();
        if (HasFatalFailure()) return;
        // The seed's two rows name an item without a method; the ledger never lists them.
    }
    void TearDown() override {
        frmWYFYscgl = nullptr;
        Registers::TearDown();
    }

    // Writes the row; its F_ID.
    int AddFee(const TFeeRow& row);
    // Opens the ledger as the action does (frmWYFYscgl set).
    std::unique_ptr<TfrmWYFYscgl> OpenLedger();
    // Chooses the method in the method box as the user does.
    static void ChooseMethod(TfrmWYFYscgl& ledger, const String& method);
    // The listed rows' values of a field, in list order.
    static std::vector<String> Listed(TfrmWYFYscgl& ledger, const String& field);
    // Copies the program's layouts (app/Qr) into Qr beside the test's program folder.
    void InstallLayouts();

    TClockOverride LedgerClock{EncodeDate(2027, 5, 31) + EncodeTime(9, 0, 0, 0)};
};
