// The search dialog of the preview.
#include "report/vrSearchDialog.h"

#include "classes/MetaBuilder.h"
#include "report/vrRes.h"
#include "report/vrWindows.h"

ORV_META_IMPL(TvrSearchDialog)
void TvrSearchDialog::DeclareMeta(meta::Class<TvrSearchDialog>&) {}

namespace {

template <class T> T* PlaceSearchControl(TForm* form, TWinControl* parent, const String& name, int x, int y, int w,
                                         int h) {
    auto* c = new T(form);
    c->SetName(name);
    c->SetParent(parent);
    c->SetBounds(x, y, w, h);
    return c;
}

} // namespace

String& TvrSearchDialog::LastText() {
    static String text;
    return text;
}

TvrSearchDialog::TvrSearchDialog(TComponent* AOwner) : TForm(AOwner) {
    SetName("vrSearchDialog");
    SetCaption("Find text");
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetKeyPreview(true);
    SetPosition(poScreenCenter);
    SetClientWidth(300);
    SetClientHeight(164);
    Panel2 = PlaceSearchControl<TPanel>(this, this, "Panel2", 0, 0, 300, 52);
    Panel2->SetBevelOuter(bvNone);
    TextL = PlaceSearchControl<TLabel>(this, Panel2, "TextL", 8, 8, 284, 13);
    TextL->SetCaption("Text to find");
    TextE = PlaceSearchControl<TEdit>(this, Panel2, "TextE", 8, 24, 284, 21);
    ReplacePanel = PlaceSearchControl<TPanel>(this, this, "ReplacePanel", 0, 52, 300, 0);
    ReplacePanel->SetBevelOuter(bvNone);
    ReplacePanel->SetVisible(false);
    ReplaceL = PlaceSearchControl<TLabel>(this, ReplacePanel, "ReplaceL", 8, 4, 284, 13);
    ReplaceL->SetCaption("Replace with");
    ReplaceE = PlaceSearchControl<TEdit>(this, ReplacePanel, "ReplaceE", 8, 20, 284, 21);
    Panel3 = PlaceSearchControl<TPanel>(this, this, "Panel3", 0, 52, 300, 112);
    Panel3->SetBevelOuter(bvNone);
    SearchL = PlaceSearchControl<TGroupBox>(this, Panel3, "SearchL", 8, 0, 284, 64);
    SearchL->SetCaption("Search options");
    TopCB = PlaceSearchControl<TCheckBox>(this, SearchL, "TopCB", 12, 18, 260, 17);
    TopCB->SetCaption("Search from top");
    CaseCB = PlaceSearchControl<TCheckBox>(this, SearchL, "CaseCB", 12, 38, 260, 17);
    CaseCB->SetCaption("Case sensitive");
    OkB = PlaceSearchControl<TButton>(this, Panel3, "OkB", 136, 76, 75, 25);
    OkB->SetDefault(true);
    OkB->SetModalResult(mrOk);
    CancelB = PlaceSearchControl<TButton>(this, Panel3, "CancelB", 217, 76, 75, 25);
    CancelB->SetCancel(true);
    CancelB->SetModalResult(mrCancel);

    const TvrResources& res = GetResources();
    SetCaption(res.GetString("300"));
    TextL->SetCaption(res.GetString("301"));
    SearchL->SetCaption(res.GetString("302"));
    ReplaceL->SetCaption(res.GetString("303"));
    TopCB->SetCaption(res.GetString("304"));
    CaseCB->SetCaption(res.GetString("305"));
    OkB->SetCaption(res.GetString("1"));
    CancelB->SetCaption(res.GetString("2"));
    OnKeyDown = [this](TObject*, Word& key, TShiftState) {
        if (key == VK_F1) GetResources().ShowHelp(this);
    };
    vrMirrorForReadingOrder(this);
    DoCreate();
}

int TvrSearchDialog::ShowModal() {
    TextE->SetText(LastText());
    const int result = TForm::ShowModal();
    if (result == mrOk) LastText() = TextE->Text();
    return result;
}

void TvrSearchDialog::Activate() {
    TForm::Activate();
    if (TextE->CanFocus()) {
        TextE->SetFocus();
        TextE->SelectAll();
    }
}
