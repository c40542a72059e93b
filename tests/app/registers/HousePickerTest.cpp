// The house picker: the operator's estates, no unsold house, the filters with the node, and the id
// it returns for every way the dialog closes.
#include "RegistersFixture.h"

#include "app/registers/uDLGfcinfoCX.h"

#include "grid/DBGridGx.h"
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/StdCtrls.h"

#include <algorithm>

namespace {

class Picker : public Registers {
protected:
    static TTreeNode* Node(TDLGfcinfoCX* picker, const String& estate, const String& building = String()) {
        for (int i = 0; i < picker->tvTree->Items()->Count(); ++i) {
            TTreeNode* node = picker->tvTree->Items()->Item(i);
            if (node->Level() == 0 && node->Text() == estate) {
                if (building.empty()) return node;
                for (int b = 0; b < node->Count(); ++b)
                    if (node->Item(b)->Text() == building) return node->Item(b);
            }
        }
        return nullptr;
    }
    static void Choose(TDLGfcinfoCX* picker, const String& estate, const String& building = String()) {
        TTreeNode* node = Node(picker, estate, building);
        ASSERT_NE(node, nullptr);
        picker->tvTree->SetSelected(node);
        picker->tvTree->OnDblClick(picker->tvTree);
    }
    static std::vector<String> States(TDLGfcinfoCX* picker) {
        std::vector<String> states;
        for (picker->QryTable->First(); !picker->QryTable->Eof(); picker->QryTable->Next()) {
            const TField* state = picker->QryTable->FieldByName("F_curStatus");
            const String text = state->IsNull() ? String("Null") : state->AsString();
            if (std::find(states.begin(), states.end(), text) == states.end()) states.push_back(text);
        }
        std::sort(states.begin(), states.end());
        return states;
    }
    // Plays the picker with the handler and returns what SelectHouse gives for the id.
    int Select(int id, std::function<void(TDLGfcinfoCX*)> handler) {
        Play<TDLGfcinfoCX>(std::move(handler));
        TDLGfcinfoCX picker(nullptr);
        return picker.SelectHouse(id);
    }
};

TEST_F(Picker, OffersTheOperatorsHousesThatAreNotUnsold) {
    Dm->RunSQL("insert into T_FCinfo (F_XQname, F_LDcode, F_code, F_curStatus) values ('" + seed::EstateA +
               "', '1号楼', '801', Null)");
    Dm->RunSQL("insert into T_FCinfo (F_XQname, F_LDcode, F_code, F_curStatus) values ('" + seed::EstateA +
               "', '1号楼', '802', '')");
    RestrictTo("'" + seed::EstateA + "'");
    Select(-1, [&](TDLGfcinfoCX* picker) {
        EXPECT_EQ(picker->Caption(), "房屋信息选择");
        EXPECT_FALSE(picker->QryTable->Active());
        EXPECT_EQ(picker->tvTree->Items()->Count(), 4);
        EXPECT_EQ(Node(picker, seed::EstateB), nullptr);
        Choose(picker, seed::EstateA, "1号楼");
        EXPECT_EQ(States(picker), (std::vector<String>{"", "已入住", "已销售"}));
        EXPECT_EQ(picker->QryTable->RecordCount(), 14);
        picker->edtCode->SetText("11");                // each change runs the list
        EXPECT_EQ(picker->QryTable->RecordCount(), 6); // 111, 112, 114, 115, 117, 118
        picker->edtCode->SetText("");
        picker->cbbXQname->SetText("翠"); // the filters combine with the node
        picker->BitBtn3->Click();
        EXPECT_EQ(picker->QryTable->RecordCount(), 0);
        picker->BitBtn2->Click();
    });
    EXPECT_TRUE(Messages.empty());
}

TEST_F(Picker, ReturnsTheChosenHouseOrTheIdItWasGiven) {
    struct Case {
        const char* Name;
        std::function<void(TDLGfcinfoCX*)> Play;
        int Given;
        int Expected;
    } cases[] = {
        {"确定 before a query", [](TDLGfcinfoCX* p) { p->BitBtn1->Click(); }, 17, 17},
        {"关闭 after a query",
         [](TDLGfcinfoCX* p) {
             Choose(p, seed::EstateB, "1号楼");
             p->BitBtn2->Click();
         },
         17, 17},
        {"确定 on an empty list",
         [](TDLGfcinfoCX* p) {
             Choose(p, seed::EstateB, "1号楼");
             p->edtLDcode->SetText("没有这样的楼");
             p->BitBtn3->Click();
             ASSERT_TRUE(p->QryTable->IsEmpty());
             p->BitBtn1->Click();
         },
         -1, -1},
        {"确定 on a house",
         [](TDLGfcinfoCX* p) {
             Choose(p, seed::EstateB, "1号楼");
             ASSERT_TRUE(p->QryTable->Locate("F_code", seed::RoomCode(7)));
             p->BitBtn1->Click();
         },
         -1, seed::ReferencedHouse},
        {"a double click on a house",
         [](TDLGfcinfoCX* p) {
             Choose(p, seed::EstateB, "1号楼");
             ASSERT_TRUE(p->QryTable->Locate("F_code", seed::RoomCode(7)));
             p->DBGridGx1->OnDblClick(p->DBGridGx1);
         },
         5, seed::ReferencedHouse},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Select(c.Given, c.Play), c.Expected) << c.Name;
}

} // namespace
