// The field data link of the grid library's data-aware controls (edit, combo box, check box) and
// the settings object of the edit's image.
//
// TFieldDataLinkGx ties one control to one field of a data set, or keeps the control's value
// itself when the control has neither data source nor field name (standalone mode). It decides
// which field the control shows, whether the value may change, when the control is editing and
// modified, and writes new values back. The control reacts to four hooks.
#pragma once

#include "db/DataSource.h"
#include "classes/Persistent.h"
#include "rtl/Variant.h"

#include <functional>
#include <vector>

class TControl;
class TWinControl;
class TCustomImageList;

class TFieldDataLinkGx;
using TFieldDataLinkEventGx = std::function<void(TFieldDataLinkGx* Sender)>;

// The data event whose info tells whether the data set's controls are enabled again (1) or were
// disabled (0).
constexpr TDataEvent deDisabledStateChangeGx = deDisabledStateChange;
static_assert(static_cast<int>(deDisabledStateChange) == 14);

class TFieldDataLinkGx : public TDataLink {
public:
    explicit TFieldDataLinkGx(TControl* AOwnerControl = nullptr);
    String ClassName() const override { return "TFieldDataLinkGx"; }

    TControl* OwnerControl() const { return FOwnerControl; }

    // Re-points the link when the source really changes, then rechecks standalone mode.
    void SetDataSource(TDataSource* ADataSource);

    const String& BoundFieldName() const { return FBoundFieldName; }
    // A name differing in any way (letter case too) is stored and resolved.
    void SetBoundFieldName(const String& Value);
    const std::vector<TField*>& BoundFields() const { return FBoundFields; }
    TField* BoundField() const { return FBoundFields.empty() ? nullptr : FBoundFields.front(); }
    int BoundFieldCount() const { return static_cast<int>(FBoundFields.size()); }
    bool HasField(const TField* Field) const;

    bool Standalone() const { return FStandalone; }
    bool LinkEditing() const { return FLinkEditing; }
    bool LinkModified() const { return FLinkModified; }
    const Variant& StandaloneValue() const { return FStandaloneValue; }
    bool IsLinkActive() const;
    bool CanModifyValue() const;

    // Opens editing (standalone: unless read-only; bound: puts the data set into edit state).
    bool StartEdit();
    void MarkModified() { FLinkModified = true; }
    // The control reloads its value; LinkModified becomes false.
    void Revert() { RecordChanged(nullptr); }
    void PutFieldText(const String& Text);
    void PutFieldValue(const Variant& Value);

    // Looks the bound field up again (on activation, layout change or a new name).
    virtual void ResolveFields();

    void DataEvent(TDataEvent Event, intptr_t Info) override;

    TFieldDataLinkEventGx OnLinkDataChange;
    TFieldDataLinkEventGx OnLinkEditingChange;
    TFieldDataLinkEventGx OnLinkUpdateData;
    TFieldDataLinkEventGx OnLinkActiveChange;

protected:
    void ActiveChanged() override;
    void LayoutChanged() override;
    void RecordChanged(TField* Field) override;
    void EditingChanged() override;
    void UpdateData() override;
    void FocusControl(TField** Field) override;

private:
    void AssignFields(const std::vector<TField*>& Fields);
    void RecheckStandalone();
    void SetLinkEditing(bool Value);
    static void Call(const TFieldDataLinkEventGx& Hook, TFieldDataLinkGx* Sender) {
        if (Hook) Hook(Sender);
    }

    std::vector<TField*> FBoundFields;
    String FBoundFieldName;
    TControl* FOwnerControl;
    bool FStandalone = true;
    bool FLinkEditing = false;
    bool FLinkModified = false;
    Variant FStandaloneValue;
};

// The message an edit receives when its image settings change room or size (it rebuilds its
// window and so recomputes the room for the image).
constexpr unsigned CM_EDITIMAGECHANGEDGX = 0x0400 + 101;

class TEditImageGx : public TPersistent {
    ORV_META(TEditImageGx, TPersistent)

    explicit TEditImageGx(TWinControl* AOwnerEdit);

    TWinControl* OwnerEdit() const { return FOwnerEdit; }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    bool UseImageHeight() const { return FUseImageHeight; }
    void SetUseImageHeight(bool Value);

    // Copies Images, ImageIndex, Visible and Width (not UseImageHeight) from another image.
    void Assign(const TPersistent* Source) override;
    TPersistent* GetOwner() const override;

private:
    void Changed();

    TWinControl* FOwnerEdit;
    TCustomImageList* FImages = nullptr;
    int FImageIndex = -1;
    bool FVisible = false;
    int FWidth = 0;
    bool FUseImageHeight = true;
};
