// Prepared report files (".dp3") and anchors. Reading checks everything it indexes by, so a
// damaged file raises "Invalid file format" and leaves the store cleared.
#include "report/vrPreviewPages.h"

#include "report/vrClassOptions.h"
#include "report/vrClassReport.h"
#include "report/vrXMLSerializer.h"
#include "classes/ClassRegistry.h"
#include "rtl/CodePage.h"
#include "rtl/FileUtils.h"
#include "rtl/MathUtils.h"
#include "rtl/StrUtils.h"
#include "rtl/SysUtils.h"

#include <cmath>
#include <utility>

namespace {

String Bool01(bool b) {
    return b ? "1" : "0";
}

[[noreturn]] void Invalid() {
    throw TvrInvalidXMLException();
}

// A decimal number of the whole text, or -1.
int Decimal(const String& text) {
    if (text.empty() || text.size() > 9) return -1;
    for (char c : text)
        if (c < '0' || c > '9') return -1;
    return std::stoi(text);
}

// An integer attribute that must be present and well formed.
int CheckedInt(const TvrXMLItem* item, const char* name) {
    if (!item->PropExists(name)) Invalid();
    const String v = Trim(item->GetProp(name));
    const String digits = !v.empty() && v[0] == '-' ? v.substr(1) : v;
    if (Decimal(digits) < 0) Invalid();
    return StrToInt(v);
}

void CheckItems(const TvrXMLItem* parent, int pageCount, bool nested) {
    for (int i = 0; i < parent->ItemCount(); ++i) {
        const TvrXMLItem* item = parent->GetItem(i);
        const int page = CheckedInt(item, "page");
        if (page < 0 || page >= std::max(pageCount, 1)) Invalid();
        CheckedInt(item, "top");
        if (nested) CheckItems(item, pageCount, true);
    }
}

} // namespace

// The file sections written beside the pages; they are emptied again after the save.
void TvrPreviewPages::FillFileSections() {
    TvrXMLItem* report = RootChild("report");
    report->Clear();
    if (TvrReport* r = Report()) {
        TvrXMLItem* item = report->Add();
        item->Name = r->ClassName();
        item->AttrText = "DotMatrixReport=\"" + Bool01(r->DotMatrixReport) + "\" PreviewOptions.OutlineVisible=\"" +
                         Bool01(r->PreviewOptions()->OutlineVisible) + "\" PreviewOptions.OutlineWidth=\"" +
                         IntToStr(r->PreviewOptions()->OutlineWidth) + "\" ReportOptions.Name=\"" +
                         EscapeXMLText(r->ReportOptions()->Name) + "\"";
    }
    TvrXMLItem* sources = RootChild("sourcepages");
    sources->Clear();
    TvrXMLSerializer serializer;
    for (TvrComponent* page : FSourcePages) serializer.WriteComponentTree(page, true, true, sources->Add());
    TvrXMLItem* dict = RootChild("dictionary");
    dict->Clear();
    FDictionary->ForEach([&](const String& alias, const String& sourceName) {
        TvrXMLItem* item = dict->Add();
        item->Name = alias;
        item->AttrText = "name=\"" + sourceName + "\"";
    });
    FPictureCache->SaveToXML(RootChild("picturecache"));
}

void TvrPreviewPages::ClearFileSections() {
    RootChild("sourcepages")->Clear();
    RootChild("dictionary")->Clear();
    RootChild("picturecache")->Clear();
}

void TvrPreviewPages::SaveWithFileSections(const std::function<void()>& Save) {
    FillFileSections();
    try {
        Save();
    } catch (...) {
        ClearFileSections();
        throw;
    }
    ClearFileSections();
}

void TvrPreviewPages::WriteToStream(TStream& Stream) {
    SaveWithFileSections([&] { FXMLDoc->SaveToStream(Stream); });
}

void TvrPreviewPages::WriteToFile(const String& FileName) {
    // The document writes a file beside the old one and renames it over it, so a failed save
    // keeps the old file.
    SaveWithFileSections([&] { FXMLDoc->SaveToFile(FileName); });
}

bool TvrPreviewPages::ReadFromFile(const String& FileName, bool RaiseIfMissing) {
    const bool exists = FileExists(FileName);
    if (exists || RaiseIfMissing) {
        auto stream = std::make_unique<TFileStream>(FileName, fmOpenRead | fmShareDenyWrite);
        TStream& s = *stream;
        ReadFile(s, false, std::move(stream));
    }
    return exists;
}

void TvrPreviewPages::ReadFromStream(TStream& Stream, bool AllowPartial) {
    ReadFile(Stream, AllowPartial, nullptr);
}

void TvrPreviewPages::ReadFile(TStream& Stream, bool AllowPartial, std::unique_ptr<TStream> Owned) {
    ClearAll();
    AllowPartialLoading = AllowPartial;
    try {
        if (Owned)
            FXMLDoc->LoadFromStream(std::move(Owned), AllowPartial);
        else if (AllowPartial) {
            // The document keeps its input for the pages left on disk; it reads a copy.
            auto copy = std::make_unique<TMemoryStream>();
            Stream.SetPosition(0);
            copy->CopyFrom(Stream, Stream.Size());
            copy->SetPosition(0);
            FXMLDoc->LoadFromStream(std::move(copy), true);
        } else
            FXMLDoc->LoadFromStream(Stream);
        TvrXMLItem* root = FXMLDoc->Root();
        if (!SameText(root->Name, "preparedreport")) Invalid();
        FLegacyFormat = FXMLDoc->LegacyFormat;

        TvrXMLItem* report = RootChild("report");
        if (report->ItemCount() && Report()) {
            // Only the four properties the file carries: a foreign file sets nothing else of the
            // report (its script, data or events).
            TvrXMLItem* item = report->GetItem(0);
            TvrReport* r = Report();
            const auto flag = [&](const char* name, bool current) {
                return item->PropExists(name) ? item->GetProp(name) == "1" || SameText(item->GetProp(name), "True")
                                              : current;
            };
            r->DotMatrixReport = flag("DotMatrixReport", r->DotMatrixReport);
            r->PreviewOptions()->OutlineVisible = flag("PreviewOptions.OutlineVisible", r->PreviewOptions()->OutlineVisible);
            if (item->PropExists("PreviewOptions.OutlineWidth"))
                r->PreviewOptions()->OutlineWidth = CheckedInt(item, "PreviewOptions.OutlineWidth");
            if (item->PropExists("ReportOptions.Name")) {
                const String name = item->GetProp("ReportOptions.Name");
                r->ReportOptions()->Name = FLegacyFormat ? Utf8FromAnsi(name) : name;
            }
        }

        TvrXMLItem* sources = RootChild("sourcepages");
        for (int i = 0; i < sources->ItemCount(); ++i) {
            TvrXMLItem* item = sources->GetItem(i);
            const meta::TClassInfo* cls = GetClass(item->Name);
            if (!cls || !cls->InheritsFrom(String("TvrPage"))) Invalid();
            auto* page = dynamic_cast<TvrComponent*>(cls->CreateComponent(nullptr));
            if (!page) Invalid();
            FSourcePages.push_back(page);
            TvrXMLSerializer serializer;
            serializer.LegacyFormat = FLegacyFormat;
            serializer.ReadComponentTree(page, item);
            for (TvrComponent* obj : page->AllObjects()) {
                vrDropStoredPictures(obj);
                SetBaseText(obj);
            }
        }
        sources->Clear();

        const int sourceCount = static_cast<int>(FSourcePages.size());
        TvrXMLItem* dict = RootChild("dictionary");
        for (int i = 0; i < dict->ItemCount(); ++i) {
            TvrXMLItem* item = dict->GetItem(i);
            const String& text = item->AttrText;
            // name="Page<n>.<object>"
            if (text.size() < 7 || text.compare(0, 6, "name=\"") != 0 || text.back() != '"') Invalid();
            const String sourceName = text.substr(6, text.size() - 7);
            const size_t dot = sourceName.find('.');
            if (dot == String::npos || sourceName.compare(0, 4, "Page") != 0) Invalid();
            const int pageIndex = Decimal(sourceName.substr(4, dot - 4));
            if (pageIndex < 0 || pageIndex >= sourceCount) Invalid();
            const String objName = sourceName.substr(dot + 1, 255);
            if (objName.empty()) Invalid();
            FDictionary->Add(item->Name, sourceName, FSourcePages[pageIndex]->FindObject(objName));
        }
        dict->Clear();

        TvrXMLItem* pages = RootChild("previewpages");
        for (int i = 0; i < pages->ItemCount(); ++i) {
            const String& name = pages->GetItem(i)->Name;
            if (StartsText("page", name)) {
                const int index = Decimal(name.substr(4));
                if (index < 0 || index >= sourceCount) Invalid();
            } else {
                const meta::TClassInfo* cls = GetClass(name);
                if (!cls || !cls->InheritsFrom(String("TvrPage"))) Invalid();
            }
        }
        TvrXMLItem* pictures = RootChild("picturecache");
        FPictureCache->LoadFromXML(pictures);
        pictures->Clear();
        const int pageCount = pages->ItemCount();
        // Only the sections the file has: looking one up would add it, and the next save would
        // write an element the file did not hold.
        for (const auto& [name, nested] : {std::pair{"outline", true}, std::pair{"anchors", false}})
            if (const int i = root->IndexOfName(name); i >= 0)
                CheckItems(root->GetItem(i), pageCount, nested);
        PagesOutline()->LevelRoot();
    } catch (const TvrInvalidXMLException&) {
        ClearAll();
        throw;
    } catch (const Exception&) {
        ClearAll();
        throw TvrInvalidXMLException();
    }
}

// --- anchors ---

void TvrPreviewPages::AddAnchor(const String& Text) {
    TvrXMLItem* item = RootChild("anchors")->Add();
    item->Name = "item";
    const Int64 top = Engine ? Round(Engine->CurY) : 0;
    item->AttrText = vrPageItemText(Text, CurPage, static_cast<Integer>(top));
}

TvrXMLItem* TvrPreviewPages::FindAnchor(const String& Text) {
    TvrXMLItem* anchors = RootChild("anchors");
    for (int i = anchors->ItemCount() - 1; i >= 0; --i)
        if (AnsiSameText(anchors->GetItem(i)->GetProp("text"), Text)) return anchors->GetItem(i);
    return nullptr;
}

Integer TvrPreviewPages::GetAnchorPage(const String& Text) {
    TvrXMLItem* a = FindAnchor(Text);
    return a ? StrToIntDef(a->GetProp("page"), 0) + 1 : 1;
}

Integer TvrPreviewPages::AnchorPosition() {
    return RootChild("anchors")->ItemCount() - 1;
}

void TvrPreviewPages::ShiftAnchorTops(Integer From, Integer NewTop) {
    TvrXMLItem* anchors = RootChild("anchors");
    if (From + 1 < 0 || From + 1 >= anchors->ItemCount()) return;
    const Integer delta = NewTop - StrToIntDef(anchors->GetItem(From + 1)->GetProp("top"), 0);
    for (int i = From + 1; i < anchors->ItemCount(); ++i) {
        TvrXMLItem* a = anchors->GetItem(i);
        a->SetProp("page", IntToStr(StrToIntDef(a->GetProp("page"), 0) + 1));
        a->SetProp("top", IntToStr(StrToIntDef(a->GetProp("top"), 0) + delta));
    }
}
