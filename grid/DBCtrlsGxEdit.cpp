// The data-aware edit: value protocol with the link, read-only rules, keys, focus and painting.
#include "grid/DBCtrlsGxEdit.h"

#include "grid/ToolCtrlsGxMRUListBox.h"

#include "classes/MetaBuilder.h"
#include "gui/Bitmap.h"
#include "gui/ClassicEdges.h"
#include "gui/Colors.h"
#include "gui/ControlPaintHook.h"
#include "gui/ControlPreview.h"
#include "gui/Graphics.h"
#include "gui/HintWindow.h"
#include "gui/ImgList.h"
#include "gui/Input.h"
#include "gui/SystemMetrics.h"
#include "rtl/CodePage.h"
#include "rtl/SysLocale.h"

#include <algorithm>

ORV_META_IMPL(TCustomDBEditGx)
void TCustomDBEditGx::DeclareMeta(meta::Class<TCustomDBEditGx>& c) {
    c.Property("DataField", &TCustomDBEditGx::DataField, &TCustomDBEditGx::SetDataField);
    c.Property("HighlightRequired", &TCustomDBEditGx::HighlightRequired,
               &TCustomDBEditGx::SetHighlightRequired)
        .Default(false);
    c.Property("WordWrap", &TCustomDBEditGx::WordWrap, &TCustomDBEditGx::SetWordWrap).Default(false);
}

TCustomDBEditGx::TCustomDBEditGx(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
    FDataLink = std::make_unique<TFieldDataLinkGx>(this);
    FDataLink->OnLinkDataChange = [this](TFieldDataLinkGx*) { LinkDataChanged(); };
    FDataLink->OnLinkEditingChange = [this](TFieldDataLinkGx*) { LinkEditingChanged(); };
    FDataLink->OnLinkUpdateData = [this](TFieldDataLinkGx*) { StoreValue(); };
    FDataLink->OnLinkActiveChange = [this](TFieldDataLinkGx*) { LinkActiveChanged(); };
    FImageSettings = std::make_unique<TEditImageGx>(this);
    FEditButton = std::make_unique<TEditButtonGx>(this, false, 0);
    FEditButton->ChangeHook = [this](TEditButtonGx*) { ButtonsChanged(); };
    FEditButtons = std::make_unique<TEditButtonsGx>(this);
    FEditButtons->CollectionHook = [this](TCollectionItem*) { ButtonsChanged(); };
    FMRUList = std::make_unique<TMRUListGx>(this);
    FMRUList->DropDownHook = [this](TObject*) { ShowMRUList(); };
    FMRUList->CloseUpHook = [this](TObject*, bool Accept) { HideMRUList(Accept); };
    SetControlPaintHook(this, {[this](TCanvas* c) { return PaintPlainText(c); },
                               [this](TCanvas* c) {
                                   DrawFlatBorder(c);
                                   DrawRequiredMark(c);
                                   DrawEditImage(c); // clips to the image area: last
                               }});
    SetControlMessagePreview(this, [this](TWinControl*, TControlMessage& m) { PreviewMessage(m); });
    SetControlHintQuery(this, [this](TControl*, THintInfo& Info) {
        if (FTooltips && !TextFits()) {
            Info.Show = true;
            Info.HintStr = Text();
            Info.HintPos = ClientToScreen(TPoint(0, Height()));
            Info.HintWindowClass = [] { return std::make_unique<TToolTipsWindow>(); };
            Info.HintData = Font();
        } else if (!FOwnShowHint) {
            Info.Show = false;
        }
    });
    RefreshReadOnly();
    ButtonsChanged();
}

TCustomDBEditGx::~TCustomDBEditGx() {
    FInRebuild = true; // the strip stays as it is while the edit goes
    FEditButtons->CollectionHook = nullptr;
    FEditButton->ChangeHook = nullptr;
    FMRUList->DropDownHook = nullptr;
    FMRUList->CloseUpHook = nullptr;
    SetControlPaintHook(this, {});
    SetControlMessagePreview(this, {});
    SetControlHintQuery(this, {});
    if (FHolder) FHolder->RemoveFreeNotification(this);
    FImageSettings.reset();
    FDataLink->OnLinkDataChange = nullptr;
    FDataLink->OnLinkEditingChange = nullptr;
    FDataLink->OnLinkUpdateData = nullptr;
    FDataLink->OnLinkActiveChange = nullptr;
    FDataLink.reset();
}

// ---- properties ------------------------------------------------------------------------------

void TCustomDBEditGx::SetDataField(const String& Value) {
    ClearFieldMaxLength();
    FDataLink->SetBoundFieldName(Value);
    Invalidate();
}

void TCustomDBEditGx::SetDataSource(TDataSource* Value) {
    FDataLink->SetDataSource(Value);
    if (Value) Value->FreeNotification(this);
    LinkDataChanged();
    Invalidate();
}

void TCustomDBEditGx::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomMaskEdit::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (FDataLink && AComponent == FDataLink->DataSource()) SetDataSource(nullptr);
    if (FImageSettings && AComponent == FImageSettings->Images()) FImageSettings->SetImages(nullptr);
    if (AComponent == FHolder) {
        // The holder is being freed: the edit lets go of it.
        FHolder = nullptr;
        FHolderIntf = nullptr;
        SetControlMessagePreview(this, {});
    }
}

void TCustomDBEditGx::SetReadOnly(bool Value) {
    if (Value == FControlReadOnly) return;
    FControlReadOnly = Value;
    LinkEditingChanged();
}

void TCustomDBEditGx::SetAlignment(TAlignment Value) {
    if (FOwnAlignment && Value == FAlignment) return;
    FAlignment = Value;
    FOwnAlignment = true;
    Invalidate();
}

void TCustomDBEditGx::SetHighlightRequired(bool Value) {
    if (Value == FHighlightRequired) return;
    FHighlightRequired = Value;
    Invalidate();
}

void TCustomDBEditGx::SetWordWrap(bool Value) {
    if (Value == FWordWrap) return;
    FWordWrap = Value;
    Invalidate();
}

Integer TCustomDBEditGx::Perform(Cardinal Msg, std::uintptr_t WParam, std::intptr_t LParam) {
    if (Msg == CM_EDITIMAGECHANGEDGX) {
        ApplyTextRect(); // the room for the image changed
        Invalidate();
        return 0;
    }
    return TCustomMaskEdit::Perform(Msg, WParam, LParam);
}

// ---- defaults --------------------------------------------------------------------------------

TAlignment TCustomDBEditGx::AlignmentByDefault() const {
    if (TField* f = FDataLink->BoundField()) return f->Alignment();
    return taLeftJustify;
}

String TCustomDBEditGx::EditMaskByDefault() const {
    if (TField* f = FDataLink->BoundField()) return f->EditMask();
    return String();
}

Variant TCustomDBEditGx::ReadValue() const {
    return Variant(Text());
}

bool TCustomDBEditGx::AcceptsChar(char16_t Ch) const {
    TField* f = FDataLink->BoundField();
    if (!f || Ch > 0x7F) return true; // the field's check knows single-byte characters only
    return f->IsValidChar(static_cast<char>(Ch));
}

// ---- loading and storing ---------------------------------------------------------------------

namespace {
bool IsMemo(const TField* f) {
    return f->DataType() == ftMemo || f->DataType() == ftFmtMemo;
}
bool IsStringField(const TField* f) {
    return f->DataType() == ftString || f->DataType() == ftWideString || f->DataType() == ftFixedChar;
}
} // namespace

void TCustomDBEditGx::PutText(const String& Text) {
    TControl::SetText(Text);
}

void TCustomDBEditGx::PutValue(const Variant& Value) {
    String text;
    if (!VarIsArray(Value)) {
        try {
            text = VarToStr(Value);
        } catch (const Exception&) {
            text.clear(); // a value without a text form shows empty
        }
    }
    PutText(text);
}

void TCustomDBEditGx::LinkDataChanged() {
    ++FLoadingValue;
    if (TField* f = FDataLink->BoundField()) {
        if (!FOwnEditMask) SetEditMask(f->EditMask());
        if (IsStringField(f) && MaxLength() == 0) SetMaxLength(f->Size());
        if (FEditFocused && FDataLink->CanModifyValue())
            PutText(IsMemo(f) ? f->AsString() : f->EditText());
        else
            TControl::SetText(IsMemo(f) ? f->AsString() : f->DisplayText());
    } else if (FDataLink->Standalone()) {
        if (!FOwnEditMask) SetEditMask(String());
        const Variant& v = FDataLink->StandaloneValue();
        String text;
        if (!VarIsArray(v)) {
            try {
                text = VarToStr(v);
            } catch (const Exception&) {
            }
        }
        TControl::SetText(text);
    } else {
        if (!FOwnEditMask) SetEditMask(String());
        TControl::SetText(String());
    }
    --FLoadingValue;
    RefreshReadOnly();
    SetModified(false);
    RefreshButtonStates();
    Invalidate();
}

void TCustomDBEditGx::ClearFieldMaxLength() {
    if (MaxLength() <= 0 || !DataSource() || !DataSource()->DataSet()) return;
    TField* f = DataSource()->DataSet()->FindField(DataField());
    if (f && IsStringField(f) && f->Size() == MaxLength()) SetMaxLength(0);
}

void TCustomDBEditGx::LinkActiveChanged() {
    ClearFieldMaxLength();
    RefreshButtonStates();
}

void TCustomDBEditGx::WriteToField() {
    // Standalone: the text as shown, mask literals included.
    FDataLink->PutFieldText(IsStandalone() ? EditText() : Text());
}

void TCustomDBEditGx::StoreValue() {
    bool handled = false;
    if (OnUpdateData) {
        FInUpdateDataEvent = true;
        try {
            OnUpdateData(this, handled);
        } catch (...) {
            FInUpdateDataEvent = false;
            throw;
        }
        FInUpdateDataEvent = false;
    }
    if (!handled) WriteToField();
    SetModified(false);
    if (FMRUList->Active() && FMRUList->AutoAdd() && Showing()) FMRUList->AddRecent(Text());
}

void TCustomDBEditGx::WriteThrough(const std::function<void()>& Put) {
    if (!IsStandalone()) {
        if (TDataSet* ds = DataSource() ? DataSource()->DataSet() : nullptr) ds->Edit();
        FDataLink->StartEdit();
    }
    Put();
    if (FInUpdateDataEvent) return;
    try {
        FDataLink->MarkModified();
        StoreValue();
    } catch (...) {
        FDataLink->Revert();
        throw;
    }
}

void TCustomDBEditGx::SetText(const String& Value) {
    WriteThrough([&] { PutText(Value); });
}

void TCustomDBEditGx::WriteValue(const Variant& Value) {
    WriteThrough([&] { PutValue(Value); });
}

void TCustomDBEditGx::Change() {
    if (FLoadingValue == 0) {
        FDataLink->MarkModified();
        SetModified(true);
    }
    RefreshImageIndex();
    if (FLoadingValue == 0 && !FTakingMRUText) MRUTextChanged();
    TCustomMaskEdit::Change();
}

// ---- read-only state and focus ---------------------------------------------------------------

void TCustomDBEditGx::RefreshReadOnly() {
    if (!FDataLink) return;
    bool readOnly = FControlReadOnly;
    if (!readOnly && !FDataLink->LinkEditing()) {
        // Another control put the data set into edit state: with OnUpdateData the application
        // takes the typed value itself, so the edit stays writable.
        TDataSet* ds = FDataLink->DataSet();
        readOnly = !(OnUpdateData && ds && ds->State() == dsEdit);
    }
    if (!readOnly && HolderForbidsEdit()) readOnly = true;
    TCustomMaskEdit::SetReadOnly(readOnly);
}

bool TCustomDBEditGx::HolderForbidsEdit() {
    return FHolderIntf && !FHolderIntf->HolderAllowsEdit(this);
}

void TCustomDBEditGx::FocusChanged(bool Focused) {
    if (Focused == FEditFocused) return;
    FEditFocused = Focused;
    RefreshBorder();
    if (Alignment() != taLeftJustify && !IsMasked()) Invalidate();
    FDataLink->Revert();
}

void TCustomDBEditGx::DoEnter() {
    FocusChanged(true);
    TCustomMaskEdit::DoEnter();
    // An input method may compose before the data set is in edit state.
    if (SysLocale().FarEast && FDataLink->CanModifyValue()) TCustomMaskEdit::SetReadOnly(FControlReadOnly);
}

void TCustomDBEditGx::DoExit() {
    HideMRUList(false);
    TCustomMaskEdit::DoExit(); // OnExit runs before the value is stored
    try {
        FDataLink->UpdateRecord();
    } catch (...) {
        SelectAll();
        SetFocus();
        throw;
    }
    FocusChanged(false);
}

// ---- keys ------------------------------------------------------------------------------------

bool TCustomDBEditGx::WantsKey(Word Key, TShiftState Shift) const {
    // The open list with a chosen row takes Enter and Esc before the form's buttons.
    if ((Key == VK_RETURN || Key == VK_ESCAPE) && FMRUList->ListDroppedDown && FMRUListBox &&
        FMRUListBox->ItemIndex() >= 0)
        return true;
    // Esc after a change reloads the value here; an unchanged edit leaves it to the form.
    if (Key == VK_ESCAPE) return Modified() || FDataLink->LinkModified();
    if (Key == VK_TAB && FHolder && FHolder->WantsKey(Key, Shift)) return true;
    return TCustomMaskEdit::WantsKey(Key, Shift);
}

void TCustomDBEditGx::KeyDown(Word& Key, TShiftState Shift) {
    if (FHolderIntf) {
        FHolderIntf->EditorKeyDown(this, Key, Shift);
        if (Key == 0) return;
    }
    EditKeyDown(Key, Shift);
}

void TCustomDBEditGx::KeyUp(Word& Key, TShiftState Shift) {
    if (FHolderIntf) {
        FHolderIntf->EditorKeyUp(this, Key, Shift);
        if (Key == 0) return;
    }
    TCustomMaskEdit::KeyUp(Key, Shift);
}

void TCustomDBEditGx::EditKeyDown(Word& Key, TShiftState Shift) {
    if (MRUKeyDown(Key, Shift)) return;
    TCustomMaskEdit::KeyDown(Key, Shift);
    if (Key == 0) return;
    if (TEditButtonGx* button = ButtonForShortCut(::ShortCut(Key, Shift))) {
        // Pressed (as its lower half) and clicked, as the mouse would.
        const int entry = button == FEditButton.get() ? 0 : button->Index() + 1;
        if (entry < ButtonStripCount()) {
            TEditButtonControlGx* control = ButtonControl(entry);
            bool autoRepeat = false, handled = false;
            ButtonPressed(control, false, autoRepeat, handled);
            ButtonClicked(control);
            Key = 0;
            return;
        }
    }
    if (Key == 'A' && Shift == TShiftState{ssCtrl}) {
        SelectAll();
        Key = 0;
    } else if ((Key == VK_DELETE || (Key == VK_INSERT && Shift.Contains(ssShift))) && !FControlReadOnly) {
        FDataLink->StartEdit();
    }
}

void TCustomDBEditGx::KeyPress(char16_t& Key) {
    if (FHolderIntf) {
        FHolderIntf->EditorKeyPress(this, Key);
        if (Key == 0) return;
    }
    EditKeyPress(Key);
}

void TCustomDBEditGx::EditKeyPress(char16_t& Key) {
    // Enter, Tab and line feed never reach the native edit.
    if (Key == u'\r' || Key == u'\t' || Key == u'\n') {
        TCustomMaskEdit::KeyPress(Key);
        Key = 0;
        return;
    }
    FTypedChars = Key ? WideToUtf8(WideString(1, Key)) : String(); // the whole character
    TCustomMaskEdit::KeyPress(Key);
    if (Key >= 32 && !IsStandalone() && FDataLink->BoundField() && !AcceptsChar(Key)) {
        MessageBeep(0);
        Key = 0;
    }
    if ((Key == 8 || Key == 22 || Key == 24 || Key >= 32) && Key != 0 && !FControlReadOnly)
        FDataLink->StartEdit();
    if (Key == 27) {
        FDataLink->Revert();
        SelectAll();
        Key = 0;
    }
    FTypedChars.clear();
}

// ---- text area and painting ------------------------------------------------------------------

void TCustomDBEditGx::TextAreaRect(TRect& Rect) const {
    Rect = ClientRect();
    Rect.Right -= FStripWidth;
    Rect.Left += ImageRoom();
}

void TCustomDBEditGx::ApplyTextRect() {
    TRect r;
    TextAreaRect(r);
    SetTextRect(r);
}

void TCustomDBEditGx::Resize() {
    TCustomMaskEdit::Resize();
    ButtonsChanged();
}

String TCustomDBEditGx::TextForPlainPaint() const {
    String text = EditText();
    if (PasswordChar()) text = String(text.size(), PasswordChar());
    return text;
}

bool TCustomDBEditGx::PaintPlainText(TCanvas* Canvas) {
    const TAlignment alignment = Alignment();
    if (alignment == taLeftJustify || FEditFocused || FWordWrap) return false;
    TRect r;
    TextAreaRect(r);
    const int margin = BorderStyle() == bsNone ? 0 : 1;
    Canvas->Brush()->SetColor(Color());
    Canvas->FillRect(ClientRect());
    if (BorderStyle() != bsNone) DrawControlBorder(Canvas, ClientRect(), clWindowFrame);
    Canvas->Brush()->SetColor(Color());
    r.Left += margin;
    r.Top += margin;
    r.Right -= margin;
    r.Bottom -= margin;
    Canvas->Font()->SetColor(Enabled() ? Font()->Color() : clGrayText);
    const String text = TextForPlainPaint();
    const int width = Canvas->TextWidth(text);
    int x = r.Left + margin;
    if (alignment == taRightJustify)
        x = r.Right - width - margin;
    else if (alignment == taCenter)
        x = (r.Right - width) / 2;
    const int y = r.Top + std::max(0, (r.Height() - Canvas->TextHeight(text)) / 2);
    Canvas->TextRect(r, x, y, text);
    DrawFlatBorder(Canvas);
    DrawRequiredMark(Canvas);
    return true;
}

void TCustomDBEditGx::DrawRequiredMark(TCanvas* Canvas) {
    bool draw = false;
    if (FHighlightRequired && FDataLink->IsLinkActive()) {
        if (IsStandalone()) {
            draw = VarIsNull(ReadValue()) || Text().empty();
        } else {
            TDataSet* ds = FDataLink->DataSet();
            TField* f = FDataLink->BoundField();
            draw =
                ds && (ds->State() == dsEdit || ds->State() == dsInsert) && f && f->Required() && f->IsNull();
        }
    }
    if (OnCheckDrawRequiredState) OnCheckDrawRequiredState(this, draw);
    if (!draw) return;
    TRect r;
    TextAreaRect(r);
    DrawRequiredLine(Canvas, r.Left + 2, r.Right - 3, ClientHeight() - 1);
}

// ---- holder mode -----------------------------------------------------------------------------

void TCustomDBEditGx::AttachHolder(TWinControl* Holder) {
    if (Holder == FHolder) return;
    if (FHolder) FHolder->RemoveFreeNotification(this);
    FHolder = nullptr;
    FHolderIntf = nullptr;
    if (!Holder) return;
    auto* intf = dynamic_cast<IInplaceEditHolderGx*>(Holder);
    if (!intf) throw Exception("InplaceEditHolder have to support IInplaceEditHolderGx interface");
    FHolder = Holder;
    FHolderIntf = intf;
    FHolder->FreeNotification(this);
}

void TCustomDBEditGx::PreviewMessage(TControlMessage& Message) {
    PreviewInHolderMode(Message);
    if (!Message.Result) PreviewStripMouse(Message);
}

void TCustomDBEditGx::PreviewInHolderMode(TControlMessage& Message) {
    if (!FHolderIntf) return;
    FHolderIntf->PreviewMessage(this, Message);
    if (Message.Result) return;
    switch (Message.Msg) {
    case WM_SETFOCUS:
        // The edit takes the keyboard while the form keeps the holder as its active control.
        FocusChanged(true);
        RefreshReadOnly();
        Message.Result = PreviewDeliverDirect;
        break;
    case WM_KILLFOCUS:
        FDataLink->UpdateRecord();
        FocusChanged(false);
        Message.Result = PreviewDeliverDirect;
        break;
    case WM_LBUTTONDOWN: {
        // A press on the holder and a quick second one on the edit make one double click.
        TPoint last;
        Cardinal time = 0;
        FHolderIntf->LastMouseDown(last, time);
        const Cardinal now = GetMessageTime();
        const int dx = GetSystemMetrics(SM_CXDOUBLECLK), dy = GetSystemMetrics(SM_CYDOUBLECLK);
        if (now - time <= GetDoubleClickTime() && std::abs(Message.ScreenPos.X - last.X) <= dx / 2 &&
            std::abs(Message.ScreenPos.Y - last.Y) <= dy / 2) {
            Message.Result = 1;
            DeliverDoubleClick(this, Message.Pos);
        }
        break;
    }
    default:
        break;
    }
}

void TCustomDBEditGx::PlaceOver(const TRect& R, bool Redraw) {
    if (!FHolderIntf) {
        SetBounds(R.Left, R.Top, R.Width(), R.Height());
        return;
    }
    if (R.Width() <= 0 || R.Height() <= 0) {
        HideEditor();
        return;
    }
    const bool wasShown = ControlWindowVisible(this);
    CloseDropDown(false);
    SetBounds(R.Left, R.Top, R.Width(), R.Height());
    ShowControlWindow(this, true);
    if (Redraw || !wasShown) Invalidate();
    if (FHolder->Focused()) FocusControlWindow(this);
}

void TCustomDBEditGx::HideEditor() {
    if (!FHolderIntf) {
        TCustomMaskEdit::SetVisible(false);
        return;
    }
    if (!ControlWindowVisible(this)) return;
    const bool hadFocus = ControlWindowFocused(this);
    Invalidate();
    ShowControlWindow(this, false);
    if (hadFocus) FocusControlWindow(FHolder);
}

bool TCustomDBEditGx::Visible() const {
    return FHolderIntf ? ControlWindowVisible(this) : TCustomMaskEdit::Visible();
}

void TCustomDBEditGx::SetVisible(bool Value) {
    if (FHolderIntf && !Value)
        HideEditor();
    else
        TCustomMaskEdit::SetVisible(Value);
}

void TCustomDBEditGx::SetFocus() {
    if (!FHolderIntf) {
        TCustomMaskEdit::SetFocus();
        return;
    }
    if (ControlWindowVisible(this)) FocusControlWindow(this);
}

// ---- tool tips -------------------------------------------------------------------------------

void TCustomDBEditGx::RefreshHintMode() {
    TCustomMaskEdit::SetShowHint(FTooltips || FOwnShowHint);
}

void TCustomDBEditGx::SetTooltips(bool Value) {
    if (Value == FTooltips) return;
    FTooltips = Value;
    RefreshHintMode();
}

void TCustomDBEditGx::SetShowHint(bool Value) {
    if (Value == FOwnShowHint) return;
    FOwnShowHint = Value;
    RefreshHintMode();
}

bool TCustomDBEditGx::TextFits() {
    TRect area;
    TextAreaRect(area);
    TBitmap measure;
    measure.Canvas()->Font()->Assign(*Font());
    TRect r = Rect(0, 0, std::max(1, area.Width()), 0);
    String text = Text();
    measure.Canvas()->TextRect(r, text,
                               TTextFormat(tfCalcRect | tfLeft | tfNoPrefix |
                                           (FWordWrap ? TTextFormat(tfWordBreak) : TTextFormat(0))));
    return r.Width() <= area.Width() - 2 && r.Height() <= area.Height();
}

// ---- flat border -----------------------------------------------------------------------------

void TCustomDBEditGx::SetFlat(bool Value) {
    if (Value == FFlat) return;
    FFlat = Value;
    ButtonsChanged();
}

void TCustomDBEditGx::SetAlwaysShowBorder(bool Value) {
    if (Value == FAlwaysShowBorder) return;
    FAlwaysShowBorder = Value;
    RefreshBorder();
}

void TCustomDBEditGx::RefreshBorder() {
    const bool lit = FEditFocused || FAlwaysShowBorder;
    if (lit == FBorderLit) return;
    FBorderLit = lit;
    RefreshButtonStates();
    Invalidate();
}

void TCustomDBEditGx::DrawFlatBorder(TCanvas* Canvas) {
    if (!FFlat || BorderStyle() != bsSingle) return;
    TRect r = ClientRect();
    if (FBorderLit) {
        TRect edge = r;
        DrawEdge(Canvas, edge, BDR_SUNKENOUTER, BF_RECT);
    } else {
        DrawControlBorder(Canvas, r, clBtnFace);
    }
    TRect inner = r;
    InflateRect(inner, -1, -1);
    DrawControlBorder(Canvas, inner, clBtnFace);
}
