// The repair register: records with their material lines, the stock they move (on the part row a
// line was taken from), the save's and the delete's messages, one transaction for record, lines
// and stock, and a saved record's lines kept as they are.
#include "RepairsFixture.h"

#include "app/registers/uDLGfcinfoCX.h"

#include "controls/kxCurrEdit.h"
#include "db/SqliteDatabase.h"
#include "gui/ActnList.h"
#include "gui/ComCtrls.h"
#include "gui/StdCtrls.h"
#include "grid/DBGridGx.h"

namespace {

class RepairRecords : public Repairs {
protected:
    // The stored lines of a record: "code*quantity" in F_ID order.
    std::vector<String> StoredLines(const String& record) {
        return Rows("select F_PJcode, F_amount from t_ZHBXdetail where F_code = '" + record + "' order by F_ID");
    }
};

TEST_F(RepairRecords, ANewRecordTakesItsLinesFromThePickedRowsStockAndADeleteGivesThemBack) {
    auto reg = OpenRegister();
    ASSERT_TRUE(AddRepair(*reg, [&](TfrmCltBXedit* d) {
        Owner(d, "张三");
        Pick(d, {TapA});
        SetQuantity(d, 2);
        Pick(d, {TapA}); // a second opening offers it again: a second line
        SetQuantity(d, 3);
        EXPECT_EQ(d->Register()->QryDetail->RecordCount(), 2);
    }));
    EXPECT_EQ(Stock(TapA), "45");
    EXPECT_EQ(Stock(TapB), "30") << "the row of the same code in the other estate";
    EXPECT_EQ(StoredLines("001"), (std::vector<String>{"P01|2", "P01|3"}));
    EXPECT_EQ(One("select count(*) from t_ZHBXdetail where F_PJid = " + IntToStr(PartId(TapA))), "2");
    EXPECT_EQ(reg->QryDetail->RecordCount(), 2) << "the lines follow the saved record";

    ASSERT_TRUE(reg->QryTable->Locate("F_code", "001"));
    Answer = 1;
    reg->DeleteRepair();
    EXPECT_EQ(LastMessage(), "真的要删除当前报修单号为001报修记录吗？");
    EXPECT_EQ(Stock(TapA), "50");
    EXPECT_EQ(Stock(TapB), "30");
    EXPECT_EQ(One("select count(*) from t_ZHBX"), "0");
    EXPECT_EQ(One("select count(*) from t_ZHBXdetail"), "0");
}

TEST_F(RepairRecords, DeleteAnsweredNoKeepsRecordAndStock) {
    auto reg = OpenRegister();
    ASSERT_TRUE(AddRepair(*reg, [&](TfrmCltBXedit* d) {
        Owner(d, "张三");
        Pick(d, {Pipe});
    }));
    Answer = 2;
    reg->DeleteRepair();
    EXPECT_EQ(One("select count(*) from t_ZHBX"), "1");
    EXPECT_EQ(Stock(Pipe), "9");
}

TEST_F(RepairRecords, AClearedLineIsRemovedAndTheNextOneIsStillStampedAndCharged) {
    auto reg = OpenRegister();
    ASSERT_TRUE(AddRepair(*reg, [&](TfrmCltBXedit* d) {
        Owner(d, "李四");
        Pick(d, {Pipe, Bulb, Wire});
        TADOQuery* lines = d->Register()->QryDetail;
        ASSERT_TRUE(lines->Locate("F_PJcode", "P02"));
        lines->Edit();
        lines->FieldByName("F_PJcode")->SetAsString("");
        lines->Post();
        ASSERT_TRUE(lines->Locate("F_PJcode", "P10"));
        SetQuantity(d, 4);
    }));
    EXPECT_EQ(StoredLines("001"), (std::vector<String>{"P03|1", "P10|4"}));
    EXPECT_EQ(Stock(Pipe), "9");
    EXPECT_EQ(Stock(Bulb), "200");
    EXPECT_EQ(Stock(Wire), "96");
    EXPECT_EQ(One("select F_wlPrice, F_totalprice from t_ZHBX"), "20.5|20.5");
}

TEST_F(RepairRecords, ARecordWithoutAHouseHasHouseMinusOneAndEmptyTexts) {
    auto reg = OpenRegister();
    ASSERT_TRUE(AddRepair(*reg, [&](TfrmCltBXedit* d) { Owner(d, "王五"); }));
    EXPECT_EQ(One("select F_mainID, F_FZcode, F_XQname, F_LDcode, F_FZname from t_ZHBX"), "-1||||王五");
}

TEST_F(RepairRecords, AHouseChosenInThePickerFillsRoomEstateBuildingAndOwner) {
    auto reg = OpenRegister();
    ASSERT_TRUE(AddRepair(*reg, [&](TfrmCltBXedit* d) {
        User.Form([](TCustomForm* form) {
            auto* picker = dynamic_cast<TDLGfcinfoCX*>(form);
            EXPECT_NE(picker, nullptr);
            if (!picker) return static_cast<int>(mrCancel);
            // The estate's node lists its houses; the referenced house chosen.
            for (int i = 0; i < picker->tvTree->Items()->Count(); ++i)
                if (picker->tvTree->Items()->Item(i)->Text() == seed::EstateB) {
                    picker->tvTree->SetSelected(picker->tvTree->Items()->Item(i));
                    picker->tvTree->OnDblClick(picker->tvTree);
                }
            EXPECT_TRUE(picker->QryTable->Locate("F_ID", seed::ReferencedHouse));
            return static_cast<int>(mrOk);
        });
        d->FindHouse();
        EXPECT_EQ(d->HouseId(), seed::ReferencedHouse);
    }));
    EXPECT_EQ(One("select F_mainID, F_FZcode, F_XQname, F_LDcode, F_FZname from t_ZHBX"),
              One("select F_ID, F_code, F_XQname, F_LDcode, F_FZname from T_FCinfo where F_ID = " +
                  IntToStr(seed::ReferencedHouse)));
}

TEST_F(RepairRecords, TheTotalIsTheServiceFeePlusTheLinesNewAndEditedAndEditingMovesNoStock) {
    auto reg = OpenRegister();
    ASSERT_TRUE(AddRepair(*reg, [&](TfrmCltBXedit* d) {
        Owner(d, "赵六");
        d->ceFWprice->SetValue(50);
        Pick(d, {TapA, Pipe});
        ASSERT_TRUE(d->Register()->QryDetail->Locate("F_PJcode", "P01"));
        SetQuantity(d, 2);
    }));
    EXPECT_EQ(One("select F_fwPrice, F_wlPrice, F_totalprice from t_ZHBX"), "50|82.5|132.5");
    EXPECT_EQ(Stock(TapA), "48");
    // The list's footers sum the saved record.
    for (const auto& [field, sum] : {std::pair<const char*, int>{"F_fwPrice", 50}, {"F_totalprice", 132}})
        EXPECT_EQ(reg->DBGridGx1->ColumnByFieldName(field)->Footer()->AggregateValue().AsCurrency().Value / 10000,
                  sum)
            << field;
    EXPECT_EQ(VarToStr(reg->DBGridGx2->ColumnByFieldName("F_totalprice")->Footer()->AggregateValue()), "82.5");
    ASSERT_TRUE(EditRepair(*reg, [&](TfrmCltBXedit* d) {
        EXPECT_EQ(d->edtCode->Text(), "001");
        d->ceFWprice->SetValue(60.25);
    }));
    EXPECT_EQ(One("select F_fwPrice, F_wlPrice, F_totalprice from t_ZHBX"), "60.25|82.5|142.75");
    EXPECT_EQ(Stock(TapA), "48");
    EXPECT_EQ(Stock(Pipe), "9");
}

TEST_F(RepairRecords, GroupingByOwnerListsOnlyThatOwnersRecords) {
    auto reg = OpenRegister();
    for (const char* owner : {"甲", "乙", "甲"})
        ASSERT_TRUE(AddRepair(*reg, [&](TfrmCltBXedit* d) { Owner(d, owner); }));
    reg->cbbListType->SetItemIndex(3);
    reg->RefillGroupList();
    EXPECT_EQ(reg->vleList->Column(1)->Caption(), "业主姓名");
    ASSERT_EQ(reg->vleList->Items(1)->SubItems()->Strings(0), "乙");
    reg->vleList->SetSelected(reg->vleList->Items(2)); // 甲 (values in the order read)
    const String owner = reg->vleList->Items(2)->SubItems()->Strings(0);
    EXPECT_EQ(reg->QryTable->RecordCount(), owner == "甲" ? 2 : 1);
    for (reg->QryTable->First(); !reg->QryTable->Eof(); reg->QryTable->Next())
        EXPECT_EQ(reg->QryTable->FieldByName("F_FZname")->AsString(), owner);
}

TEST_F(RepairRecords, ATypedPrefixOfSeveralCodesOpensThePickerAndTheTypedLineStays) {
    auto reg = OpenRegister();
    bool pickerOpened = false;
    ASSERT_TRUE(AddRepair(*reg, [&](TfrmCltBXedit* d) {
        Owner(d, "孙七");
        TypeLine(d, "P0", 0);
        User.Form([&](TCustomForm* form) {
            pickerOpened = dynamic_cast<TDLGpjInfoXZ*>(form) != nullptr;
            return static_cast<int>(mrCancel);
        });
        EXPECT_FALSE(d->LookUpMaterialCode());
        EXPECT_TRUE(pickerOpened);
        TADOQuery* lines = d->Register()->QryDetail;
        EXPECT_EQ(lines->RecordCount(), 1);
        EXPECT_EQ(lines->FieldByName("F_PJcode")->AsString(), "P0");
        EXPECT_TRUE(lines->FieldByName("F_PJid")->IsNull());
        // Typed on to a code of one part: the line takes it.
        lines->Edit();
        lines->FieldByName("F_PJcode")->SetAsString("P03");
        lines->Post();
        EXPECT_TRUE(d->LookUpMaterialCode());
        EXPECT_EQ(lines->FieldByName("F_PJname")->AsString(), "水管");
        EXPECT_EQ(lines->FieldByName("F_amount")->AsString(), "1");
        EXPECT_EQ(lines->FieldByName("F_totalprice")->AsString(), "12.5");
    }));
    EXPECT_EQ(Stock(Pipe), "9");
}

// ---- messages --------------------------------------------------------------------------------

TEST_F(RepairRecords, AnEmptyOwnerNameStopsTheSaveWithItsMessage) {
    auto reg = OpenRegister();
    EXPECT_FALSE(AddRepair(*reg, [&](TfrmCltBXedit* d) {
        Owner(d, "   ");
        Pick(d, {Pipe});
    }));
    EXPECT_EQ(Messages.back(), std::make_pair(String("当前业主姓名不能为空！"), 0));
    EXPECT_EQ(One("select count(*) from t_ZHBX"), "0");
    EXPECT_EQ(One("select count(*) from t_ZHBXdetail"), "0");
    EXPECT_EQ(Stock(Pipe), "10");
}

TEST_F(RepairRecords, ATakenCodeIsReplacedSilentlyByTheNextFreeOne) {
    auto reg = OpenRegister();
    ASSERT_TRUE(AddRepair(*reg, [&](TfrmCltBXedit* d) { Owner(d, "甲"); }));
    Messages.clear();
    ASSERT_TRUE(AddRepair(*reg, [&](TfrmCltBXedit* d) {
        Owner(d, "乙");
        d->edtCode->SetText("001");
        Pick(d, {Pipe});
    }));
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(Rows("select F_code, F_FZname from t_ZHBX order by F_ID"), (std::vector<String>{"001|甲", "002|乙"}));
    EXPECT_EQ(StoredLines("002"), (std::vector<String>{"P03|1"}));
}

TEST_F(RepairRecords, AnUnknownTypedCodeIsToldAndTheLineStaysAsTyped) {
    auto reg = OpenRegister();
    EXPECT_FALSE(AddRepair(*reg, [&](TfrmCltBXedit* d) {
        Owner(d, "甲");
        TypeLine(d, "P9", 2);
        EXPECT_FALSE(d->LookUpMaterialCode());
        EXPECT_EQ(Messages.back(), std::make_pair(String("配件编号 \"P9\" 不存在，请检查输入？"), 0));
        EXPECT_EQ(d->Register()->QryDetail->FieldByName("F_PJcode")->AsString(), "P9");
        Messages.clear();
        // The save looks the line up once more and stops on it.
    }));
    EXPECT_EQ(Messages.back(), std::make_pair(String("配件编号 \"P9\" 不存在，请检查输入？"), 0));
    EXPECT_EQ(One("select count(*) from t_ZHBX"), "0");
}

TEST_F(RepairRecords, AnUncheckedRepairDateIsSavedAsTheNotSetDateAndShownEmpty) {
    auto reg = OpenRegister();
    ASSERT_TRUE(AddRepair(*reg, [&](TfrmCltBXedit* d) {
        Owner(d, "甲");
        EXPECT_FALSE(d->dtpXFdate->Checked());
    }));
    ASSERT_TRUE(AddRepair(*reg, [&](TfrmCltBXedit* d) {
        Owner(d, "乙");
        d->dtpXFdate->SetDate(EncodeDate(2026, 3, 20));
        d->dtpXFdate->SetChecked(true);
    }));
    EXPECT_EQ(Rows("select F_xfDate from t_ZHBX order by F_ID"), (std::vector<String>{"1900-08-14", "2026-03-20"}));
    reg->QryTable->First();
    EXPECT_EQ(reg->QryTable->FieldByName("F_xfDate")->DisplayText(), "");
    EXPECT_EQ(reg->QryTable->FieldByName("F_bxDate")->DisplayText(), "2026-03-15");
    // Edited again, the unchecked date stays unchecked.
    EditRepair(*reg, [&](TfrmCltBXedit* d) { EXPECT_FALSE(d->dtpXFdate->Checked()); });
    EXPECT_EQ(One("select F_xfDate from t_ZHBX where F_code = '001'"), "1900-08-14");
}

TEST_F(RepairRecords, EditingWithAnEmptyListIsTold) {
    auto reg = OpenRegister();
    reg->EditClick();
    EXPECT_EQ(Messages.back(), std::make_pair(String("此表为空，没有记录需要修改！"), 3));
}

// ---- one transaction ---------------------------------------------------------------------------

TEST_F(RepairRecords, AFailingStockStatementLeavesRecordsLinesAndStockAsTheyWere) {
    auto reg = OpenRegister();
    ASSERT_TRUE(AddRepair(*reg, [&](TfrmCltBXedit* d) {
        Owner(d, "甲");
        Pick(d, {Pipe, Wire});
    }));
    Dm->ADOcnn()->Database().ExecuteSql("CREATE TRIGGER refuse_stock BEFORE UPDATE OF F_amount ON T_PJinfo "
                                        "WHEN NEW.F_code = 'P10' BEGIN SELECT RAISE(ABORT, 'refused'); END");
    // Save: the first line's stock moved, the second refused; nothing stays.
    EXPECT_FALSE(AddRepair(*reg, [&](TfrmCltBXedit* d) {
        Owner(d, "乙");
        Pick(d, {TapA, Wire});
        EXPECT_FALSE(d->SaveRepair()) << "a second try fails alike";
        EXPECT_EQ(d->Register()->QryDetail->RecordCount(), 2) << "the lines stay pending";
    }));
    EXPECT_EQ(Messages.back(), std::make_pair(String("保存失败，请检测数据库连接！"), 3));
    EXPECT_EQ(One("select count(*) from t_ZHBX"), "1");
    EXPECT_EQ(One("select count(*) from t_ZHBXdetail"), "2");
    EXPECT_EQ(Stock(TapA), "50");
    EXPECT_EQ(Stock(Wire), "99");
    // Delete: the pipe's stock back, the wire's refused; nothing changes.
    ASSERT_TRUE(reg->QryTable->Locate("F_code", "001"));
    Answer = 1;
    reg->DeleteRepair();
    EXPECT_EQ(Messages.back(), std::make_pair(String("操作失败，请检查连接..."), 3));
    EXPECT_EQ(One("select count(*) from t_ZHBX"), "1");
    EXPECT_EQ(One("select count(*) from t_ZHBXdetail"), "2");
    EXPECT_EQ(Stock(Pipe), "9");
    EXPECT_EQ(Stock(Wire), "99");
    Dm->ADOcnn()->Database().ExecuteSql("DROP TRIGGER refuse_stock");
    reg->DeleteRepair();
    EXPECT_EQ(Stock(Pipe), "10");
    EXPECT_EQ(Stock(Wire), "100");
}

// ---- the part row of a line ----------------------------------------------------------------------

TEST_F(RepairRecords, ALineTypedAndNeverLookedUpIsLookedUpAtSavingAndMovesOnlyItsRow) {
    auto reg = OpenRegister();
    ASSERT_TRUE(AddRepair(*reg, [&](TfrmCltBXedit* d) {
        Owner(d, "甲");
        TypeLine(d, "P03", 2);
    }));
    EXPECT_EQ(Stock(Pipe), "8");
    EXPECT_EQ(One("select F_PJid, F_PJname, F_totalprice from t_ZHBXdetail"), IntToStr(PartId(Pipe)) + "|水管|25");
    // "P01" names a part in each estate: the save stops on it with the picker instead of lowering both.
    bool pickerOpened = false;
    EXPECT_FALSE(AddRepair(*reg, [&](TfrmCltBXedit* d) {
        Owner(d, "乙");
        TypeLine(d, "P01", 1);
        User.Form([&](TCustomForm* form) {
            pickerOpened = dynamic_cast<TDLGpjInfoXZ*>(form) != nullptr;
            return static_cast<int>(mrCancel);
        });
    }));
    EXPECT_TRUE(pickerOpened);
    EXPECT_EQ(Stock(TapA), "50");
    EXPECT_EQ(Stock(TapB), "30");
    EXPECT_EQ(One("select count(*) from t_ZHBX"), "1");
}

TEST_F(RepairRecords, APartRowDeletedMeanwhileStopsTheSaveAndNothingIsWritten) {
    auto reg = OpenRegister();
    EXPECT_FALSE(AddRepair(*reg, [&](TfrmCltBXedit* d) {
        Owner(d, "甲");
        Pick(d, {Pipe, Wire});
        // Another station deletes the wire's card while the repair is being typed.
        Dm->RunSQL("delete from T_PJinfo where F_code = 'P10'");
    }));
    EXPECT_EQ(Messages.back(), std::make_pair(String("保存失败，请检测数据库连接！"), 3));
    EXPECT_EQ(One("select count(*) from t_ZHBX"), "0");
    EXPECT_EQ(One("select count(*) from t_ZHBXdetail"), "0");
    EXPECT_EQ(Stock(Pipe), "10");
}

TEST_F(RepairRecords, ALineSavedWithoutItsPartRowGivesBackByCodeAsBefore) {
    // A record from before lines kept their part row.
    Dm->RunSQL("insert into t_ZHBX (F_code, F_FZname, F_xfDate) values ('001', '甲', '1900-08-14')");
    Dm->RunSQL("insert into t_ZHBXdetail (F_code, F_PJcode, F_amount) values ('001', 'P03', 2)");
    auto reg = OpenRegister();
    Answer = 1;
    reg->DeleteRepair();
    EXPECT_EQ(Stock(Pipe), "12");
    EXPECT_EQ(One("select count(*) from t_ZHBXdetail"), "0");
}

TEST_F(RepairRecords, APickedLineTypedOverForgetsItsPartRow) {
    auto reg = OpenRegister();
    ASSERT_TRUE(AddRepair(*reg, [&](TfrmCltBXedit* d) {
        Owner(d, "甲");
        Pick(d, {TapB});
        TADOQuery* lines = d->Register()->QryDetail;
        lines->Edit();
        lines->FieldByName("F_PJcode")->SetAsString("P10");
        lines->Post();
        EXPECT_TRUE(lines->FieldByName("F_PJid")->IsNull());
    }));
    EXPECT_EQ(Stock(TapB), "30");
    EXPECT_EQ(Stock(Wire), "99");
}

TEST_F(RepairRecords, ASavedRecordsLinesStayAsTheyAre) {
    auto reg = OpenRegister();
    ASSERT_TRUE(AddRepair(*reg, [&](TfrmCltBXedit* d) {
        Owner(d, "甲");
        Pick(d, {Pipe});
        SetQuantity(d, 3);
    }));
    EXPECT_EQ(Stock(Pipe), "7");
    ASSERT_TRUE(EditRepair(*reg, [&](TfrmCltBXedit* d) {
        EXPECT_FALSE(d->Action1->Enabled());
        EXPECT_FALSE(d->Action2->Enabled());
        EXPECT_TRUE(d->DBGridGx1->ReadOnly());
        // Enter on the part code does nothing in edit mode: no re-pricing, no picker.
        Dm->RunSQL("update T_PJinfo set F_price1 = 99 where F_code = 'P03'");
        EXPECT_FALSE(d->LookUpMaterialCode());
        d->PickParts(); // no picker opens (the responder has no answer queued)
        d->DeleteLine();
    }));
    EXPECT_EQ(One("select F_amount, F_price, F_totalprice from t_ZHBXdetail"), "3|12.5|37.5");
    EXPECT_EQ(Stock(Pipe), "7");
    Answer = 1;
    reg->DeleteRepair();
    EXPECT_EQ(Stock(Pipe), "10") << "what left comes back, no more";
}

TEST_F(RepairRecords, ACancelledNewRecordDropsItsLinesAndTheListFollowsItsRecordAgain) {
    auto reg = OpenRegister();
    ASSERT_TRUE(AddRepair(*reg, [&](TfrmCltBXedit* d) {
        Owner(d, "甲");
        Pick(d, {Pipe});
    }));
    User.Form([&](TCustomForm* form) {
        auto* d = dynamic_cast<TfrmCltBXedit*>(form);
        if (d) Pick(d, {Wire, Bulb});
        return static_cast<int>(mrCancel);
    });
    reg->NewClick();
    EXPECT_FALSE(reg->QryDetail->HasPendingChanges());
    EXPECT_EQ(reg->QryDetail->RecordCount(), 1);
    EXPECT_EQ(reg->QryDetail->FieldByName("F_PJcode")->AsString(), "P03");
    EXPECT_EQ(One("select count(*) from t_ZHBXdetail"), "1");
    EXPECT_EQ(Stock(Wire), "100");
}

TEST_F(RepairRecords, ContinuousAddSavesOneRecordAfterAnother) {
    auto reg = OpenRegister();
    User.Form([&](TCustomForm* form) {
        auto* d = dynamic_cast<TfrmCltBXedit*>(form);
        if (!d) return static_cast<int>(mrCancel);
        EXPECT_TRUE(d->CheckBox1->Checked());
        Owner(d, "甲");
        Pick(d, {Pipe});
        EXPECT_TRUE(d->SaveRepair());
        EXPECT_EQ(d->edtCode->Text(), "002");
        EXPECT_EQ(d->edtFZname->Text(), "");
        EXPECT_EQ(d->Register()->QryDetail->RecordCount(), 0);
        Owner(d, "乙");
        Pick(d, {Wire});
        EXPECT_TRUE(d->SaveRepair());
        return static_cast<int>(mrCancel);
    });
    reg->NewClick();
    EXPECT_EQ(Rows("select F_code, F_FZname from t_ZHBX order by F_ID"), (std::vector<String>{"001|甲", "002|乙"}));
    EXPECT_EQ(StoredLines("002"), (std::vector<String>{"P10|1"}));
    EXPECT_EQ(Stock(Pipe), "9");
    EXPECT_EQ(Stock(Wire), "99");
}

} // namespace
