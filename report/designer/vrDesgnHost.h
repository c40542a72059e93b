// What the page workspace and the designer clipboard ask of the designer window: its object
// lists, scale, field drop-down setting, sample format, picture cache and data tree. The designer
// window derives from it; tests use a small stand-in.
#pragma once

#include "report/designer/vrDesgnSampleFormat.h"
#include "report/designer/vrDesgnWorkspace.h"
#include "report/vrClassDesigner.h"
#include "report/vrPictureCache.h"

class TControl;

// The data tree as the workspace sees it while a field, variable or function is dragged from it.
class TvrDataTreeSource {
public:
    virtual ~TvrDataTreeSource() = default;
    // The tree view the user drags from.
    virtual TControl* TreeView() const = 0;
    // The text the selected item inserts ("<Orders.\"total\">", "<Total>", "[Date]"); empty when
    // it inserts nothing.
    virtual String InsertionText() const = 0;
    // The "insert field" and "insert caption" boxes of the data tab.
    virtual bool InsFieldCB() const = 0;
    virtual bool InsCaptionCB() const = 0;
    // The data tab is the one showing.
    virtual bool DataTabActive() const = 0;
};

class TvrDesignerHost : public TvrCustomDesigner {
    ORV_META(TvrDesignerHost, TvrCustomDesigner)
    TvrDesignerHost(TComponent* AOwner, TvrReport* Report, bool PreviewDesigner);
    ~TvrDesignerHost() override;

    // Every object of the current page (each before its children), then the report and the page.
    TvrObjectList DesignerObjects;
    // The selection; it holds the page itself when nothing on it is selected.
    TvrObjectList DesignerSelection;
    // The field drop-down of text objects bound to a field of their data band.
    bool DropFields = true;

    TSampleFormat* SampleFormat() { return &FSampleFormat; }
    TvrPictureCache* PictureCache() { return &FPictureCache; }

    virtual Extended Scale() const = 0;
    // Sets the zoom (at most 20; 0 counts as 1).
    virtual void SetScale(Extended Value) = 0;
    // nullptr while the designer has no data tree.
    virtual TvrDataTreeSource* DataTree() { return nullptr; }
    // The report units' default height of a new object (0.5 cm, 0.2 inch, 16 pixels or one
    // character row).
    virtual Extended DefaultObjectHeight() const;

private:
    TSampleFormat FSampleFormat;
    TvrPictureCache FPictureCache;
};
