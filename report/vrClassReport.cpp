// The report component: construction, Clear, loading and saving layouts, inheritance from a
// parent layout, the data page, data-set lookups and notifications.
#include "classes/Filer.h"
#include "classes/MetaBuilder.h"
#include "gui/ExtCtrls.h"
#include "report/vrClassDesigner.h"
#include "report/vrClass.h"
#include "report/vrEngine.h"
#include "report/vrPassw.h"
#include "report/vrProgress.h"
#include "report/vrRes.h"
#include "report/vrXMLSerializer.h"
#include "rtl/CodePage.h"
#include "rtl/FileUtils.h"
#include "rtl/IniFiles.h"
#include "rtl/Registry.h"
#include "rtl/StrUtils.h"
#include "script/vs_iinterpreter.h"

#include <algorithm>
#include <functional>

ORV_META_IMPL(TvrReport)
void TvrReport::DeclareMeta(meta::Class<TvrReport>& c) {
    using T = TvrReport;
    c.Property("Version", &T::Version, &T::SetVersion);
    c.Property("ParentReport", &T::ParentReport, &T::SetParentReport);
    c.Property("DataSet", &T::DataSet, &T::SetDataSet);
    c.Property("DataSetName", &T::DataSetName, &T::SetDataSetName);
    c.Property("DotMatrixReport", &T::DotMatrixReport, &T::DotMatrixReport);
    c.Property("EngineOptions", &T::EngineOptions, &T::SetEngineOptions);
    c.Property("IniFile", &T::IniFile, &T::IniFile);
    c.Property("OldStyleProgress", &T::OldStyleProgress, &T::OldStyleProgress).Default(false);
    c.Property("Preview", &T::Preview, &T::SetPreview);
    c.Property("PreviewOptions", &T::PreviewOptions, &T::SetPreviewOptions);
    c.Property("PrintOptions", &T::PrintOptions, &T::SetPrintOptions);
    c.Property("ReportOptions", &T::ReportOptions, &T::SetReportOptions);
    c.Property("ScriptLanguage", &T::ScriptLanguage, &T::ScriptLanguage);
    c.Property("ScriptText", &T::ScriptText, &T::SetScriptText);
    c.Property("ShowProgress", &T::ShowProgress, &T::ShowProgress).Default(true);
    c.Property("StoreInDFM", &T::StoreInDFM, &T::StoreInDFM).Default(true);
    c.Event("OnAfterPrint", &T::OnAfterPrint, "TvrObjectEvent");
    c.Event("OnBeforeConnect", &T::OnBeforeConnect, "TvrBeforeConnectEvent");
    c.Event("OnAfterDisconnect", &T::OnAfterDisconnect, "TvrAfterDisconnectEvent");
    c.Event("OnBeforePrint", &T::OnBeforePrint, "TvrObjectEvent");
    c.Event("OnBeginDoc", &T::OnBeginDoc);
    c.Event("OnEndDoc", &T::OnEndDoc);
    c.Event("OnGetValue", &T::OnGetValue, "TvrGetValueEvent");
    c.Event("OnNewGetValue", &T::OnNewGetValue, "TvrNewGetValueEvent");
    c.Event("OnManualBuild", &T::OnManualBuild, "TvrManualBuildEvent");
    c.Event("OnMouseOverObject", &T::OnMouseOverObject, "TvrMouseOverObjectEvent");
    c.Event("OnPreview", &T::OnPreview);
    c.Event("OnPrintPage", &T::OnPrintPage, "TvrPrintPageEvent");
    c.Event("OnPrintReport", &T::OnPrintReport);
    c.Event("OnAfterPrintReport", &T::OnAfterPrintReport);
    c.Event("OnProgressStart", &T::OnProgressStart, "TvrProgressEvent");
    c.Event("OnProgress", &T::OnProgress, "TvrProgressEvent");
    c.Event("OnProgressStop", &T::OnProgressStop, "TvrProgressEvent");
    c.Property("OnRunDialogs", &T::OnRunDialogs, &T::OnRunDialogs).TypeName("TvrRunDialogsEvent");
    c.Property("OnStartReport", &T::OnStartReport, &T::OnStartReport).TypeName("TvrNotifyEvent");
    c.Property("OnStopReport", &T::OnStopReport, &T::OnStopReport).TypeName("TvrNotifyEvent");
    c.Event("OnUserFunction", &T::OnUserFunction, "TvrUserFunctionEvent");
    c.Event("OnLoadTemplate", &T::OnLoadTemplate, "TvrLoadTemplateEvent");
    c.Event("OnClosePreview", &T::OnClosePreview);
    c.Event("OnClickObject", &T::OnClickObject, "TvrPreviewClickEvent");
    c.Event("OnDblClickObject", &T::OnDblClickObject, "TvrPreviewClickEvent");
    c.Property("OnReportPrint", &T::OnReportPrint, &T::OnReportPrint).TypeName("TvrNotifyEvent");
    c.Event("OnAfterScriptCompile", &T::OnAfterScriptCompile);
}

std::recursive_mutex& LoadingLock() {
    static std::recursive_mutex lock;
    return lock;
}

namespace {
// The stored form of the password: every byte lowered by 10 (wrapping), and back.
String ShiftPassword(const String& text, int delta) {
    String s = text;
    for (char& ch : s)
        ch = static_cast<char>(static_cast<Byte>(static_cast<Byte>(ch) + delta));
    return s;
}
} // namespace

TvrReport::TvrReport(TComponent* AOwner)
    : TvrComponent(AOwner), FEngineOptions(std::make_unique<TvrEngineOptions>()),
      FPreviewOptions(std::make_unique<TvrPreviewOptions>()), FPrintOptions(std::make_unique<TvrPrintOptions>()),
      FReportOptions(std::make_unique<TvrReportOptions>(this)), FScriptText(std::make_unique<TStringList>()),
      FDatasets(std::make_unique<TvrReportDataSets>(this)),
      FAllowedDataSets(std::make_unique<TvrReportDataSets>(this)), FVariables(std::make_unique<TvrVariables>()),
      FStyles(std::make_unique<TvrStyles>(this)), FScript(std::make_unique<TvsScript>(nullptr)),
      FErrorList(std::make_unique<TStringList>()), FSystemVariables(std::make_unique<TStringList>()),
      FDrillDownNames(std::make_unique<TStringList>()) {
    FScript->ExtendedIdentifiers = true;
    FScript->AddRTTI();
    FCache = std::make_unique<TvrExpressionCache>(FScript.get());
    FErrorList->SetSorted(true);
    FErrorList->SetDuplicates(TDuplicates::dupIgnore);
    vrInstallEngine(this);
    Clear();
}

TvrReport::~TvrReport() {
    delete FPrepareTimer;
    SetPreview(nullptr);
    FAncestorCopy.reset();
    // The tree goes first, while the lists its data sets are entered in still exist.
    FreeTree(false);
}

void TvrReport::SetEngine(std::unique_ptr<TvrCustomEngine> Engine, std::unique_ptr<TvrCustomPreviewPages> Pages) {
    FEngine = std::move(Engine);
    FPreparedPages = std::move(Pages);
    if (FEngine) FEngine->PreviewPages = FPreparedPages.get();
    BindPreviewClicks();
    if (FPreparedPages) FPreparedPages->Engine = FEngine.get();
}

void TvrReport::FreeTree(bool KeepInherited) {
    // Every object of the tree is owned by the report, and the platform tells all owned
    // components of each one that leaves. While the tree is freed only the components that stay
    // are told, which keeps freeing a large layout linear.
    std::vector<TComponent*> survivors;
    {
        std::vector<TvrComponent*> doomed;
        std::function<void(TvrComponent*)> collect = [&](TvrComponent* o) {
            for (TvrComponent* c : o->Children()) {
                if (KeepInherited && c->IsInherited()) {
                    collect(c);
                } else {
                    doomed.push_back(c);
                    for (TvrComponent* d : c->AllObjects())
                        doomed.push_back(d);
                }
            }
        };
        collect(this);
        std::sort(doomed.begin(), doomed.end());
        for (int i = 0; i < ComponentCount(); ++i) {
            auto* obj = dynamic_cast<TvrComponent*>(Components(i));
            if (!obj || !std::binary_search(doomed.begin(), doomed.end(), obj)) survivors.push_back(Components(i));
        }
    }
    FClearSurvivors = &survivors;
    try {
        if (KeepInherited) {
            TvrComponent::Clear();
        } else {
            while (!Children().empty())
                delete Children().back();
        }
    } catch (...) {
        FClearSurvivors = nullptr;
        throw;
    }
    FClearSurvivors = nullptr;
}

void TvrReport::Clear() {
    FreeTree(true);
    FDatasets->Clear();
    FVariables->Clear();
    FStyles->Clear();
    FEngineOptions->Clear();
    FPreviewOptions->Clear();
    FPrintOptions->Clear();
    FReportOptions->Clear();
    FDataSet = nullptr;
    FDataSetName.clear();
    DotMatrixReport = false;
    SetParentReport(String());
    ScriptLanguage = "PascalScript";
    FScriptText->Clear();
    FScriptText->Add("begin");
    FScriptText->Add("");
    FScriptText->Add("end.");
    FSystemVariables->Clear();
    for (const char* name : {"Date", "Time", "Page", "Page#", "TotalPages", "TotalPages#", "Line", "Line#",
                             "CopyName#"})
        FSystemVariables->Add(name);
    OnRunDialogs.clear();
    OnStartReport.clear();
    OnStopReport.clear();
}

String TvrReport::GetDescription() const {
    return GetResources().GetString("obReport");
}

TvrPage* TvrReport::GetPage(int Index) const {
    if (Index < 0 || Index >= GetPagesCount()) return nullptr;
    return dynamic_cast<TvrPage*>(Children()[static_cast<size_t>(Index)]);
}

// --- properties -----------------------------------------------------------------------------------

void TvrReport::SetDataSet(TvrDataSet* Value) {
    FDataSet = Value;
    FDataSetName = Value ? Value->UserName() : String();
    if (Value) Value->FreeNotification(this);
}

String TvrReport::DataSetName() const {
    return FDataSet ? FDataSet->UserName() : FDataSetName;
}

void TvrReport::SetDataSetName(const String& Value) {
    FDataSetName = Value;
    if (TvrDataSet* ds = FindDataSet(FDataSet, Value)) {
        FDataSet = ds;
        ds->FreeNotification(this);
    }
}

void TvrReport::SetPreview(TvrCustomPreview* Value) {
    if (Value == FPreview) return;
    if (FPreview) {
        FPreview->Report = nullptr;
        FPreview->PreviewPages = nullptr;
        FPreview->RemoveFreeNotification(this);
    }
    FPreview = Value;
    if (FPreview) {
        FPreview->FreeNotification(this);
        FPreview->Report = this;
        FPreview->PreviewPages = FPreparedPages.get();
        FPreview->InitPreview();
    }
}

void TvrReport::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opInsert) return; // no object of a report reacts to another's arrival
    if (AComponent && AComponent->Owner() == this) {
        auto it = FNameIndex.find(UpperCase(AComponent->Name()));
        if (it != FNameIndex.end() && it->second == AComponent) FNameIndex.erase(it);
    }
    if (FClearSurvivors) {
        RemoveFreeNotification(AComponent);
        for (TComponent* c : *FClearSurvivors)
            if (c != AComponent) c->Notification(AComponent, Operation);
    } else {
        TvrComponent::Notification(AComponent, Operation);
    }
    for (int i = FDatasets->Count() - 1; i >= 0; --i)
        if (static_cast<TComponent*>(FDatasets->GetItem(i)->DataSet()) == AComponent) FDatasets->Delete(i);
    if (static_cast<TComponent*>(FDataSet) == AComponent) FDataSet = nullptr;
    if (static_cast<TComponent*>(FPreview) == AComponent) FPreview = nullptr;
    if (static_cast<TComponent*>(FPreviewWindow) == AComponent) FPreviewWindow = nullptr;
    if (static_cast<TComponent*>(FDesignerWindow) == AComponent) FDesignerWindow = nullptr;
}

void TvrReport::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) {
    if (!AComponent) return;
    if (!SameText(CurName, NewName)) {
        TComponent* existing = FindOwnedComponent(NewName);
        if (existing && existing != AComponent) throw EComponentError(GetResources().GetString("prDupl"));
    }
    auto old = FNameIndex.find(UpperCase(CurName));
    if (old != FNameIndex.end() && old->second == AComponent) FNameIndex.erase(old);
    if (!NewName.empty()) FNameIndex[UpperCase(NewName)] = AComponent;
}

TComponent* TvrReport::FindOwnedComponent(const String& AName) const {
    if (AName.empty()) return nullptr;
    auto it = FNameIndex.find(UpperCase(AName));
    return it == FNameIndex.end() ? nullptr : it->second;
}

// --- inheritance ----------------------------------------------------------------------------------

void TvrReport::SetParentReport(const String& Value) {
    FParentReport = Value;
    FAncestorCopy.reset();
    if (Value.empty()) {
        FromAncestor = false;
        for (TvrComponent* c : AllObjects())
            c->FromAncestor = false;
        return;
    }
    const String ownFile = LayoutFileName;
    TvrXMLSerializer* reading = CurrentSerializer;
    if (OnLoadTemplate) {
        OnLoadTemplate(this, Value);
    } else {
        String fileName = SlashesToBackslashes(Value);
        const bool absolute = (fileName.size() > 1 && fileName[1] == ':') || StartsStr("\\\\", fileName) ||
                              StartsStr("/", Value);
        fileName = Value;
        if (!absolute) {
            const String besideReport = ExtractFilePath(ownFile) + Value;
            fileName = FileExists(besideReport) ? besideReport : IncludeTrailingPathDelimiter(GetApplicationFolder()) + Value;
        }
        const bool oldReload = InternalReload;
        InternalReload = true;
        LoadFromFile(fileName);
        InternalReload = oldReload;
    }
    LayoutFileName = ownFile;
    FAncestorCopy = std::make_unique<TvrReport>(nullptr);
    FAncestorCopy->CopyFrom(this, true);
    FromAncestor = true;
    for (TvrComponent* c : AllObjects())
        c->FromAncestor = true;
    FParentReport = Value;
    CurrentSerializer = reading;
}

TvrComponent* TvrReport::FindAncestorObject(const String& AName) const {
    if (!FAncestorCopy) return nullptr;
    if (AName == Name()) return FAncestorCopy.get();
    return FAncestorCopy->FindObject(AName);
}

String TvrReport::GetApplicationFolder() const {
    if (ComponentState().Contains(csDesigning)) return IncludeTrailingPathDelimiter(GetCurrentDir());
    return GetModulePath();
}

std::unique_ptr<TCustomIniFile> TvrReport::GetIniFile() const {
    if (StartsText("\\Software\\", IniFile)) return std::make_unique<TRegistryIniFile>(IniFile);
    return std::make_unique<TIniFile>(IniFile);
}

// --- files ------------------------------------------------------------------------------------------

bool TvrReport::LoadFromFile(const String& FileName, bool Force) {
    Clear();
    LayoutFileName.clear();
    const bool exists = FileExists(FileName);
    if (!exists && !Force) return false;
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LayoutFileName = FileName;
    LoadFromStream(stream);
    return exists;
}

void TvrReport::LoadFromStream(TStream& Stream) {
    FErrorList->Clear();
    TvrEngineOptions hostEngine;
    hostEngine.Assign(FEngineOptions.get());
    TvrPreviewOptions hostPreview;
    hostPreview.Assign(FPreviewOptions.get());
    const String hostIniFile = IniFile;
    TvrCustomPreview* hostPreviewControl = FPreview;
    const bool hostOldStyleProgress = OldStyleProgress, hostShowProgress = ShowProgress,
               hostStoreInDFM = StoreInDFM;
    LoadedLegacyFormat = false;
    try {
        TvrComponent::LoadFromStream(Stream);
    } catch (const Exception& e) {
        FErrorList->Add(e.Message());
    }
    CheckDataPage();
    {
        const bool convertNulls = FEngineOptions->ConvertNulls, ignoreDevByZero = FEngineOptions->IgnoreDevByZero,
                   doublePass = FEngineOptions->DoublePass;
        FEngineOptions->Assign(&hostEngine);
        FEngineOptions->ConvertNulls = convertNulls;
        FEngineOptions->IgnoreDevByZero = ignoreDevByZero;
        FEngineOptions->DoublePass = doublePass;
        TvrPreviewOptions layout;
        layout.Assign(FPreviewOptions.get());
        FPreviewOptions->Assign(&hostPreview);
        FPreviewOptions->OutlineVisible = layout.OutlineVisible;
        FPreviewOptions->OutlineWidth = layout.OutlineWidth;
        FPreviewOptions->OutlineExpand = layout.OutlineExpand;
        FPreviewOptions->PagesInCache = layout.PagesInCache;
        FPreviewOptions->ThumbnailVisible = layout.ThumbnailVisible;
    }
    IniFile = hostIniFile;
    FPreview = hostPreviewControl;
    OldStyleProgress = hostOldStyleProgress;
    ShowProgress = hostShowProgress;
    StoreInDFM = hostStoreInDFM;
    // The password is stored as shifted bytes; an old file's bytes are in the local code page.
    String password = ShiftPassword(FReportOptions->Password, 10);
    if (LoadedLegacyFormat) password = Utf8FromAnsi(password);
    FReportOptions->Password = password;
    if (!InternalReload && !FEngineOptions->HeadlessMode && !password.empty()) {
        String typed;
        const bool ok = vrAskPassword(typed);
        if (ok && typed == password) {
            FReportOptions->AcceptedPassword = typed;
        } else {
            FErrorList->Add(GetResources().GetString("Invalid password"));
            ReportErrors();
            Clear();
            return;
        }
    }
    if (FErrorList->Count() > 0) ReportErrors();
}

void TvrReport::ReportErrors() {
    ReportLibraryError(FEngineOptions->NewSilentMode,
                       GetResources().GetString("clErrors") + "\r\n" + FErrorList->Text());
}

void TvrReport::SaveToStream(TStream& Stream, bool SaveChildren, bool SaveDefaultValues, bool) {
    const String clearPassword = FReportOptions->Password;
    TvrCustomPreview* preview = FPreview;
    FReportOptions->Password = ShiftPassword(clearPassword, -10);
    FPreview = nullptr;
    try {
        TvrXMLSerializer serializer(&Stream);
        serializer.OwnerReport = this;
        serializer.WriteDefaults = SaveDefaultValues;
        if (FAncestorCopy) serializer.AncestorLookup = [this](const String& n) { return FindAncestorObject(n); };
        serializer.WriteComponentTree(this, SaveChildren, false, nullptr);
    } catch (...) {
        FReportOptions->Password = clearPassword;
        FPreview = preview;
        throw;
    }
    FReportOptions->Password = clearPassword;
    FPreview = preview;
}

void TvrReport::SaveToFile(const String& FileName) {
    WriteFileReplacing(FileName, [this](TStream& stream) { SaveToStream(stream, true, false, false); });
}

void TvrReport::DefineProperties(TFiler& Filer) {
    TvrComponent::DefineProperties(Filer);
    auto define = [this, &Filer](const String& name, TCollection& collection) {
        Filer.DefineProperty(
            name,
            [this, &collection](TReader& r) {
                if (r.NextValue() == vaCollection) {
                    r.ReadCollection(collection);
                    return;
                }
                ReadCollectionAsXML(collection, r.Stream(), [this](TCollectionItem& item, const String& text) {
                    if (CurrentSerializer) {
                        CurrentSerializer->ReadProps(text, &item);
                    } else {
                        TvrXMLSerializer serializer;
                        serializer.LegacyFormat = false;
                        serializer.ReadItemText(this, &item, text);
                    }
                });
            },
            [this, &collection](TWriter& w) {
                WriteCollectionAsXML(collection, w.Stream(),
                                     [this](TCollectionItem& item) { return vrItemText(item, this); });
            },
            true);
    };
    define("Datasets", *FDatasets);
    define("Variables", *FVariables);
    define("Style", *FStyles);
}

void TvrReport::SetStyles(TvrStyles* Value) {
    if (!Value) {
        FStyles->Clear();
        return;
    }
    FStyles->Assign(Value);
    FStyles->Apply();
}

void TvrReport::CheckDataPage() {
    TvrDataPage* page = nullptr;
    for (TvrComponent* c : Children())
        if ((page = dynamic_cast<TvrDataPage*>(c))) break;
    if (!page) {
        page = new TvrDataPage(this);
        MoveChild(page, 0);
        if (FindObject("Data"))
            page->CreateUniqueName();
        else
            page->SetName("Data");
    }
    Extended left = 60;
    for (TvrComponent* c : AllObjects()) {
        if (!dynamic_cast<TvrDialogComponent*>(c) || c->Parent() == page) continue;
        c->SetParent(page);
        c->SetLeft(left);
        c->SetTop(20);
        left += 64;
    }
}

// --- data sets ----------------------------------------------------------------------------------------

TvrDataSet* TvrReport::GetDataset(const String& Alias) const {
    TvrDataSetItem* item = FDatasets->FindByName(Alias);
    return item ? item->DataSet() : nullptr;
}

String TvrReport::GetAlias(const TvrDataSet* DataSet) const {
    if (!DataSet) return String();
    return FDatasets->FindByDataSet(DataSet) ? DataSet->UserName() : GetResources().GetString("clDSNotIncl");
}

void TvrReport::GetDatasetAndField(const String& Text, TvrDataSet*& DataSet, String& Field) const {
    DataSet = nullptr;
    Field.clear();
    const size_t p = Text.find(".\"");
    if (p == String::npos) return;
    DataSet = GetDataset(Text.substr(0, p));
    Field = Text.substr(p + 2);
    if (!Field.empty()) Field.pop_back();
}

void TvrReport::GetDataSetList(TStrings& List, bool SkipUserDataSets) const {
    List.Clear();
    for (int i = 0; i < FDatasets->Count(); ++i) {
        TvrDataSet* ds = FDatasets->GetItem(i)->DataSet();
        if (!ds || (SkipUserDataSets && dynamic_cast<TvrUserDataSet*>(ds))) continue;
        List.AddObject(ds->UserName(), ds);
    }
}

void TvrReport::GetActiveDataSetList(TStrings& List) const {
    if (FEngineOptions->LookupGlobalDataSets) {
        GetEnabledDataSets(List);
        return;
    }
    List.Clear();
    for (int i = 0; i < FAllowedDataSets->Count(); ++i)
        if (TvrDataSet* ds = FAllowedDataSets->GetItem(i)->DataSet()) List.AddObject(ds->UserName(), ds);
}
