#include "app/registers/EstateTree.h"

#include "app/registers/RegisterImages.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "gui/ComCtrls.h"
#include "gui/ImgList.h"
#include "rtl/StrUtils.h"

#include <vector>

namespace {

std::vector<String> FirstColumn(const String& sql, const String& param = String(),
                                const String& value = String()) {
    TADOQuery query;
    query.SetConnection(dmData->ADOcnn());
    query.SQL()->SetText(sql);
    if (!param.empty()) query.Parameters()->ParamByName(param)->SetValue(value);
    std::vector<String> values;
    try {
        query.Open();
        for (query.First(); !query.Eof(); query.Next())
            values.push_back(query.Fields()[0]->AsString());
    } catch (const Exception&) {
        ShowMess(MsgOpenFailed, 3);
    }
    return values;
}

} // namespace

TTreeView* NewEstateTreeView(TComponent* owner, TWinControl* parent, std::function<void()> onDoubleClick) {
    auto* tree = new TTreeView(owner);
    tree->SetName("tvTree");
    tree->SetParent(parent);
    tree->SetAlign(alLeft);
    tree->SetWidth(170);
    tree->SetReadOnly(true);
    tree->SetHideSelection(false);
    tree->OnDblClick = [onDoubleClick](TObject*) { onDoubleClick(); };
    return tree;
}

void BuildEstateTree(TTreeView* tree) {
    tree->SetImages(ImageTree());
    tree->Items()->BeginUpdate();
    tree->Items()->Clear();
    // XQNameScopeSQL is empty for an operator who sees every estate.
    for (const String& name :
         FirstColumn("select F_name from T_XQinfo where F_name <> '' " + XQNameScopeSQL + " group by F_name"))
        AddEstateNode(tree, name);
    tree->Items()->EndUpdate();
}

void AddEstateNode(TTreeView* tree, const String& name) {
    TTreeNode* estate = tree->Items()->Add(nullptr, name);
    estate->SetImageIndex(tiEstate);
    estate->SetSelectedIndex(tiEstate);
    for (const String& building : FirstColumn(
             "select F_LDcode from T_FCinfo where F_XQname = :name and F_LDcode <> '' Group by F_LDcode ",
             "name", name)) {
        TTreeNode* node = tree->Items()->AddChild(estate, building);
        node->SetImageIndex(tiBuildingLeaf);
        node->SetSelectedIndex(tiBuildingLeaf);
    }
}

void AddNodeCondition(TSqlStatement& statement, const TTreeNode* node) {
    if (!node) return;
    if (node->Level() == 0) {
        statement.Add("and F_XQname = :" + statement.NewParam(Trim(node->Text())) + " ");
        return;
    }
    statement.Add("and F_XQname = :" + statement.NewParam(Trim(node->Parent()->Text())) + " ");
    statement.Add("and F_LDcode = :" + statement.NewParam(node->Text()) + " ");
}
