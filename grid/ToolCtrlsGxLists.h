// Small lists of the grid's edits: the remembered texts of an edit (most recent last) with their
// adding and filtering rules, the settings of the special row that lookup lists and grids show
// above their data rows, and the grid library's own string list class.
#pragma once

#include "classes/Persistent.h"
#include "gui/Graphics.h"
#include "gui/Input.h"
#include "rtl/StringList.h"
#include "rtl/Variant.h"

#include <functional>

class TComponent;

class TStringListGx : public TStringList {
public:
    String ClassName() const override { return "TStringListGx"; }
};

// An edit's list of remembered texts.
class TMRUListGx : public TPersistent {
    ORV_META(TMRUListGx, TPersistent)
    explicit TMRUListGx(TPersistent* ListOwner = nullptr);

    bool Active() const { return FActive; }
    void SetActive(bool Value);
    bool AutoAdd() const { return FAutoAdd; }
    void SetAutoAdd(bool Value) { FAutoAdd = Value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
    TStrings* Items() { return &FItems; }
    const TStrings* GetItems() const { return &FItems; }
    void SetItems(TStrings* Value) { FItems.Assign(*Value); }
    int Limit() const { return FLimit; }
    void SetLimit(int Value);
    int Rows() const { return FRows; }
    void SetRows(int Value) { FRows = Value; }
    TPersistent* ListOwner() const { return FListOwner; }
    TPersistent* GetOwner() const override { return FListOwner; }

    // Moves an equal item to the end, or appends the text and trims to Limit; blank texts are
    // not remembered.
    void AddRecent(const String& Text);
    // Deletes the oldest items while there are more than Limit (a negative Limit counts as 0).
    void TrimToLimit();
    // The items that begin with Typed, through FilterItemHook; false when it stopped early
    // because a key press waits.
    bool FilterInto(TStrings* Target, const String& Typed);
    void Assign(const TPersistent* Source) override;
    virtual void RequestCloseUp(bool Accept);
    virtual void RequestDropDown();

    int DropDownWidth = 0;
    bool ListDroppedDown = false;
    bool StopOnKeyInQueue = true;
    std::function<void(TObject* Sender)> ActiveChangedHook;
    std::function<void(TObject* Sender, bool& Accept)> FilterItemHook;
    std::function<void(TObject* Sender)> DropDownHook;
    std::function<void(TObject* Sender, bool Accept)> CloseUpHook;

private:
    TPersistent* FListOwner;
    TStringList FItems;
    bool FActive = false;
    bool FAutoAdd = true;
    bool FCaseSensitive = false;
    int FLimit = 100;
    int FRows = 7;
};

// Splits the cells text of a special row into cells: ";" separates, a cell in double quotes may
// hold ";" (two quotes stand for one), control characters around cells are skipped. The text is
// UTF-8, where ";" and '"' never lie inside a character.
void SplitCellsText(const String& CellsText, TStrings* CellTexts);

// The special row of lookup lists and grids.
class TSpecRowGx : public TPersistent {
    ORV_META(TSpecRowGx, TPersistent)
    explicit TSpecRowGx(TPersistent* Owner = nullptr);

    const String& CellsText() const { return FCellsText; }
    void SetCellsText(const String& Value);
    // The stored colour once set, else the owner's colour when it is a custom control.
    TColor Color() const;
    void SetColor(TColor Value);
    // The row's own font once set, else the owner's font (copied into the row's font).
    TFont* Font();
    void SetFont(TFont* Value);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value) { FShortCut = Value; }
    bool ShowIfNotInKeyList() const { return FShowIfNotInKeyList; }
    void SetShowIfNotInKeyList(bool Value);
    const Variant& Value() const { return FValue; }
    void SetValue(const Variant& Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    bool ColorSet() const { return FColorSet; }
    bool FontSet() const { return FFontSet; }
    TStrings* CellTexts() { return &FCellTexts; }
    // The text of a cell; empty outside the cells.
    String CellText(int Index) const;
    void BeginRowUpdate() { ++FUpdateDepth; }
    void EndRowUpdate();
    void Assign(const TPersistent* Source) override;
    TPersistent* GetOwner() const override { return FOwner; }

    std::function<void(TObject* Sender)> RowChangedHook;

protected:
    void Changed();
    TColor OwnerColor() const;
    TFont* OwnerFont();

private:
    TPersistent* FOwner;
    String FCellsText;
    TStringList FCellTexts;
    TColor FColor = clWindow;
    TFont FFont;
    TShortCut FShortCut = 32814; // Alt+Del
    bool FShowIfNotInKeyList = true;
    Variant FValue = Null();
    bool FVisible = false;
    bool FColorSet = false;
    bool FFontSet = false;
    bool FCopyingOwnerFont = false;
    int FUpdateDepth = 0;
};
