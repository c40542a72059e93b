// The property editors of the object inspector: the base editor and the twenty typed editors, and
// the component editor's menu items.
#include "classes/MetaProps.h"
#include "gui/Dialogs.h"
#include "gui/Forms.h"
#include "gui/IdentTables.h"
#include "gui/Input.h"
#include "gui/Menus.h"
#include "gui/StdCtrls.h"
#include "report/vrClass.h"
#include "report/vrDsgnIntf.h"
#include "report/vrRes.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <algorithm>

namespace dsgnintf {

// The canvas and the entries of the inspector's drop-down (a list box or a combo box).
TCanvas* ListCanvas(TWinControl* list) {
    if (auto* box = dynamic_cast<TCustomListBox*>(list)) return box->Canvas();
    if (auto* combo = dynamic_cast<TCustomComboBox*>(list)) return combo->Canvas();
    return nullptr;
}

TStrings* ListItems(TWinControl* list) {
    if (auto* box = dynamic_cast<TCustomListBox*>(list)) return box->Items();
    if (auto* combo = dynamic_cast<TCustomComboBox*>(list)) return combo->Items();
    return nullptr;
}

// A colour swatch framed by the current pen.
void DrawSwatch(TCanvas* canvas, TColor color, const TRect& r) {
    const TColor brush = canvas->Brush()->Color();
    canvas->Brush()->SetColor(color);
    canvas->Rectangle(r);
    canvas->Brush()->SetColor(brush);
}

const char* const ModalResultNames[] = {"mrNone",   "mrOk", "mrCancel", "mrAbort",   "mrRetry",   "mrIgnore",
                                        "mrYes",    "mrNo", "mrAll",    "mrNoToAll", "mrYesToAll"};

} // namespace dsgnintf

// --- the base editor -------------------------------------------------------------------------------

TvrPropertyEditor::TvrPropertyEditor(TObject* Designer)
    : FDesigner(Designer), FValues(std::make_unique<TStringList>()) {}

TvrPropertyEditor::~TvrPropertyEditor() = default;

void TvrPropertyEditor::InvalidValue() {
    throw Exception(GetResources().GetString("prInvProp"));
}

bool TvrPropertyEditor::Edit() {
    GetValues();
    if (FValues->Count() == 0) return false;
    const Integer current = FValues->IndexOf(ValueText());
    const Integer next = current < 0 || current == FValues->Count() - 1 ? 0 : current + 1;
    ApplyValueText(FValues->Strings(next));
    return true;
}

Integer TvrPropertyEditor::GetAttributes() {
    return MultiObject;
}

String TvrPropertyEditor::GetName() {
    const meta::TPropInfo* prop = EditedPropertyInfo();
    return prop ? prop->Name : String();
}

Integer TvrPropertyEditor::GetExtraListWidth() {
    return RowHeight + 2;
}

String TvrPropertyEditor::ValueText() {
    return "(Unknown)";
}

void TvrPropertyEditor::GetValues() {
    FValues->Clear();
    FValues->SetSorted((GetAttributes() & SortedValues) != 0);
}

void TvrPropertyEditor::ApplyValueText(const String&) {}

void TvrPropertyEditor::DrawListItem(TWinControl* ListControl, Integer Index, const TRect& R, Integer) {
    TCanvas* canvas = dsgnintf::ListCanvas(ListControl);
    TStrings* items = dsgnintf::ListItems(ListControl);
    if (!canvas || !items || Index < 0 || Index >= items->Count()) return;
    canvas->FillRect(R);
    canvas->TextOut(R.Left + RowHeight + 4, R.Top + 1, items->Strings(Index));
    canvas->Pen()->SetColor(0x808080);
}

void TvrPropertyEditor::PaintValue(TCanvas* Canvas, const TRect& R) {
    Canvas->TextOut(R.Left + RowHeight - 2, R.Top, ValueText());
    Canvas->Pen()->SetColor(0x808080);
}

void TvrPropertyEditor::AddObject(TPersistent* Obj, const meta::TPropInfo* Prop) {
    FObjects.push_back(Obj);
    FProps.push_back(Prop);
}

TvrComponent* TvrPropertyEditor::GetReportComponent() const {
    return dynamic_cast<TvrComponent*>(EditedObject());
}

Int64 TvrPropertyEditor::GetOrdValue() const {
    return GetOrdProp(EditedObject(), *EditedPropertyInfo());
}

Extended TvrPropertyEditor::GetFloatValue() const {
    return GetFloatProp(EditedObject(), *EditedPropertyInfo());
}

String TvrPropertyEditor::GetStrValue() const {
    return GetStrProp(EditedObject(), *EditedPropertyInfo());
}

void TvrPropertyEditor::SetOrdValue(Int64 Value) {
    for (size_t i = 0; i < FObjects.size(); ++i)
        if (FProps[i]->IsWritable()) SetOrdProp(FObjects[i], *FProps[i], Value);
}

void TvrPropertyEditor::SetFloatValue(Extended Value) {
    for (size_t i = 0; i < FObjects.size(); ++i)
        if (FProps[i]->IsWritable()) SetFloatProp(FObjects[i], *FProps[i], Value);
}

void TvrPropertyEditor::SetStrValue(const String& Value) {
    for (size_t i = 0; i < FObjects.size(); ++i)
        if (FProps[i]->IsWritable()) SetStrProp(FObjects[i], *FProps[i], Value);
}

void TvrPropertyEditor::AppendValue(const String& Text) {
    FValues->Add(Text);
}

// --- plain kinds -------------------------------------------------------------------------------------

String TvrIntegerProperty::ValueText() {
    return IntToStr(static_cast<Integer>(GetOrdValue()));
}

void TvrIntegerProperty::ApplyValueText(const String& Text) {
    SetOrdValue(StrToInt(Text));
}

String TvrFloatProperty::ValueText() {
    return FloatToStr(GetFloatValue());
}

void TvrFloatProperty::ApplyValueText(const String& Text) {
    String text = Text;
    for (char& c : text)
        if (c == ',' || c == '.') c = FormatSettings().DecimalSeparator;
    SetFloatValue(StrToFloat(Trim(text)));
}

String TvrCharProperty::ValueText() {
    const Int64 code = GetOrdValue();
    if (code < 33) return "#" + IntToStr(static_cast<Integer>(code));
    return String(1, static_cast<char>(code));
}

void TvrCharProperty::ApplyValueText(const String& Text) {
    if (Text.empty()) return SetOrdValue(0);
    if (Text.size() == 1) return SetOrdValue(static_cast<Byte>(Text[0]));
    if (Text[0] != '#') InvalidValue();
    // A code outside the character's range is refused, never cut to it.
    Integer code = 0;
    if (!TryStrToInt(Text.substr(1), code) || code < 0 || code > 255) InvalidValue();
    SetOrdValue(code);
}

String TvrStringProperty::ValueText() {
    return GetStrValue();
}

void TvrStringProperty::ApplyValueText(const String& Text) {
    SetStrValue(Text);
}

// --- enumerations and sets ------------------------------------------------------------------------

namespace dsgnintf {

// The values of an enumeration, lowest to highest.
std::vector<meta::TEnumInfo::TValue> SortedValues(const meta::TEnumInfo& info) {
    std::vector<meta::TEnumInfo::TValue> values = info.Values();
    std::stable_sort(values.begin(), values.end(), [](const auto& a, const auto& b) { return a.Value < b.Value; });
    return values;
}

const meta::TEnumInfo& EnumOf(const meta::TPropInfo* prop) {
    return prop->EnumInfo ? *prop->EnumInfo : meta::BooleanEnumInfo();
}

} // namespace dsgnintf

String TvrEnumProperty::ValueText() {
    return dsgnintf::EnumOf(EditedPropertyInfo()).NameOf(GetOrdValue());
}

void TvrEnumProperty::ApplyValueText(const String& Text) {
    const std::optional<Int64> value = dsgnintf::EnumOf(EditedPropertyInfo()).ValueOf(Text);
    if (!value) InvalidValue();
    SetOrdValue(*value);
}

void TvrEnumProperty::GetValues() {
    TvrPropertyEditor::GetValues();
    for (const auto& v : dsgnintf::SortedValues(dsgnintf::EnumOf(EditedPropertyInfo())))
        FValues->Add(v.Name);
}

String TvrSetProperty::ValueText() {
    return meta::SetToString(dsgnintf::EnumOf(EditedPropertyInfo()), static_cast<UInt64>(GetOrdValue()) & 0xFFFFFFFFu);
}

String TvrSetElementProperty::GetName() {
    return dsgnintf::EnumOf(EditedPropertyInfo()).NameOf(Element);
}

String TvrSetElementProperty::ValueText() {
    return (static_cast<UInt64>(GetOrdValue()) >> Element) & 1 ? "True" : "False";
}

void TvrSetElementProperty::ApplyValueText(const String& Text) {
    const UInt64 bits = static_cast<UInt64>(GetOrdValue());
    const UInt64 bit = UInt64(1) << Element;
    if (SameText(Text, "True"))
        SetOrdValue(static_cast<Int64>(bits | bit));
    else if (SameText(Text, "False"))
        SetOrdValue(static_cast<Int64>(bits & ~bit));
    else
        InvalidValue();
}

void TvrSetElementProperty::GetValues() {
    TvrPropertyEditor::GetValues();
    FValues->Add("False");
    FValues->Add("True");
}

// --- objects ------------------------------------------------------------------------------------------

String TvrClassProperty::ValueText() {
    return "(" + EditedPropertyInfo()->TypeName + ")";
}

String TvrComponentProperty::ValueText() {
    auto* c = dynamic_cast<TComponent*>(GetObjectProp(EditedObject(), *EditedPropertyInfo()));
    return c ? c->Name() : String();
}

void TvrComponentProperty::ApplyValueText(const String& Text) {
    TObject* found = nullptr;
    if (!Text.empty()) {
        // Only an object of the edited object's report, and of the property's class, is taken.
        TvrComponent* edited = GetReportComponent();
        TvrReport* report = edited ? edited->GetReport() : nullptr;
        if (!report) InvalidValue();
        found = report->FindObject(Text);
        const meta::TClassInfo* cls = EditedPropertyInfo()->PropClass();
        if (!found || (cls && !meta::ClassInfoOf(*found).InheritsFrom(*cls))) InvalidValue();
    }
    for (size_t i = 0; i < FObjects.size(); ++i)
        if (FProps[i]->IsWritable()) SetObjectProp(FObjects[i], *FProps[i], found);
}

void TvrComponentProperty::GetValues() {
    TvrPropertyEditor::GetValues();
    TvrComponent* edited = GetReportComponent();
    if (!edited) return;
    const TvrComponent* page = edited->Page();
    if (!page) page = edited;
    const meta::TClassInfo* cls = EditedPropertyInfo()->PropClass();
    for (TvrComponent* c : page->AllObjects())
        if (c != edited && (!cls || meta::ClassInfoOf(*c).InheritsFrom(*cls))) FValues->Add(c->Name());
}

// --- platform types ---------------------------------------------------------------------------------

String TvrColorProperty::ValueText() {
    String name;
    const TColor color = static_cast<TColor>(GetOrdValue());
    return ColorToIdent(color, name) ? name : IntToStr(color);
}

void TvrColorProperty::ApplyValueText(const String& Text) {
    TColor color = 0;
    SetOrdValue(IdentToColor(Text, color) ? color : StrToInt(Text));
}

void TvrColorProperty::GetValues() {
    TvrPropertyEditor::GetValues();
    GetColorValues([this](const String& name) { AppendValue(name); });
}

bool TvrColorProperty::Edit() {
    TColorDialog dialog(nullptr);
    dialog.SetColor(static_cast<TColor>(GetOrdValue()));
    const bool ok = dialog.Execute();
    if (ok) SetOrdValue(dialog.Color());
    return ok;
}

void TvrColorProperty::DrawListItem(TWinControl* ListControl, Integer Index, const TRect& R, Integer State) {
    TvrPropertyEditor::DrawListItem(ListControl, Index, R, State);
    TCanvas* canvas = dsgnintf::ListCanvas(ListControl);
    TStrings* items = dsgnintf::ListItems(ListControl);
    if (!canvas || !items || Index < 0 || Index >= items->Count()) return;
    TColor color = clNone;
    if (!IdentToColor(items->Strings(Index), color)) return;
    const int h = R.Bottom - R.Top;
    dsgnintf::DrawSwatch(canvas, color, TRect(R.Left + 2, R.Top + 2, R.Left + h - 2, R.Bottom - 2));
}

void TvrColorProperty::PaintValue(TCanvas* Canvas, const TRect& R) {
    TvrPropertyEditor::PaintValue(Canvas, R);
    const int h = R.Bottom - R.Top;
    dsgnintf::DrawSwatch(Canvas, static_cast<TColor>(GetOrdValue()), TRect(R.Left, R.Top + 1, R.Left + h - 5, R.Bottom - 4));
}

bool TvrFontProperty::Edit() {
    auto* font = dynamic_cast<TFont*>(GetObjectProp(EditedObject(), *EditedPropertyInfo()));
    if (!font) return false;
    TFontDialog dialog(nullptr);
    dialog.SetFont(font);
    dialog.SetOptions(TFontDialogOptions{fdForceFontExist});
    dialog.SetDevice(fdBoth);
    const bool ok = dialog.Execute();
    if (ok)
        for (size_t i = 0; i < FObjects.size(); ++i)
            if (auto* f = dynamic_cast<TFont*>(GetObjectProp(FObjects[i], *FProps[i]))) f->Assign(*dialog.Font());
    return ok;
}

void TvrFontNameProperty::GetValues() {
    TvrPropertyEditor::GetValues();
    if (TStrings* fonts = Screen()->Fonts())
        for (Integer i = 0; i < fonts->Count(); ++i)
            FValues->Add(fonts->Strings(i));
}

String TvrFontCharsetProperty::ValueText() {
    String name;
    const Integer charset = static_cast<Integer>(GetOrdValue());
    return CharsetToIdent(charset, name) ? name : IntToStr(charset);
}

void TvrFontCharsetProperty::ApplyValueText(const String& Text) {
    Integer charset = 0;
    SetOrdValue(IdentToCharset(Text, charset) ? charset : StrToInt(Text));
}

void TvrFontCharsetProperty::GetValues() {
    TvrPropertyEditor::GetValues();
    GetCharsetValues([this](const String& name) { AppendValue(name); });
}

String TvrModalResultProperty::ValueText() {
    const Int64 value = GetOrdValue();
    if (value >= 0 && value <= 10) return dsgnintf::ModalResultNames[value];
    return IntToStr(static_cast<Integer>(value));
}

void TvrModalResultProperty::ApplyValueText(const String& Text) {
    if (Text.empty()) return SetOrdValue(0);
    for (Integer i = 0; i <= 10; ++i)
        if (SameText(Text, dsgnintf::ModalResultNames[i])) return SetOrdValue(i);
    SetOrdValue(StrToInt(Text));
}

void TvrModalResultProperty::GetValues() {
    TvrPropertyEditor::GetValues();
    for (const char* name : dsgnintf::ModalResultNames)
        FValues->Add(name);
}

String TvrShortCutProperty::ValueText() {
    const Int64 value = GetOrdValue();
    return value == 0 ? String("(None)") : ShortCutToText(static_cast<TShortCut>(value));
}

void TvrShortCutProperty::ApplyValueText(const String& Text) {
    if (Text.empty() || SameText(Text, "(None)")) return SetOrdValue(0);
    SetOrdValue(TextToShortCut(Text));
}

void TvrShortCutProperty::GetValues() {
    TvrPropertyEditor::GetValues();
    FValues->Add("(None)");
    auto add = [this](Word key, TShiftState shift) { FValues->Add(ShortCutToText(ShortCut(key, shift))); };
    for (char c = 'A'; c <= 'Z'; ++c)
        add(static_cast<Word>(c), TShiftState{ssCtrl});
    for (char c = 'A'; c <= 'Z'; ++c)
        add(static_cast<Word>(c), TShiftState{ssCtrl, ssAlt});
    for (const TShiftState shift : {TShiftState{}, TShiftState{ssCtrl}, TShiftState{ssShift}, TShiftState{ssShift, ssCtrl}})
        for (Word key = VK_F1; key <= VK_F12; ++key)
            add(key, shift);
    for (const TShiftState shift : {TShiftState{}, TShiftState{ssShift}, TShiftState{ssCtrl}})
        add(VK_INSERT, shift);
    for (const TShiftState shift : {TShiftState{}, TShiftState{ssShift}, TShiftState{ssCtrl}})
        add(VK_DELETE, shift);
    add(VK_BACK, TShiftState{ssAlt});
    add(VK_BACK, TShiftState{ssShift, ssAlt});
}

String TvrCursorProperty::ValueText() {
    String name;
    const Integer cursor = static_cast<Integer>(GetOrdValue());
    return CursorToIdent(cursor, name) ? name : IntToStr(cursor);
}

void TvrCursorProperty::ApplyValueText(const String& Text) {
    Integer cursor = 0;
    SetOrdValue(IdentToCursor(Text, cursor) ? cursor : StrToInt(Text));
}

void TvrCursorProperty::GetValues() {
    TvrPropertyEditor::GetValues();
    GetCursorValues([this](const String& name) { AppendValue(name); });
}

String TvrDateTimeProperty::ValueText() {
    const Extended value = GetFloatValue();
    return value == 0 ? String() : DateTimeToStr(static_cast<TDateTime>(value));
}

void TvrDateTimeProperty::ApplyValueText(const String& Text) {
    SetFloatValue(Text.empty() ? 0 : StrToDateTime(Text));
}

String TvrDateProperty::ValueText() {
    const Extended value = GetFloatValue();
    return value == 0 ? String() : DateToStr(static_cast<TDateTime>(value));
}

void TvrDateProperty::ApplyValueText(const String& Text) {
    SetFloatValue(Text.empty() ? 0 : StrToDate(Text));
}

String TvrTimeProperty::ValueText() {
    const Extended value = GetFloatValue();
    return value == 0 ? String() : TimeToStr(static_cast<TDateTime>(value));
}

void TvrTimeProperty::ApplyValueText(const String& Text) {
    SetFloatValue(Text.empty() ? 0 : StrToTime(Text));
}

// --- registration and component editors ---------------------------------------------------------

void vrRegisterStandardPropertyEditors() {
    TvrPropertyEditorCollection* r = PropertyEditorRegistry();
    // A component's name: the type its Name property is published with.
    const meta::TPropInfo* name = GetPropInfo(TComponent::StaticClassInfo(), "Name");
    r->Register(name ? name->TypeName : String("TComponentName"), nullptr, "Name",
                vrPropertyEditorClassOf<TvrNameProperty>("TvrNameProperty"));
    r->Register("TColor", nullptr, String(), vrPropertyEditorClassOf<TvrColorProperty>("TvrColorProperty"));
    r->Register("TFont", nullptr, String(), vrPropertyEditorClassOf<TvrFontProperty>("TvrFontProperty"));
    r->Register("String", &TFont::StaticClassInfo(), "Name",
                vrPropertyEditorClassOf<TvrFontNameProperty>("TvrFontNameProperty"));
    r->Register("Integer", &TFont::StaticClassInfo(), "Charset",
                vrPropertyEditorClassOf<TvrFontCharsetProperty>("TvrFontCharsetProperty"));
    r->Register("TModalResult", nullptr, String(),
                vrPropertyEditorClassOf<TvrModalResultProperty>("TvrModalResultProperty"));
    r->Register("TShortCut", nullptr, String(), vrPropertyEditorClassOf<TvrShortCutProperty>("TvrShortCutProperty"));
    r->Register("TCursor", nullptr, String(), vrPropertyEditorClassOf<TvrCursorProperty>("TvrCursorProperty"));
    r->Register("TDateTime", nullptr, String(), vrPropertyEditorClassOf<TvrDateTimeProperty>("TvrDateTimeProperty"));
    r->Register("TDate", nullptr, String(), vrPropertyEditorClassOf<TvrDateProperty>("TvrDateProperty"));
    r->Register("TTime", nullptr, String(), vrPropertyEditorClassOf<TvrTimeProperty>("TvrTimeProperty"));
}

TMenuItem* TvrComponentEditor::AddMenuItem(const String& Caption, Integer Tag, bool Checked) {
    auto* item = new TMenuItem(FMenu);
    item->SetCaption(Caption);
    item->SetTag(Tag);
    item->SetChecked(Checked);
    if (FMenu) FMenu->Items()->Add(item);
    return item;
}
