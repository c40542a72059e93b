// The in-place editor's keys and mouse: the keys an open list takes first, the keys of lookup and
// key-list cells (typing completes against the list, Delete and Backspace cannot leave a text
// that is not in it), the shortcuts the editor hands to the grid or to its buttons, the paste into
// list cells, and the mouse over the text strip.
#include "grid/DBGridGxInplaceEdit.h"

#include "grid/CalculatorGx.h"
#include "grid/DBGridGx.h"
#include "grid/DBGridGxFindDlgs.h"
#include "grid/ToolCtrlsGxListBox.h"
#include "grid/ToolCtrlsGxMRUListBox.h"

#include "gui/Clipbrd.h"
#include "gui/ControlInput.h"
#include "gui/ControlPreview.h"
#include "gui/SystemMetrics.h"
#include "rtl/CodePage.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"

#include <algorithm>

namespace {

int TextLength(const String& Text) {
    return static_cast<int>(Utf8ToWide(Text).size());
}

String WidePart(const String& Text, int Start, int Count) {
    const WideString w = Utf8ToWide(Text);
    if (Start >= static_cast<int>(w.size())) return String();
    return WideToUtf8(
        w.substr(static_cast<size_t>(std::max(0, Start)), static_cast<size_t>(std::max(0, Count))));
}

bool Only(TShiftState Shift, TShiftStateElement Key) {
    return Shift == TShiftState{Key};
}

bool NoModifiers(TShiftState Shift) {
    return !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
}

} // namespace

int TDBGridInplaceEdit::LocateListString(TStrings* Strings, const String& Text, bool Partial) {
    const int length = TextLength(Text);
    for (int i = 0; i < Strings->Count(); ++i) {
        const String entry = Strings->Strings(i);
        if (AnsiSameText(Partial ? WidePart(entry, 0, length) : entry, Text)) return i;
    }
    return -1;
}

bool TDBGridInplaceEdit::HasListStyle() const {
    return FEditStyle == iesPickList || FEditStyle == iesDataList || FEditStyle == iesDateCalendar ||
           (FEditStyle == iesDropDown && FCalculator && FActiveList == FCalculator);
}

bool TDBGridInplaceEdit::ColumnModifiable() {
    TColumnGx* column = Column();
    return column && column->CanModify(false);
}

String TDBGridInplaceEdit::TextBeforeSelection() const {
    return WidePart(Text(), 0, SelStart());
}

void TDBGridInplaceEdit::SelectCompleted(int TypedLength) {
    SetSelection(TextLength(Text()), TypedLength);
}

void TDBGridInplaceEdit::RemoveText(int Start, int Length) {
    const String text = Text();
    PutText(WidePart(text, 0, Start) + WidePart(text, Start + Length, TextLength(text)));
    SetCaretPosition(Start);
}

// ---- the window's messages: lists first ---------------------------------------------------------

void TDBGridInplaceEdit::PreviewMessage(TControlMessage& Message) {
    switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_CHAR:
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: {
        // Outside the text strip a press reaches neither the caret nor the selection.
        const TRect strip = TextRect();
        if (!MouseCapture() && (Message.Pos.X < strip.Left || Message.Pos.X >= strip.Right))
            Message.Result = 1;
        return;
    }
    default:
        return;
    }
    const Word code = static_cast<Word>(Message.WParam);
    const bool keyDown = Message.Msg == WM_KEYDOWN;
    if (keyDown) {
        FCalculatorKey = false;
        const bool paste = (code == 'V' && Only(Message.Shift, ssCtrl)) ||
                           (code == VK_INSERT && Only(Message.Shift, ssShift));
        if (paste && PasteText()) {
            Message.Result = 1;
            return;
        }
    }
    if (HasListStyle()) {
        if (keyDown && HandleListKeys(code, Message.Shift)) {
            Message.Result = 1;
            return;
        }
        TColumnGx* column = Column();
        if (!keyDown && code >= 32 && !FListVisible && column && column->AutoDropDown()) DropDown();
        if (FListVisible) {
            if (FActiveList == FCalculator) {
                // The open calculator takes Enter, Esc and the printable keys.
                const bool taken = code == 13 || code == 27 || (code >= 32 && code <= 126);
                if (taken && keyDown) FCalculatorKey = true;
                if (taken && !keyDown) {
                    FCalculator->ForwardKey(static_cast<char>(code));
                    Message.Result = 1;
                }
                return;
            }
            if (keyDown && RouteListKey(code, Message.Shift)) {
                Message.Result = 1;
                return;
            }
        }
    }
    if (MRUDroppedDown() && RouteMRUKey(Message)) Message.Result = 1;
}

bool TDBGridInplaceEdit::HandleListKeys(Word Key, TShiftState Shift) {
    const bool alt = Shift.Contains(ssAlt);
    if ((Key == VK_RETURN || Key == VK_ESCAPE) && FListVisible && !alt && FActiveList != FCalculator) {
        CloseUp(Key == VK_RETURN);
        return true;
    }
    if (Key == VK_RETURN && Only(Shift, ssCtrl) && !FListVisible) {
        DropDown();
        return true;
    }
    if ((Key == VK_UP || Key == VK_DOWN) && alt) {
        if (FListVisible)
            CloseUp(true);
        else
            DropDown();
        return true;
    }
    return false;
}

// Only key-down messages move an open list: a typed character such as "(" or "&" goes into the
// text, not into the list, although its code equals a navigation key's.
bool TDBGridInplaceEdit::RouteListKey(Word Key, TShiftState Shift) {
    const bool route =
        ((Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN) && !Shift.Contains(ssShift)) ||
        ((Key == VK_END || Key == VK_HOME) && Shift.Contains(ssCtrl)) ||
        (FActiveList == FCalendar && (Key == VK_LEFT || Key == VK_RIGHT));
    if (!route || !FActiveList) return false;
    if (FActiveList == FPickList)
        FPickList->NavigationKey(Key, Shift);
    else
        SendKeyMessage(FActiveList, Key, Shift);
    FollowListText();
    return true;
}

void TDBGridInplaceEdit::FollowListText() {
    FTakingListText = true;
    const TScopeExit taken([this] { FTakingListText = false; });
    if (FDataList && FActiveList == FDataList->ListControl()) {
        PutText(FDataList->DisplayText());
    } else if (FActiveList == FPickList) {
        const int i = FPickList->ItemIndex();
        if (i >= 0 && FPickList->Items()->Strings(i) != Text()) PutText(FPickList->Items()->Strings(i));
    }
}

bool TDBGridInplaceEdit::RouteMRUKey(const TControlMessage& Message) {
    if (Message.Msg != WM_KEYDOWN || !FMRUBox) return false;
    const Word code = static_cast<Word>(Message.WParam);
    if (code == VK_RETURN || code == VK_ESCAPE) {
        MRUCloseUp(code == VK_RETURN);
        return true;
    }
    const bool route = ((code == VK_PRIOR || code == VK_NEXT || code == VK_UP || code == VK_DOWN) &&
                        !Message.Shift.Contains(ssAlt)) ||
                       ((code == VK_END || code == VK_HOME) && Message.Shift.Contains(ssCtrl));
    if (route) FMRUBox->NavigationKey(code, Message.Shift);
    return route;
}

// ---- key down -----------------------------------------------------------------------------------

void TDBGridInplaceEdit::KeyDown(Word& Key, TShiftState Shift) {
    FLastKeyShift = Shift;
    if (FCalculatorKey) {
        FCalculatorKey = false;
        if (Key == VK_DELETE && FCalculator) FCalculator->ForwardKey('C');
        Key = 0;
        return;
    }
    TCustomDBGridGx* g = DBGrid();
    TColumnGx* column = Column();
    if (!g || !column) {
        TInplaceEdit::KeyDown(Key, Shift);
        return;
    }
    const int kind = column->GetCellKind();
    const bool listKind = kind == 2 || kind == 3;
    if (Key == VK_RETURN && Only(Shift, ssCtrl) && (FEditStyle == iesEllipsis || FEditStyle == iesDropDown)) {
        if (g->OnEditButtonClick) g->OnEditButtonClick(g);
        Key = 0;
        return;
    }
    if (Key == VK_DELETE && NoModifiers(Shift) && listKind && ColumnModifiable()) {
        if (DeleteInList()) {
            Key = 0;
            return;
        }
    } else if (Key == VK_BACK && listKind) {
        BackspaceInList();
        Key = 0;
        return;
    } else if ((Key == VK_UP || Key == VK_DOWN) && FWordWrap) {
        // The single text line is the first and the last: with an editor that stays shown the key
        // goes to the grid, otherwise it stays here.
        if (!(g->Options() & dgAlwaysShowEditor)) {
            Key = 0;
            return;
        }
    } else if (Key == VK_RETURN && !MRUDroppedDown() && (g->OptionsGx() & dghEnterAsTab)) {
        g->KeyDown(Key, Shift);
        Key = 0;
        return;
    } else if (Key == VK_OEM_7 && Only(Shift, ssCtrl)) {
        g->KeyDown(Key, Shift);
        Key = 0;
        return;
    } else if (Key == 'F' && Only(Shift, ssCtrl) && (g->OptionsGx() & (dghIncSearch | dghDialogFind))) {
        if ((g->OptionsGx() & dghIncSearch) && !(g->IncSearchActive() && (g->OptionsGx() & dghDialogFind))) {
            g->IncrementalSearch(String(), -1, 2);
        } else {
            if (g->IncSearchActive()) g->StopIncrementalSearch();
            GridFindDialogProc(g, SelText(), String(), nullptr, false);
        }
        Key = 0;
        return;
    }
    TSpecRowGx* spec = column->DropDownSpecRow();
    if (FEditStyle == iesDataList && spec->Visible() && ShortCut(Key, Shift) == spec->ShortCut() &&
        ColumnModifiable() && column->CanModify(true)) {
        PutText(spec->CellText(0));
        g->SetEditText(Text());
        g->SetEditKeyValue(spec->Value());
        if (FDataList) FDataList->SetKeyValue(spec->Value());
        SelectAll();
    }
    if (TEditButtonGx* item = EditButtonForShortCut(ShortCut(Key, Shift))) {
        const int entry = item->Index() + 1;
        if (entry < FButtonCount) {
            TEditButtonControlGx* control = ButtonControl(entry);
            bool autoRepeat = false, handled = false;
            ButtonMouseDown(control, false, autoRepeat, handled);
            ButtonClicked(control);
            Key = 0;
            return;
        }
    }
    TInplaceEdit::KeyDown(Key, Shift);
}

// Delete in a lookup or key-list cell: the whole text clears the value; otherwise only a column
// with a not-in-list handler lets the text shrink. True when the key was taken here.
bool TDBGridInplaceEdit::DeleteInList() {
    TCustomDBGridGx* g = DBGrid();
    TColumnGx* column = Column();
    TField* f = column->Field();
    // Starting edit mode may reload the editor: the selection is taken first.
    const int length = TextLength(Text());
    const int start = SelStart(), selected = SelLength();
    if (start == 0 && selected == length && column->CanModify(true)) {
        if (FEditStyle == iesDataList && f && TCustomDBGridGx::FieldCanModify(f)) {
            f->DataSet()->Edit();
            g->MarkModified();
            g->SetEditKeyValue(Null());
            g->SetEditText(String());
            PutText(String());
            if (FDataList) FDataList->SetKeyValue(Null());
        } else if (FEditStyle == iesPickList && column->GetCellKind() == 3) {
            PutText(String());
            g->SetEditText(String());
        }
        return false;
    }
    if (column->OnNotInList && column->CanModify(true)) {
        // The selection, or else the character after the caret, goes here: the key deletes no
        // second character and the list's key follows the shortened text.
        const String text = Text();
        const int count = selected > 0 ? selected : (start < length ? 1 : 0);
        PutText(text);
        RemoveText(start, count);
        SyncListText();
        if (FDataList)
            FDataList->SetKeyValue(g->EditKeyValue());
        else if (FPickList)
            FPickList->SetItemIndex(LocateListString(FPickList->Items(), g->EditText(), false));
    }
    return true;
}

// Backspace in a lookup or key-list cell: with a not-in-list handler the selection and the
// character before it go; otherwise the caret steps back over the typed text.
void TDBGridInplaceEdit::BackspaceInList() {
    TCustomDBGridGx* g = DBGrid();
    TColumnGx* column = Column();
    const int start = SelStart(), selected = SelLength();
    if (!column->OnNotInList) {
        SetCaretPosition(std::max(0, start - 1));
        return;
    }
    // Starting edit mode may reload the editor: the text and selection are taken first.
    const String text = Text();
    if (!column->CanModify(true)) return;
    if (TField* f = column->Field()) f->DataSet()->Edit();
    PutText(text);
    const int before = start > 0 ? 1 : 0;
    RemoveText(start - before, selected + before);
    SyncListText();
    if (FDataList)
        FDataList->SetKeyValue(g->EditKeyValue());
    else if (FPickList)
        FPickList->SetItemIndex(LocateListString(FPickList->Items(), g->EditText(), false));
}

void TDBGridInplaceEdit::SyncListText() {
    TCustomDBGridGx* g = DBGrid();
    TColumnGx* column = Column();
    if (!g || !column || !column->CanModify(true)) return;
    g->SetEditText(Text());
    TField* f = column->Field();
    TDataSet* list = column->ListDataSet();
    if (FEditStyle != iesDataList || !list || !f) return;
    if (list->Locate(f->LookupResultField(), Variant(Text()), loCaseInsensitive))
        g->SetEditKeyValue(list->FieldValues(f->LookupKeyFields()));
    else
        g->SetEditKeyValue(Null());
}

// ---- key press and typing against a list ---------------------------------------------------------

void TDBGridInplaceEdit::KeyPress(char16_t& Key) {
    if (!DBGrid()) {
        TInplaceEdit::KeyPress(Key);
        return;
    }
    const char16_t typed = Key;
    FKeyText = WideToUtf8(WideString(1, Key));
    String keyText = FKeyText;
    CompleteKeyText(keyText);
    if (keyText.empty()) {
        Key = 0;
        return;
    }
    if (Key == 10 && FLastKeyShift == TShiftState{ssCtrl} && !FWordWrap) {
        Key = 0;
        return;
    }
    const bool wasEmpty = Text().empty();
    TInplaceEdit::KeyPress(Key);
    // Backspace on an empty text shows every remembered text.
    if (typed == 8 && wasEmpty && FMRUList && FMRUList->Active() && IsShowing() && !FDroppedDown)
        MRUDropDown();
}

void TDBGridInplaceEdit::CompleteKeyText(String& KeyText) {
    if (KeyText.size() == 1 && static_cast<unsigned char>(KeyText[0]) < 32 && KeyText[0] != 8) return;
    TCustomDBGridGx* g = DBGrid();
    TColumnGx* column = Column();
    if (!g || !column) return;
    TField* f = column->Field();
    const int kind = column->GetCellKind();
    const bool backspace = KeyText == "\b";
    const String candidate = TextBeforeSelection() + KeyText;
    const int typedLength = TextLength(candidate);
    // Puts a text the list gave: the data link edits (modified when it does).
    auto linkEdits = [g] {
        g->DataLink()->Edit();
        if (g->DataLink()->Editing()) g->MarkModified();
        return g->DataLink()->Editing();
    };
    auto notInList = [&] {
        if (!linkEdits()) return;
        PutText(candidate);
        SetCaretPosition(typedLength);
        g->SetEditKeyValue(Null());
        g->SetEditText(Text());
        if (FDataList) FDataList->SetKeyValue(Null());
    };
    if (FEditStyle == iesDataList) {
        TDataSet* list = column->ListDataSet();
        if (!list || !f || !g->CanModifyData() || !g->EditModifyAllowed()) return;
        if (backspace) {
            KeyText.clear();
            return;
        }
        KeyText.clear();
        if (list->Locate(f->LookupResultField(), Variant(candidate), loCaseInsensitive | loPartialKey)) {
            const String display = list->FieldByName(f->LookupResultField())->EditText();
            const Variant key = list->FieldValues(f->LookupKeyFields());
            if (!linkEdits()) return;
            PutText(display);
            SelectCompleted(typedLength);
            g->SetEditKeyValue(key);
            g->SetEditText(Text());
            if (FDataList) FDataList->SetKeyValue(key);
        } else if (column->OnNotInList) {
            notInList();
        }
        return;
    }
    if (FEditStyle != iesPickList && kind != 3) return;
    if (!g->EditModifyAllowed()) return;
    if (backspace) {
        if (kind == 3) KeyText.clear();
        return;
    }
    const int found = LocateListString(column->PickList(), candidate, true);
    if (found >= 0) {
        KeyText.clear();
        linkEdits();
        PutText(column->PickList()->Strings(found));
        SelectCompleted(typedLength);
        g->SetEditText(Text());
        if (FPickList) FPickList->SetItemIndex(found);
    } else if (kind == 3 && column->OnNotInList) {
        notInList();
        if (FPickList) FPickList->SetItemIndex(-1);
    }
    if (kind == 3) KeyText.clear();
}

void TDBGridInplaceEdit::KeyUp(Word& Key, TShiftState Shift) {
    const Word key = Key;
    TInplaceEdit::KeyUp(Key, Shift);
    if (FEditStyle == iesDataList && FListVisible && FDataList && key == VK_CONTROL) {
        Word k = key;
        FDataList->ListControl()->KeyUp(k, Shift);
    }
}

// ---- paste --------------------------------------------------------------------------------------

bool TDBGridInplaceEdit::PasteText() {
    TCustomDBGridGx* g = DBGrid();
    TColumnGx* column = Column();
    if (!g || !column) return false;
    if (!g->CanModifyData() || !column->CanModify(false)) return true;
    const int kind = column->GetCellKind();
    if (FEditStyle != iesDataList && kind != 3) return !g->EditModifyAllowed();
    if (!Clipboard()->HasFormat(CF_TEXT)) return true;
    const String text = Text();
    const int start = SelStart();
    const String candidate = WidePart(text, 0, start) + Clipboard()->AsText() +
                             WidePart(text, start + SelLength(), TextLength(text));
    TField* f = column->Field();
    String put;
    Variant key = Null();
    bool fromNotInList = false;
    int found = -1;
    if (FEditStyle == iesDataList) {
        TDataSet* list = column->ListDataSet();
        if (!list || !f) return true;
        if (list->Locate(f->LookupResultField(), Variant(candidate), loCaseInsensitive | loPartialKey)) {
            put = list->FieldByName(f->LookupResultField())->EditText();
            key = list->FieldValues(f->LookupKeyFields());
        } else if (column->OnNotInList) {
            put = candidate;
            fromNotInList = true;
        } else {
            return true;
        }
    } else {
        if (!g->EditModifyAllowed()) return true;
        found = LocateListString(column->PickList(), candidate, true);
        if (found >= 0)
            put = column->PickList()->Strings(found);
        else if (column->OnNotInList) {
            put = candidate;
            fromNotInList = true;
        } else {
            return true;
        }
    }
    g->DataLink()->Edit();
    const bool editing = g->DataLink()->Editing();
    if (editing) g->MarkModified();
    if (FEditStyle == iesDataList && !editing) return true;
    PutText(put);
    if (fromNotInList)
        CaretToEnd();
    else
        SelectCompleted(TextLength(candidate));
    if (FEditStyle == iesDataList) {
        g->SetEditKeyValue(key);
        if (FDataList) FDataList->SetKeyValue(key);
    } else if (FPickList) {
        FPickList->SetItemIndex(found);
    }
    g->SetEditText(Text());
    return true;
}

// ---- mouse --------------------------------------------------------------------------------------

void TDBGridInplaceEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TColumnGx* column = Column();
    const bool secondHalf = ClickTime != 0 && GetMessageTime() - ClickTime < GetDoubleClickTime();
    if (Button == mbLeft && column && column->DblClickNextVal() && (Shift.Contains(ssDouble) || secondHalf))
        column->StepValue(Shift.Contains(ssShift) ? -1 : 1);
    TInplaceEdit::MouseDown(Button, Shift, X, Y);
}

bool TDBGridInplaceEdit::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    if (ListMouseWheel(Shift, WheelDelta, MousePos)) return true;
    return TInplaceEdit::DoMouseWheel(Shift, WheelDelta, MousePos);
}
