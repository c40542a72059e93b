#include "app/registers/ListSearchPanel.h"

#include "app/core/DataDm.h"

#include "gui/Buttons.h"
#include "gui/StdCtrls.h"
#include "rtl/StringList.h"

TListSearchPanel::TListSearchPanel(TComponent* form, TWinControl* parent) : TPanel(form) {
    SetName("PanelSearch");
    SetParent(parent);
    SetAlign(alTop);
    SetHeight(34);
    SetBevelOuter(bvNone);
    SetCaption("");
    Label1 = new TLabel(form);
    Label1->SetParent(this);
    Label1->SetBounds(10, 10, 70, 16);
    Label1->SetCaption("查询类型：");
    ComboBox1 = new TComboBox(form);
    ComboBox1->SetName("ComboBox1");
    ComboBox1->SetParent(this);
    ComboBox1->SetStyle(csDropDownList);
    ComboBox1->SetBounds(80, 6, 130, 22);
    ComboBox1->SetDropDownCount(16);
    ComboBox1->OnChange = [this](TObject*) { ColumnChanged(); };
    ComboBox1->OnSelect = [this](TObject*) { ColumnChanged(); };
    Label2 = new TLabel(form);
    Label2->SetParent(this);
    Label2->SetBounds(226, 10, 70, 16);
    Label2->SetCaption("查询内容：");
    Edit1 = new TEdit(form);
    Edit1->SetName("Edit1");
    Edit1->SetParent(this);
    Edit1->SetBounds(296, 6, 180, 22);
    Edit1->SetText("");
    Edit1->SetMaxLength(SearchTextLimit);
    Edit1->OnChange = [this](TObject*) { Search(); };
    ComboBox2 = new TComboBox(form);
    ComboBox2->SetName("ComboBox2");
    ComboBox2->SetParent(this);
    ComboBox2->SetBounds(296, 6, 180, 22);
    ComboBox2->SetMaxLength(SearchTextLimit);
    ComboBox2->SetVisible(false);
    ComboBox2->OnChange = [this](TObject*) { Search(); };
    ComboBox2->OnSelect = [this](TObject*) { Search(); };
    SpeedButton1 = new TSpeedButton(form);
    SpeedButton1->SetName("SpeedButton1");
    SpeedButton1->SetParent(this);
    SpeedButton1->SetBounds(480, 6, 24, 22);
    SpeedButton1->SetCaption("…");
    SpeedButton1->SetHint("刷新");
    SpeedButton1->OnClick = [this](TObject*) { Search(); };
}

void TListSearchPanel::SetEntries(std::vector<TSearchEntry> entries) {
    FEntries = std::move(entries);
    FSwitching = true;
    ComboBox1->Items()->Clear();
    for (const TSearchEntry& entry : FEntries)
        ComboBox1->Items()->Add(entry.Caption);
    ComboBox1->SetItemIndex(-1);
    FSwitching = false;
}

const TSearchEntry* TListSearchPanel::Current() const {
    const int index = ComboBox1->ItemIndex();
    if (index < 0 || index >= static_cast<int>(FEntries.size())) return nullptr;
    const TSearchEntry& entry = FEntries[static_cast<size_t>(index)];
    return entry.Field.empty() ? nullptr : &entry;
}

String TListSearchPanel::SearchText() const {
    const TSearchEntry* entry = Current();
    if (!entry) return String();
    return entry->Coded() ? ComboBox2->Text() : Edit1->Text();
}

void TListSearchPanel::AddCondition(TSqlStatement& statement) const {
    if (const TSearchEntry* entry = Current())
        AddTextCondition(statement, entry->Field, SearchText(), entry->Match);
}

void TListSearchPanel::ColumnChanged() {
    if (FSwitching) return;
    const int index = ComboBox1->ItemIndex();
    if (index < 0 || index >= static_cast<int>(FEntries.size())) return;
    const TSearchEntry& entry = FEntries[static_cast<size_t>(index)];
    if (entry.Field.empty()) return; // the empty entries change nothing
    const bool held = !Edit1->Text().empty() || !ComboBox2->Text().empty();
    FSwitching = true;
    if (entry.Coded()) {
        if (!entry.CodeSql.empty())
            dmData->FillCombo(entry.CodeSql, *ComboBox2->Items());
        else {
            ComboBox2->Items()->Clear();
            for (const String& item : entry.Items)
                ComboBox2->Items()->Add(item);
        }
        ComboBox2->SetText("");
        ComboBox2->SetVisible(true);
        Edit1->SetText("");
        Edit1->SetVisible(false);
    } else {
        ComboBox2->SetText("");
        ComboBox2->SetVisible(false);
        Edit1->SetText("");
        Edit1->SetVisible(true);
    }
    FSwitching = false;
    if (held) Search();
}

void TListSearchPanel::Search() {
    if (!FSwitching && OnSearch) OnSearch();
}
