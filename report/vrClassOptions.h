// The report's four option objects (engine, print, preview, report description) and its named
// styles with style files and style sheets.
#pragma once

#include "classes/Collection.h"
#include "gui/Graphics.h"
#include "report/vrUtils.h"
#include "rtl/StringList.h"

#include <memory>
#include <vector>

class TvrReport;
class TPicture;
class TvrFrame;
class TvrXMLItem;

enum TvrPrintMode { pmDefault, pmSplit, pmJoin, pmScale };
ORV_ENUM(TvrPrintMode, pmDefault, pmSplit, pmJoin, pmScale)
enum TvrPrintPages { ppAll, ppOdd, ppEven };
ORV_ENUM(TvrPrintPages, ppAll, ppOdd, ppEven)
enum TvrDuplexMode { dmNone, dmVertical, dmHorizontal, dmSimplex };
ORV_ENUM(TvrDuplexMode, dmNone, dmVertical, dmHorizontal, dmSimplex)
enum TvrZoomMode { zmDefault, zmWholePage, zmPageWidth, zmManyPages };
ORV_ENUM(TvrZoomMode, zmDefault, zmWholePage, zmPageWidth, zmManyPages)
enum TvrPreviewButton {
    pbPrint,
    pbLoad,
    pbSave,
    pbExport,
    pbZoom,
    pbFind,
    pbOutline,
    pbPageSetup,
    pbTools,
    pbEdit,
    pbNavigator,
    pbExportQuick,
    pbNoClose,
    pbNoFullScreen,
    pbNoEmail
};
ORV_ENUM(TvrPreviewButton, pbPrint, pbLoad, pbSave, pbExport, pbZoom, pbFind, pbOutline, pbPageSetup, pbTools,
         pbEdit, pbNavigator, pbExportQuick, pbNoClose, pbNoFullScreen, pbNoEmail)
using TvrPreviewButtons = TSet<TvrPreviewButton>;
ORV_SET(TvrPreviewButtons)

class TvrEngineOptions : public TPersistent {
    ORV_META(TvrEngineOptions, TPersistent)
    TvrEngineOptions();
    void Assign(const TPersistent* Source) override;
    // Resets what belongs to the layout: ConvertNulls, IgnoreDevByZero, DoublePass.
    void Clear();

    bool ConvertNulls = true;
    bool DoublePass = false;
    Integer MaxMemSize = 10;
    bool PrintIfEmpty = true;
    TvrSilentMode NewSilentMode = simMessageBoxes;
    String TempDir;
    bool UseFileCache = false;
    bool IgnoreDevByZero = false;
    // Not published.
    bool DestroyForms = true;
    bool HeadlessMode = false;
    bool LookupGlobalDataSets = true;

    bool SilentMode() const { return NewSilentMode == simSilent; }
    void SetSilentMode(bool Value) { NewSilentMode = Value ? simSilent : simMessageBoxes; }
};

class TvrPrintOptions : public TPersistent {
    ORV_META(TvrPrintOptions, TPersistent)
    TvrPrintOptions();
    void Assign(const TPersistent* Source) override;
    void Clear();

    Integer Copies = 1;
    bool Collate = true;
    String PageNumbers;
    String Printer;
    TvrPrintMode PrintMode = pmDefault;
    Integer PrintOnSheet = 0;
    TvrPrintPages PrintPages = ppAll;
    bool Reverse = false;
    bool ShowDialog = true;
    bool SwapPageSize = false;
    // Not published.
    TvrDuplexMode DuplexOverride = dmNone;
    Integer SpliceOverlap = 3;
    String OutputFileName;
};

class TvrPreviewOptions : public TPersistent {
    ORV_META(TvrPreviewOptions, TPersistent)
    TvrPreviewOptions();
    void Assign(const TPersistent* Source) override;
    // Resets only the outline, thumbnail and page-cache values, which belong to the layout.
    void Clear();

    bool AllowEdit = true;
    TvrPreviewButtons Buttons;
    bool DoubleBuffered = true;
    bool Maximized = true;
    bool MDIChild = false;
    bool Modal = true;
    bool OutlineExpand = true;
    bool OutlineVisible = false;
    Integer OutlineWidth = 120;
    Integer PagesInCache = 50;
    bool ThumbnailVisible = false;
    bool ShowCaptions = false;
    Extended Zoom = 1.0;
    TvrZoomMode ZoomMode = zmDefault;
    bool PictureCacheInFile = false;
    // Not published.
    bool RTLPreview = false;
};

class TvrReportOptions : public TPersistent {
    ORV_META(TvrReportOptions, TPersistent)
    explicit TvrReportOptions(TvrReport* Report = nullptr);
    ~TvrReportOptions() override;
    void Assign(const TPersistent* Source) override;
    void Clear();

    String Author;
    bool Compressed = false;
    String ConnectionName;
    TDateTime CreateDate = 0;
    String InitString;
    String Name;
    TDateTime LastChange = 0;
    // Stored shifted by the report (see TvrReport::SaveToStream); a byte string, never converted.
    String Password;
    String VersionBuild, VersionMajor, VersionMinor, VersionRelease;
    // Not published.
    String AcceptedPassword;
    TvrReport* Report() const { return FReport; }

    TStringList* Description() const { return FDescription.get(); }
    void SetDescription(TStringList* Value);
    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value);

private:
    TvrReport* FReport;
    std::unique_ptr<TStringList> FDescription;
    std::unique_ptr<TPicture> FPicture;
};

// --- named styles ---

class TvrStyleItem : public TCollectionItem {
    ORV_META(TvrStyleItem, TCollectionItem)
    explicit TvrStyleItem(TCollection* Collection);
    ~TvrStyleItem() override;
    void Assign(const TPersistent* Source) override;

    const String& Name() const { return FName; }
    // "Duplicate name" when another item of the collection has it (case ignored).
    void SetName(const String& Value);
    void CreateUniqueName();
    TColor Color = clNone;
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value);
    TvrFrame* Frame() const { return FFrame.get(); }
    void SetFrame(TvrFrame* Value);

private:
    String FName;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TvrFrame> FFrame;
};

class TvrStyles : public TCollection {
    ORV_META(TvrStyles, TCollection)
    explicit TvrStyles(TvrReport* Report = nullptr);

    String Name;
    TvrReport* Report() const { return FReport; }
    TvrStyleItem* Add() { return static_cast<TvrStyleItem*>(TCollection::Add()); }
    TvrStyleItem* Items(int Index) const { return static_cast<TvrStyleItem*>(TCollection::Items(Index)); }
    TvrStyleItem* Find(const String& AName) const;
    void GetList(TStrings& List) const;
    // Sets the Style of the report's text objects again (objects publishing a string Style):
    // to the same name when the collection has it, else to empty.
    void Apply();

    void LoadFromFile(const String& FileName);
    void LoadFromStream(TStream& Stream);
    // The file is replaced only once it is written completely.
    void SaveToFile(const String& FileName);
    void SaveToStream(TStream& Stream);
    void LoadFromXMLItem(TvrXMLItem& Item, bool LegacyFormat);
    void SaveToXMLItem(TvrXMLItem& Item);

private:
    TvrReport* FReport;
};

class TvrStyleSheet : public TObject {
public:
    String ClassName() const override { return "TvrStyleSheet"; }
    void Clear() { FItems.clear(); }
    void Delete(int Index);
    TvrStyles* Add();
    int Count() const { return static_cast<int>(FItems.size()); }
    TvrStyles* Items(int Index) const;
    TvrStyles* Find(const String& AName) const;
    void GetList(TStrings& List) const;
    void LoadFromFile(const String& FileName);
    void LoadFromStream(TStream& Stream);

private:
    std::vector<std::unique_ptr<TvrStyles>> FItems;
};
