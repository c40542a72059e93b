// The prepared-pages store: source copies and aliases, pages written as differences, logical
// page numbers, the page cache and page editing.
#include "report/vrPreviewPages.h"

#include "report/vrClassReport.h"
#include "report/vrClassOptions.h"
#include "report/vrClassPicture.h"
#include "report/vrXMLSerializer.h"
#include "classes/MetaProps.h"
#include "gui/Picture.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"

#include <functional>

#include <algorithm>
#include <cmath>

namespace {

bool IsClass(const TvrComponent* obj, const char* name) {
    return obj && meta::ClassInfoOf(*obj).InheritsFrom(String(name));
}

// "b" for a band, otherwise the first letter of the class name less "Tvr" and "View".
String AliasPrefix(const TvrComponent* obj) {
    if (obj->IsBand()) return "b";
    String s = obj->ClassName();
    size_t p = s.find("Tvr");
    if (p != String::npos) s.erase(p, 3);
    p = s.find("View");
    if (p != String::npos) s.erase(p, 4);
    return s.empty() ? String("o") : LowerCase(s.substr(0, 1));
}

String Attr(const String& name, const String& value) {
    return " " + name + "=\"" + value + "\"";
}

Extended ItemValue(TvrXMLItem* item, const char* name, Extended fallback) {
    if (!item->PropExists(name)) return fallback;
    return StrToFloatDef(item->GetProp(name), fallback);
}

// Gives a source copy the object's properties. A picture object is copied without its picture,
// and its copy never writes one: prepared pages take pictures from the picture cache by
// ImageIndex, and a picture in the copy would stand in for every picture the object prints.
void AssignSourceCopy(TvrComponent* Copy, TvrComponent* Obj) {
    auto* picture = dynamic_cast<TvrPictureView*>(Obj);
    if (!picture) {
        Copy->Assign(Obj);
        return;
    }
    const bool stored = picture->IsPictureStored;
    picture->IsPictureStored = false;
    {
        const TScopeExit restore([&] { picture->IsPictureStored = stored; });
        Copy->Assign(Obj);
    }
    vrDropStoredPictures(Copy);
}

} // namespace

void vrDropStoredPictures(TvrComponent* Obj) {
    if (auto* picture = dynamic_cast<TvrPictureView*>(Obj)) picture->IsPictureStored = false;
}

String vrPageItemText(const String& Text, Integer Page, Integer Top) {
    return "text=\"" + EscapeXMLText(Text) + "\" page=\"" + IntToStr(Page) + "\" top=\"" + IntToStr(Top) + "\"";
}

TvrPreviewPages::TvrPreviewPages(TvrReport* Report)
    : TvrCustomPreviewPages(Report), FXMLDoc(std::make_unique<TvrXMLDocument>()),
      FDictionary(std::make_unique<TvrDictionary>()),
      FPictureCache(std::make_unique<TvrPictureCache>()), FPageCache(true) {
    SetOutline(std::make_unique<TvrOutline>(this));
    FXMLDoc->Root()->Name = "preparedreport";
    FXMLDoc->IndentOutput = true;
    FXMLDoc->DeclareUtf8Texts = true;
    CurPage = -1;
    FirstPage = 0;
}

TvrPreviewPages::~TvrPreviewPages() {
    ClearPageCache();
    FreeSourcePages();
}

TvrOutline* TvrPreviewPages::PagesOutline() const {
    return static_cast<TvrOutline*>(Outline());
}

bool TvrPreviewPages::EngineRunning() const {
    return Engine && Engine->Running;
}

bool TvrPreviewPages::FinalPass() const {
    return !Engine || Engine->FinalPass;
}

// True on the last pass of a two-pass run, where the first pass already numbered the pages.
Integer TvrPreviewPages::TwoPassRunning() const {
    return Engine && Engine->DoublePass() && Engine->FinalPass;
}

void TvrPreviewPages::FreeSourcePages() {
    for (TvrComponent* p : FSourcePages) delete p;
    FSourcePages.clear();
    FBaseTexts.clear();
}

void TvrPreviewPages::ClearPageCache() {
    FPageCache.Clear();
}

void TvrPreviewPages::ClearAll() {
    ClearPageCache();
    FreeSourcePages();
    FXMLDoc->Clear();
    FXMLDoc->Root()->Name = "preparedreport";
    FPagesItem = nullptr;
    FDictionary->Clear();
    FPictureCache->Clear();
    FFailedPictures.clear();
    PagesOutline()->LevelRoot();
    CurPage = -1;
    FXMLSize = 0;
    FFirstPageIndex = -1;
    FFirstObjectIndex = FFirstOutlineIndex = 0;
    FLogicalPageCounter = 0;
    AddPageAction = apAdd;
}

Integer TvrPreviewPages::GetPageCount() {
    return RootChild("previewpages")->ItemCount();
}

TvrXMLItem* TvrPreviewPages::PageItem(Integer Index) {
    return RootChild("previewpages")->GetItem(Index);
}

void TvrPreviewPages::PrepareForRun() {
    if (TvrReport* r = Report()) {
        FPictureCache->SetFileCache(r->PreviewOptions()->PictureCacheInFile);
        FPictureCache->SetTempFolder(r->EngineOptions()->TempDir);
        FXMLDoc->TempFolder = r->EngineOptions()->TempDir;
        r->ProgressStart(ptRunning);
    }
}

void TvrPreviewPages::StorePicture(TvrComponent* View) {
    FPictureCache->AddPicture(View);
}

String TvrPreviewPages::BaseText(TvrComponent* Copy) const {
    auto it = FBaseTexts.find(Copy);
    return it == FBaseTexts.end() ? Copy->ClassName() : it->second;
}

void TvrPreviewPages::SetBaseText(TvrComponent* Copy) {
    if (Copy->Flags.Contains(ofAttributeDiff)) {
        FBaseTexts[Copy] = Copy->ClassName();
        return;
    }
    TvrXMLSerializer serializer;
    FBaseTexts[Copy] = serializer.WriteObjectText(Copy);
}

TvrComponent* TvrPreviewPages::CopyObject(TvrComponent* Obj, TvrComponent* ParentCopy) {
    auto* copy = dynamic_cast<TvrComponent*>(meta::ClassInfoOf(*Obj).CreateComponent(ParentCopy));
    if (!copy) throw Exception("Class " + Obj->ClassName() + " not found");
    AssignSourceCopy(copy, Obj);
    copy->SetName(Obj->Name());
    return copy;
}

void TvrPreviewPages::AddToDictionary(TvrComponent* Copy, TvrComponent* Original, int PageIndex) {
    Original->SourceObject = Copy;
    Copy->SourceObject = Original;
    const String alias =
        FDictionary->AddUnique(AliasPrefix(Copy), "Page" + IntToStr(PageIndex) + "." + Copy->Name(), Copy);
    // A text object's copy keeps no data binding: pages are rebuilt without the data.
    if (meta::ClassInfoOf(*Copy).InheritsFrom(String("TvrCustomMemoView")) || GetPropInfo(Copy, "DataField")) {
        if (GetPropInfo(Copy, "DataField")) SetStrProp(Copy, "DataField", String());
        if (const meta::TPropInfo* p = GetPropInfo(Copy, "DataSet"); p && p->Kind == decltype(p->Kind)::Component)
            SetObjectProp(Copy, *p, nullptr);
    }
    SetBaseText(Copy);
    Original->PreparedAlias = alias;
    Copy->PreparedAlias = alias;
}

void TvrPreviewPages::RegisterSourcePage(TvrComponent* ReportPage) {
    auto* pageCopy = dynamic_cast<TvrComponent*>(meta::ClassInfoOf(*ReportPage).CreateComponent(nullptr));
    pageCopy->Assign(ReportPage);
    pageCopy->SetName(ReportPage->Name());
    pageCopy->SourceObject = ReportPage;
    FSourcePages.push_back(pageCopy);
    const int index = static_cast<int>(FSourcePages.size()) - 1;
    std::vector<std::pair<TvrComponent*, TvrComponent*>> copies;
    std::unordered_map<const TvrComponent*, TvrComponent*> copyOf{{ReportPage, pageCopy}};
    for (TvrComponent* obj : ReportPage->AllObjects()) {
        if (!obj->Flags.Contains(ofPreviewCopy)) continue;
        auto parent = copyOf.find(obj->Parent());
        if (parent == copyOf.end()) continue;
        TvrComponent* copy = CopyObject(obj, parent->second);
        copyOf[obj] = copy;
        copies.emplace_back(obj, copy);
    }
    for (auto& [obj, copy] : copies) AddToDictionary(copy, obj, index);
}

void TvrPreviewPages::RegisterRuntimeObject(TvrComponent* Obj) {
    if (FSourcePages.empty()) return;
    TvrComponent* page = FSourcePages.back();
    auto* copy = dynamic_cast<TvrComponent*>(meta::ClassInfoOf(*Obj).CreateComponent(page));
    AssignSourceCopy(copy, Obj);
    copy->CreateUniqueName();
    AddToDictionary(copy, Obj, static_cast<int>(FSourcePages.size()) - 1);
}

TvrComponent* TvrPreviewPages::SourceCopyOf(TvrComponent* ReportPage, int* Index) const {
    for (size_t i = 0; i < FSourcePages.size(); ++i)
        if (FSourcePages[i]->SourceObject == ReportPage) {
            if (Index) *Index = static_cast<int>(i);
            return FSourcePages[i];
        }
    if (Index) *Index = -1;
    return nullptr;
}

void TvrPreviewPages::StartPreparedPage(TvrComponent* ReportPage) {
    FPagesItem = RootChild("previewpages");
    if (TvrReport* r = Report(); r && r->EngineOptions()->UseFileCache &&
                                  FXMLSize > Int64(r->EngineOptions()->MaxMemSize) * 1048576) {
        for (int i = FPagesItem->ItemCount() - 2; i >= 0; --i) {
            TvrXMLItem* item = FPagesItem->GetItem(i);
            if (!item->IsLoaded) break;
            if (item->IsUnloadable) FXMLDoc->UnloadItem(*item);
        }
        FXMLSize = 0;
    }
    ++CurPage;
    if (CurPage < GetPageCount() && AddPageAction == apWriteOver) return;
    int index = -1;
    SourceCopyOf(ReportPage, &index);
    TvrXMLItem* item = FPagesItem->Add();
    item->Name = "page" + IntToStr(index);
    if (FPagesItem->ItemCount() > 2) item->IsUnloadable = true;
    if (TvrReport* r = Report()) r->ProgressStep(ptRunning, CurPage + 1);
    AddPageAction = apWriteOver;
    CurPage = GetPageCount() - 1;
    NextLogicalPage();
}

void TvrPreviewPages::WriteObject(TvrComponent* Obj, TvrXMLItem* Parent) {
    if (!Obj->Visible() || !Obj->Flags.Contains(ofPreviewCopy)) return;
    TvrXMLItem* item = Parent->Add();
    TvrComponent* copy = Obj->SourceObject;
    if (copy && copy->SourceObject == Obj) {
        item->Name = Obj->PreparedAlias;
        String text;
        if (FinalPass()) {
            // The object's own difference; a picture object puts a changed picture into the
            // picture cache here, so only the final pass fills the cache.
            text = Obj->Diff(copy);
            if (Obj->Flags.Contains(ofAttributeDiff)) {
                TvrXMLSerializer serializer;
                text = serializer.WritePropsText(Obj, String(), nullptr) + text;
            }
        } else {
            text = Obj->TvrComponent::Diff(copy);
        }
        item->AttrText = TrimLeft(text);
    } else {
        item->Name = Obj->ClassName();
        TvrXMLSerializer serializer;
        String text = serializer.WritePropsText(Obj, String(), nullptr);
        if (IsClass(Obj, "TvrNullBand"))
            text += Attr("l", FloatToStr(Obj->Left())) + Attr("t", FloatToStr(Obj->Top()));
        item->AttrText = TrimLeft(text);
    }
    FXMLSize += static_cast<Int64>(item->Name.size() + item->AttrText.size() + sizeof(TvrXMLItem) + 16);
    for (TvrComponent* child : Obj->Children()) WriteObject(child, item);
}

void TvrPreviewPages::AddBandToPage(TvrComponent* Band) {
    if (CurPage < 0 || CurPage >= GetPageCount()) return;
    TvrXMLItem* page = PageItem(CurPage);
    if (!page->IsLoaded) FXMLDoc->LoadItem(*page);
    WriteObject(Band, page);
}

Integer TvrPreviewPages::CurrentPosition() {
    if (CurPage < 0 || CurPage >= GetPageCount()) return 0;
    return PageItem(CurPage)->ItemCount();
}

void TvrPreviewPages::CutFromPosition(Integer Position) {
    if (CurPage < 0 || CurPage >= GetPageCount()) return;
    TvrXMLItem* page = PageItem(CurPage);
    TvrXMLItem* cut = RootChild("cutted");
    while (page->ItemCount() > Position && Position >= 0) cut->AppendItem(page->GetItem(Position));
}

void TvrPreviewPages::PasteCutObjects(Extended X, Extended Y) {
    TvrXMLItem* root = FXMLDoc->Root();
    const int i = root->IndexOfName("cutted");
    if (i < 0) return;
    std::unique_ptr<TvrXMLItem> cut(root->GetItem(i));
    if (cut->ItemCount() && CurPage >= 0 && CurPage < GetPageCount()) {
        TvrXMLItem* first = cut->GetItem(0);
        const Extended dx = X - ItemValue(first, "l", 0);
        const Extended dy = Y - ItemValue(first, "t", 0);
        TvrXMLItem* page = PageItem(CurPage);
        while (cut->ItemCount()) {
            TvrXMLItem* item = cut->GetItem(0);
            item->SetProp("l", FloatToStr(ItemValue(item, "l", 0) + dx));
            item->SetProp("t", FloatToStr(ItemValue(item, "t", 0) + dy));
            page->AppendItem(item);
        }
    }
}

namespace {
TvrComponent* SourceOfItem(TvrDictionary& dict, TvrXMLItem* item) {
    return dict.GetObject(item->Name);
}
} // namespace

Extended TvrPreviewPages::LastBandBottom(Extended X) {
    if (CurPage < 0 || CurPage >= GetPageCount()) return 0;
    TvrXMLItem* page = PageItem(CurPage);
    Extended result = 0;
    for (int i = 0; i < page->ItemCount(); ++i) {
        TvrXMLItem* item = page->GetItem(i);
        TvrComponent* src = SourceOfItem(*FDictionary, item);
        if (!src || !src->IsBand() || IsClass(src, "TvrPageFooter") || IsClass(src, "TvrOverlay")) continue;
        const Extended l = ItemValue(item, "l", src->Left());
        if (X != 0 && std::fabs(l - X) >= 0.001 && !IsClass(src, "TvrPageHeader") &&
            !IsClass(src, "TvrReportTitle"))
            continue;
        result = std::max(result, ItemValue(item, "t", src->Top()) + ItemValue(item, "h", src->Height()));
    }
    return result;
}

bool TvrPreviewPages::HasBandOnPage(TvrComponent* Band) {
    if (CurPage < 0 || CurPage >= GetPageCount()) return false;
    TvrXMLItem* page = PageItem(CurPage);
    for (int i = 0; i < page->ItemCount(); ++i) {
        TvrComponent* src = SourceOfItem(*FDictionary, page->GetItem(i));
        if (!src) continue;
        if (src->SourceObject == Band) return true;
        for (const char* kind : {"TvrPageFooter", "TvrColumnFooter"})
            if (IsClass(Band, kind) && IsClass(src, kind)) return true;
    }
    return false;
}

void TvrPreviewPages::MarkPassStart() {
    FFirstPageIndex = GetPageCount() - 1;
    if (FFirstPageIndex >= 0) {
        FFirstObjectIndex = PageItem(FFirstPageIndex)->ItemCount();
        FFirstOutlineIndex = RootChild("outline")->ItemCount();
    }
    RestartLogicalPages();
}

void TvrPreviewPages::DropPassOutput() {
    TvrXMLItem* root = FXMLDoc->Root();
    ClearPageCache();
    if (FFirstPageIndex == -1) {
        for (int i = 0; i < root->ItemCount(); ++i) {
            TvrXMLItem* item = root->GetItem(i);
            if (!SameText(item->Name, "anchors") && !SameText(item->Name, "logicalpagenumbers")) item->Clear();
        }
        PagesOutline()->LevelRoot();
    } else {
        TvrXMLItem* pages = RootChild("previewpages");
        TvrXMLItem* first = pages->GetItem(FFirstPageIndex);
        while (first->ItemCount() > FFirstObjectIndex) delete first->GetItem(first->ItemCount() - 1);
        while (pages->ItemCount() > FFirstPageIndex + 1) delete pages->GetItem(pages->ItemCount() - 1);
        TvrXMLItem* outline = RootChild("outline");
        while (outline->ItemCount() > FFirstOutlineIndex) delete outline->GetItem(outline->ItemCount() - 1);
        PagesOutline()->LevelRoot();
    }
    RestartLogicalPages();
    CurPage = FFirstPageIndex;
    FXMLSize = 0;
}

void TvrPreviewPages::EndRunCleanup() {
    ClearPageCache();
    for (TvrComponent* p : FSourcePages) p->SourceObject = nullptr;
    if (TvrReport* r = Report()) r->ProgressStop(ptRunning);
}

void TvrPreviewPages::NextLogicalPage() {
    if (TwoPassRunning()) return;
    ++FLogicalPageCounter;
    TvrXMLItem* item = RootChild("logicalpagenumbers")->Add();
    item->Name = "page";
    item->AttrText = "n=\"" + IntToStr(FLogicalPageCounter) + "\"";
}

void TvrPreviewPages::RestartLogicalPages() {
    if (TwoPassRunning()) return;
    TvrXMLItem* numbers = RootChild("logicalpagenumbers");
    for (int i = CurPage; i > FFirstPageIndex && i >= 0; --i) {
        if (i >= numbers->ItemCount()) continue;
        TvrXMLItem* item = numbers->GetItem(i);
        item->SetProp("t", IntToStr(FLogicalPageCounter));
        if (item->GetProp("n") == "1") break;
    }
    FLogicalPageCounter = 0;
}

Integer TvrPreviewPages::LogicalPageNumber() {
    TvrXMLItem* numbers = RootChild("logicalpagenumbers");
    if (CurPage >= 0 && CurPage < numbers->ItemCount())
        return StrToIntDef(numbers->GetItem(CurPage)->GetProp("n"), 0);
    return CurPage - FirstPage + 1;
}

Integer TvrPreviewPages::LogicalPageTotal() {
    TvrXMLItem* numbers = RootChild("logicalpagenumbers");
    if (CurPage >= 0 && CurPage < numbers->ItemCount())
        return StrToIntDef(numbers->GetItem(CurPage)->GetProp("t"), 0);
    return (Engine ? Engine->TotalPages : 0) - FirstPage;
}

// --- rebuilding pages ---

void TvrPreviewPages::ReadPageChildren(TvrXMLItem* Item, TvrComponent* Parent, bool Legacy) {
    TvrXMLSerializer serializer;
    serializer.LegacyFormat = Legacy;
    for (int i = 0; i < Item->ItemCount(); ++i) {
        TvrXMLItem* child = Item->GetItem(i);
        TvrComponent* copy = FDictionary->GetObject(child->Name);
        TvrComponent* obj;
        if (copy) {
            obj = serializer.ReadObjectText(Parent, BaseText(copy) + " " + child->AttrText);
            if (obj) obj->SetName(copy->Name());
        } else {
            obj = serializer.ReadObjectText(Parent, child->Name + " " + child->AttrText);
        }
        if (!obj) continue;
        // A picture view keeps only the number of its graphic in the picture cache.
        if (GetPropInfo(obj, "ImageIndex") && GetPropInfo(obj, "Picture")) {
            auto* picture = dynamic_cast<TPicture*>(GetObjectProp(obj, "Picture"));
            if (picture && !picture->Graphic()) {
                try {
                    FPictureCache->GetPicture(obj);
                } catch (const Exception& e) {
                    PictureFailed(obj, e.Message());
                }
            }
        }
        ReadPageChildren(child, obj, Legacy);
    }
}

TvrComponent* TvrPreviewPages::BuildPage(TvrXMLItem* Item) {
    if (!Item->IsLoaded) FXMLDoc->LoadItem(*Item);
    const String& name = Item->Name;
    // The page is freed with what was read of it when a damaged element raises.
    std::unique_ptr<TvrComponent> page;
    if (StartsText("page", name) && name.size() > 4) {
        const int index = StrToIntDef(name.substr(4), -1);
        if (index < 0 || index >= static_cast<int>(FSourcePages.size())) return nullptr;
        TvrComponent* source = FSourcePages[index];
        page.reset(dynamic_cast<TvrComponent*>(meta::ClassInfoOf(*source).CreateComponent(nullptr)));
        page->Assign(source);
        page->SetName(source->Name());
        ReadPageChildren(Item, page.get(), FLegacyFormat);
    } else {
        TvrXMLSerializer serializer;
        serializer.LegacyFormat = FLegacyFormat;
        page.reset(serializer.ReadObjectText(nullptr, name + " " + Item->AttrText));
        if (page) ReadPageChildren(Item, page.get(), FLegacyFormat);
    }
    if (page) page->AlignChildren();
    return page.release();
}

TvrComponent* TvrPreviewPages::GetPreparedPage(Integer Index) {
    if (GetPageCount() == 0 || Index < 0 || Index >= GetPageCount()) return nullptr;
    const String key = IntToStr(Index);
    if (!EngineRunning()) {
        const int i = FPageCache.IndexOf(key);
        if (i >= 0) {
            if (i > 0) FPageCache.Exchange(0, i);
            return static_cast<TvrComponent*>(FPageCache.Objects(0));
        }
    }
    TvrComponent* page = BuildPage(PageItem(Index));
    if (!page) return nullptr;
    FPageCache.InsertObject(0, key, page);
    const int limit = Report() ? Report()->PreviewOptions()->PagesInCache : 50;
    if (FPageCache.Count() > 1 && FPageCache.Count() > limit) {
        const int last = FPageCache.Count() - 1;
        const int dropped = StrToIntDef(FPageCache[last], -1);
        if (Report() && Report()->EngineOptions()->UseFileCache && dropped >= 0 && dropped < GetPageCount()) {
            TvrXMLItem* item = PageItem(dropped);
            if (item->IsUnloadable && item->IsLoaded) FXMLDoc->UnloadItem(*item);
        }
        FPageCache.Delete(last);
    }
    return page;
}

TPoint TvrPreviewPages::GetPreparedPageSize(Integer Index) {
    if (Index < 0 || Index >= GetPageCount()) return TPoint{0, 0};
    const String& name = PageItem(Index)->Name;
    if (StartsText("page", name) && name.size() > 4) {
        const int index = StrToIntDef(name.substr(4), -1);
        if (index < 0 || index >= static_cast<int>(FSourcePages.size())) return TPoint{0, 0};
        TvrComponent* src = FSourcePages[index];
        return TPoint{static_cast<int>(std::lround(src->Width())), static_cast<int>(std::lround(src->Height()))};
    }
    TvrComponent* page = GetPreparedPage(Index);
    if (!page) return TPoint{0, 0};
    return TPoint{static_cast<int>(std::lround(page->Width())), static_cast<int>(std::lround(page->Height()))};
}

// --- editing ---

void TvrPreviewPages::InsertBlankPage(Integer Index) {
    if (GetPageCount() == 0) return;
    TvrXMLItem* pages = RootChild("previewpages");
    auto* item = new TvrXMLItem;
    // The element's name is read as the source page it is drawn from: the blank page takes the
    // name of the page it goes before (the last one when it is appended).
    const int at = std::clamp(Index, 0, pages->ItemCount());
    item->Name = pages->GetItem(std::min(at, pages->ItemCount() - 1))->Name;
    pages->InsertItemAt(at, item);
    ClearPageCache();
}

void TvrPreviewPages::RemovePage(Integer Index) {
    if (GetPageCount() < 2 || Index < 0 || Index >= GetPageCount()) return;
    delete PageItem(Index);
    ClearPageCache();
}

void TvrPreviewPages::WritePageInFull(TvrComponent* Page, TvrXMLItem* Item) {
    if (!Item->IsLoaded) FXMLDoc->LoadItem(*Item);
    Item->Clear();
    TvrXMLSerializer serializer;
    serializer.WriteComponentTree(Page, true, true, Item);
    Item->IsUnloadable = false;
    Item->IsLoaded = true;
}

void TvrPreviewPages::ReplacePage(Integer Index, TvrComponent* Page) {
    if (Index < 0 || Index >= GetPageCount() || !Page) return;
    WritePageInFull(Page, PageItem(Index));
    ClearPageCache();
}

void TvrPreviewPages::AppendReport(TvrReport* Other) {
    auto* other = dynamic_cast<TvrPreviewPages*>(Other ? Other->PreparedPages() : nullptr);
    if (!other || other == this) return;
    const Integer shift = GetPageCount();
    TvrXMLItem* pages = RootChild("previewpages");
    for (Integer i = 0; i < other->GetPageCount(); ++i) {
        TvrComponent* page = other->GetPreparedPage(i);
        TvrXMLItem* item = pages->Add();
        if (page) WritePageInFull(page, item);
        else item->Name = other->PageItem(i)->Name;
    }
    TvrXMLItem* anchors = RootChild("anchors");
    TvrXMLItem* otherAnchors = other->RootChild("anchors");
    for (int i = 0; i < otherAnchors->ItemCount(); ++i) {
        TvrXMLItem* a = otherAnchors->GetItem(i);
        TvrXMLItem* item = anchors->Add();
        item->Name = "item";
        item->AttrText = vrPageItemText(a->GetProp("text"), StrToIntDef(a->GetProp("page"), 0) + shift,
                                        StrToIntDef(a->GetProp("top"), 0));
    }
    // The outline keeps its nesting; pages move by the pages before the appended report.
    std::function<void(TvrXMLItem*, TvrXMLItem*)> copyOutline = [&](TvrXMLItem* from, TvrXMLItem* to) {
        for (int i = 0; i < from->ItemCount(); ++i) {
            TvrXMLItem* src = from->GetItem(i);
            TvrXMLItem* item = to->Add();
            item->Name = "item";
            item->AttrText = vrPageItemText(src->GetProp("text"), StrToIntDef(src->GetProp("page"), 0) + shift,
                                            StrToIntDef(src->GetProp("top"), 0));
            copyOutline(src, item);
        }
    };
    copyOutline(other->RootChild("outline"), RootChild("outline"));
    ClearPageCache();
}

namespace {
String SizeText(Extended v) {
    const Extended r = std::round(v * 100) / 100;
    if (r == std::floor(r)) return IntToStr(static_cast<Int64>(r));
    return FormatFloat("0.00", r);
}

// Replaces or appends name="value" in a "ClassName attr..." text.
String SetTextProp(const String& text, const String& name, const String& value) {
    const size_t blank = text.find(' ');
    TvrXMLItem item;
    item.AttrText = blank == String::npos ? String() : text.substr(blank + 1);
    item.SetProp(name, value);
    return text.substr(0, blank) + " " + TrimLeft(item.AttrText);
}
} // namespace

void TvrPreviewPages::SetSourcePageSize(TvrComponent* ReportPage, Extended Height, Extended Width) {
    TvrComponent* copy = SourceCopyOf(ReportPage);
    if (!copy) copy = FSourcePages.empty() ? nullptr : FSourcePages.back();
    if (!copy) return;
    const Extended w = Width / fr01cm, h = Height / fr01cm;
    if (GetPropInfo(copy, "PaperSize")) {
        SetPropValue(copy, "PaperSize", Variant(256));
        SetPropValue(copy, "PaperWidth", Variant(static_cast<double>(w)));
        SetPropValue(copy, "PaperHeight", Variant(static_cast<double>(h)));
    }
    String text = BaseText(copy);
    text = SetTextProp(text, "PaperSize", "256");
    text = SetTextProp(text, "PaperWidth", SizeText(w));
    text = SetTextProp(text, "PaperHeight", SizeText(h));
    FBaseTexts[copy] = text;
}
