// The font combo box: the list of font families with the recently used ones on top, kept in the
// settings; the pictures of the kinds of font; the preview of the font under the mouse.
#include "report/vrCtrls.h"

#include "gui/Bitmap.h"
#include "gui/FontFamilies.h"
#include "gui/Forms.h"
#include "gui/PopupWindows.h"
#include "report/vrPrinter.h"
#include "report/vrRes.h"
#include "rtl/Format.h"
#include "rtl/Registry.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StringList.h"

#include <cstdint>

namespace {

constexpr int MRUCount = 5;
const char* const DefaultMRUKey = "\\Software\\Vure Vuviror\\MRUFont";

// A list entry carries its kind of font as its object.
TObject* TypeObject(int fontType) {
    return reinterpret_cast<TObject*>(static_cast<std::intptr_t>(fontType));
}

std::unique_ptr<TBitmap> LoadPicture(const char* name) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromBytes(ReadProgramResource(name));
    bitmap->SetTransparent(true);
    return bitmap;
}

// The printer layer has physical printers and one of them is current.
bool PhysicalPrinterCurrent() {
    const TvrPrinters& printers = GetPrinters();
    return printers.PhysicalPrintersFound() && printers.CurrentPrinter();
}

String ReadRegistryText(TRegistry& registry, const String& name) {
    return registry.GetDataType(name) == TRegDataType::rdString ? registry.ReadString(name) : String();
}

int ReadRegistryInteger(TRegistry& registry, const String& name) {
    switch (registry.GetDataType(name)) {
    case TRegDataType::rdInteger:
        return registry.ReadInteger(name);
    case TRegDataType::rdString:
        return StrToIntDef(registry.ReadString(name), 0);
    default:
        return 0;
    }
}

} // namespace

// --- the preview ----------------------------------------------------------------------------

TvrFontPreview::TvrFontPreview(TComponent* AOwner) : TWinControl(AOwner) {
    SetVisible(false);
    SetBounds(0, 0, 200, 50);
    FPanel = new TPanel(this);
    FPanel->SetParent(this);
    FPanel->SetAlign(alClient);
    FPanel->SetColor(clWindow);
    FPanel->SetBevelInner(bvNone);
    FPanel->SetBevelOuter(bvNone);
    FPanel->SetBorderStyle(bsSingle);
    FPanel->SetParentFont(false);
    FPanel->Font()->SetColor(clWindowText);
    FPanel->Font()->SetSize(18);
}

void TvrFontPreview::ShowFont(const String& name) {
    FPanel->SetCaption(name);
    FPanel->Font()->SetName(name);
}

// --- the combo ------------------------------------------------------------------------------

TvrFontComboBox::TvrFontComboBox(TComponent* AOwner) : TvrCustomComboBox(AOwner) {
    if (!ComponentState().Contains(csDesigning)) {
        // A hidden child of the combo until it pops up as a window of its own.
        FPreview = new TvrFontPreview(this);
        FPreview->SetParent(this);
    }
    FTrueTypeBitmap = LoadPicture("VRTRUETYPE_FNT");
    FDeviceBitmap = LoadPicture("VRDEVICE_FNT");
    SetDropDownCount(12);
    SetWidth(150);
    SetEditOffset(16);
    SetReadOnly(true);
    AdjustItemHeight();
}

TvrFontComboBox::~TvrFontComboBox() = default;

String TvrFontComboBox::SettingsKey() const {
    return FMRURegKey.empty() ? String(DefaultMRUKey) : FMRURegKey;
}

int TvrFontComboBox::FontTypeOf(int index) const {
    return static_cast<int>(reinterpret_cast<std::intptr_t>(Items()->Objects(index)));
}

TBitmap* TvrFontComboBox::PictureOf(int fontType) const {
    if (fontType & TRUETYPE_FONTTYPE) return FTrueTypeBitmap.get();
    if (fontType & DEVICE_FONTTYPE) return FDeviceBitmap.get();
    return nullptr;
}

// One line of the font, or the picture and a pixel when the picture is at least as tall.
void TvrFontComboBox::AdjustItemHeight() {
    const int text = FontTextHeight();
    const int picture = FTrueTypeBitmap->Height();
    SetItemHeight(picture >= text ? picture + 1 : text);
}

void TvrFontComboBox::FontChanged() {
    TvrCustomComboBox::FontChanged();
    if (FTrueTypeBitmap) AdjustItemHeight();
}

void TvrFontComboBox::SetParent(TWinControl* NewParent) {
    TvrCustomComboBox::SetParent(NewParent);
    if (NewParent && !FPopulated && !ComponentState().Contains(csDesigning)) Populate();
}

void TvrFontComboBox::Loaded() {
    TvrCustomComboBox::Loaded();
    if (!ComponentState().Contains(csDesigning)) Populate();
}

void TvrFontComboBox::Click() {
    if (FPopulating || ComponentState().Contains(csLoading)) return;
    TvrCustomComboBox::Click();
}

// The families of the screen, then those of the printer, each name once with the kind it was
// first met with, sorted; the recently used fonts that are still installed go on top, and the
// others leave the settings.
void TvrFontComboBox::Populate() {
    FPopulating = true;
    FPopulated = true;
    const TScopeExit done([this] { FPopulating = false; });
    TStringList families;
    families.SetSorted(true);
    auto add = [&families](const std::vector<TFontFamily>& list) {
        for (const TFontFamily& f : list)
            if (families.IndexOf(f.Name) < 0) families.AddObject(f.Name, TypeObject(f.FontType));
    };
    add(ScreenFontFamilies());
    if (PhysicalPrinterCurrent()) {
        try {
            add(PrinterFontFamilies());
        } catch (const std::exception&) {
            // A printer that cannot tell its fonts adds none.
        }
    }
    Items()->Assign(families);
    if (FShowMRU) {
        FLastMRUIndex = -1;
        TRegistry registry;
        registry.SetRootKey(HKEY_CURRENT_USER);
        registry.OpenKey(SettingsKey(), true);
        for (int n = MRUCount - 1; n >= 0; --n) {
            const String name = ReadRegistryText(registry, "Font" + IntToStr(n));
            if (!name.empty() && Items()->IndexOf(name) >= 0) {
                Items()->InsertObject(0, name,
                                      TypeObject(ReadRegistryInteger(registry, "FontType" + IntToStr(n))));
                ++FLastMRUIndex;
            } else {
                registry.WriteString("Font" + IntToStr(n), String());
                registry.WriteInteger("FontType" + IntToStr(n), 0);
            }
        }
    }
    if (Items()->IndexOf(Text()) < 0) SetItemIndex(0);
}

void TvrFontComboBox::WriteMRU() {
    TRegistry registry;
    registry.SetRootKey(HKEY_CURRENT_USER);
    registry.OpenKey(SettingsKey(), true);
    for (int n = 0; n < MRUCount; ++n) {
        const bool used = n <= FLastMRUIndex;
        registry.WriteString("Font" + IntToStr(n), used ? Items()->Strings(n) : String());
        registry.WriteInteger("FontType" + IntToStr(n), used ? FontTypeOf(n) : 0);
    }
}

// A font chosen after the recent block goes on top (the oldest of five drops out); one of the
// block moves to the top.
void TvrFontComboBox::RememberChoice(int index) {
    const String name = Items()->Strings(index);
    const int fontType = FontTypeOf(index);
    const int first = Items()->IndexOf(name);
    if (first > FLastMRUIndex) {
        Items()->InsertObject(0, name, TypeObject(fontType));
        if (FLastMRUIndex == MRUCount - 1)
            Items()->Delete(MRUCount);
        else
            ++FLastMRUIndex;
    } else {
        Items()->Move(first, 0);
    }
    SetItemIndex(0);
    WriteMRU();
}

void TvrFontComboBox::CloseUp() {
    TvrCustomComboBox::CloseUp();
    if (FPreview) HidePopup(FPreview);
    const int index = ItemIndex();
    if (index <= 0) return;
    if (FShowMRU) RememberChoice(index);
}

// The list marks its first entry while the choice is among the first five.
void TvrFontComboBox::PlaceList(TListPlacement& Placement) {
    TvrCustomComboBox::PlaceList(Placement);
    if (ItemIndex() < MRUCount) Placement.Selection = 0;
}

// The preview shows beside the combo before the list opens: right of it, left of it at the
// screen's right edge, above it when the list opens upward.
void TvrFontComboBox::DropDown() {
    TvrCustomComboBox::DropDown();
    if (!FPreview) return;
    const TPoint origin = ClientToScreen(Point(0, 0));
    int left = origin.X + Width() + 1;
    int top = origin.Y + Height();
    if (left + FPreview->Width() > Screen()->Width()) left = origin.X - FPreview->Width() - 1;
    if (ListOpensUpward()) top = origin.Y - FPreview->Height();
    ShowPopupNoActivate(FPreview, left, top);
}

void TvrFontComboBox::PaintFrame() {
    TvrCustomComboBox::PaintFrame();
    if (!Enabled()) return;
    const int index = Items()->IndexOf(Text());
    if (TBitmap* picture = index >= 0 ? PictureOf(FontTypeOf(index)) : nullptr)
        Canvas()->Draw(4, (Height() - picture->Height()) / 2, picture);
}

void TvrFontComboBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
    TCanvas* c = Canvas();
    c->FillRect(Rect);
    const String name = Items()->Strings(Index);
    TBitmap* picture = PictureOf(FontTypeOf(Index));
    if (picture) c->Draw(Rect.Left + 1, Rect.Top + (Rect.Height() - picture->Height()) / 2, picture);
    const int textLeft = Rect.Left + (picture ? picture->Width() : 15) + 2;
    c->Brush()->SetStyle(bsClear);
    c->TextOut(textLeft, Rect.Top + (Rect.Height() - c->TextHeight(name)) / 2, name);
    c->Brush()->SetStyle(bsSolid);
    // A line between the recently used fonts and the others.
    if (FLastMRUIndex >= 0 && (Index == FLastMRUIndex || Index == FLastMRUIndex + 1)) {
        const int y = Index == FLastMRUIndex ? Rect.Bottom - 2 : Rect.Top;
        c->Pen()->SetColor(clBtnShadow);
        c->MoveTo(Rect.Left, y);
        c->LineTo(Rect.Right, y);
    }
    if (State.Contains(odSelected) && FPreview) FPreview->ShowFont(name);
}
