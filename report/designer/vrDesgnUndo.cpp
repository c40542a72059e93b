// Snapshots for undo and redo, and the designer clipboard's element text.
#include "report/designer/vrDesgnUndo.h"

#include "gui/Clipbrd.h"
#include "gui/Graphic.h"
#include "gui/Picture.h"
#include "report/designer/vrDesgnHost.h"
#include "report/vrClassBand.h"
#include "report/vrClassDialogPage.h"
#include "report/vrClassLine.h"
#include "report/vrClassMemo.h"
#include "report/vrClassPage.h"
#include "report/vrClassPicture.h"
#include "report/vrClassReport.h"
#include "report/vrDMPClass.h"
#include "report/vrXML.h"
#include "report/vrXMLSerializer.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StringList.h"

#include <algorithm>

namespace {

std::vector<TvrPictureView*> PictureViews(TvrComponent* root) {
    std::vector<TvrPictureView*> views;
    if (auto* self = dynamic_cast<TvrPictureView*>(root)) views.push_back(self);
    for (TvrComponent* o : root->AllObjects())
        if (auto* view = dynamic_cast<TvrPictureView*>(o)) views.push_back(view);
    return views;
}

bool HasPicture(TvrPictureView* view) {
    TGraphic* g = view->Picture()->Graphic();
    return g && !g->Empty();
}

// A picture that is not in the cache yet goes there, so that its number stands for it.
void EnsureCached(TvrPictureView* view, TvrPictureCache* cache) {
    if (!cache || !HasPicture(view)) return;
    if (view->ImageIndex < 1 || view->ImageIndex > cache->Count()) view->ImageIndex = cache->AddPicture(view->Picture());
}

// Switches picture views to write their picture number instead of their picture until the guard
// goes.
class TPictureNumbers {
public:
    TPictureNumbers(std::vector<TvrPictureView*> views, TvrPictureCache* cache) : FViews(std::move(views)) {
        for (TvrPictureView* v : FViews) {
            FSaved.push_back({v->IsPictureStored, v->IsImageIndexStored});
            EnsureCached(v, cache);
            v->IsPictureStored = false;
            v->IsImageIndexStored = true;
        }
    }
    ~TPictureNumbers() {
        for (size_t i = 0; i < FViews.size(); ++i) {
            FViews[i]->IsPictureStored = FSaved[i].first;
            FViews[i]->IsImageIndexStored = FSaved[i].second;
        }
    }
    TPictureNumbers(const TPictureNumbers&) = delete;
    TPictureNumbers& operator=(const TPictureNumbers&) = delete;

private:
    std::vector<TvrPictureView*> FViews;
    std::vector<std::pair<bool, bool>> FSaved;
};

// A snapshot keeps only the bytes it holds: the doubling the stream grew by while it was written
// is given back.
class TSnapshotStream : public TMemoryStream {
public:
    // Room for about the size the last snapshot had, so writing does not grow step by step.
    void Expect(Int64 bytes) {
        if (bytes > 0) ReserveBlock(bytes + bytes / 16);
    }
    // Gives back what is more than a fifth over the bytes held.
    void Trim() {
        if (Capacity() * 5 > Size() * 6) ReserveBlock(Size());
    }
};

} // namespace

// --- undo buffer -------------------------------------------------------------------------------------

TvrUndoBuffer::TvrUndoBuffer(TvrPictureCache* PictureCache) : FPictureCache(PictureCache) {}

TvrUndoBuffer::~TvrUndoBuffer() {
    ClearUndo();
    ClearRedo();
}

std::unique_ptr<TMemoryStream> TvrUndoBuffer::Snapshot(TvrComponent* component) {
    auto stream = std::make_unique<TSnapshotStream>();
    if (!FUndoList.empty()) stream->Expect(FUndoList.back()->Size());
    {
        TPictureNumbers numbers(PictureViews(component), FPictureCache);
        component->SaveToStream(*stream);
    }
    stream->Trim();
    return stream;
}

void TvrUndoBuffer::Load(TMemoryStream& stream, TvrComponent* component) {
    stream.SetPosition(0);
    if (auto* report = dynamic_cast<TvrReport*>(component)) {
        report->InternalReload = true;
        TScopeExit reloaded([report] { report->InternalReload = false; });
        report->LoadFromStream(stream);
    } else
        component->LoadFromStream(stream);
    if (FPictureCache)
        for (TvrPictureView* view : PictureViews(component)) FPictureCache->GetPicture(view);
}

void TvrUndoBuffer::AddUndo(TvrComponent* component) { FUndoList.push_back(Snapshot(component)); }

void TvrUndoBuffer::AddRedo(TvrComponent* component) { FRedoList.push_back(Snapshot(component)); }

void TvrUndoBuffer::Undo(TvrComponent* component) {
    Load(*FUndoList[FUndoList.size() - 2], component);
    FUndoList.pop_back();
}

void TvrUndoBuffer::Redo(TvrComponent* component) {
    Load(*FRedoList.back(), component);
    FRedoList.pop_back();
}

void TvrUndoBuffer::ClearUndo() { FUndoList.clear(); }

void TvrUndoBuffer::ClearRedo() { FRedoList.clear(); }

Int64 TvrUndoBuffer::SnapshotBytes() const {
    Int64 bytes = 0;
    for (const auto& s : FUndoList) bytes += s->Capacity();
    for (const auto& s : FRedoList) bytes += s->Capacity();
    return bytes;
}

String TvrUndoBuffer::UndoText(int index) const {
    TMemoryStream& s = *FUndoList.at(static_cast<size_t>(index));
    return String(reinterpret_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
}

// --- clipboard ---------------------------------------------------------------------------------------

namespace {

bool IsSingleBand(const TvrComponent* o) {
    return dynamic_cast<const TvrReportTitle*>(o) || dynamic_cast<const TvrReportSummary*>(o) ||
           dynamic_cast<const TvrPageHeader*>(o) || dynamic_cast<const TvrPageFooter*>(o) ||
           dynamic_cast<const TvrColumnHeader*>(o) || dynamic_cast<const TvrColumnFooter*>(o);
}

bool IsDotMatrixObject(const TvrComponent* o) {
    return dynamic_cast<const TvrDMPMemoView*>(o) || dynamic_cast<const TvrDMPLineView*>(o) ||
           dynamic_cast<const TvrDMPCommand*>(o);
}

bool Accepted(const TvrComponent* o, const TvrComponent* page) {
    // Pages and reports are no objects of a page, whatever text the clipboard holds.
    if (!dynamic_cast<const TvrReportComponent*>(o)) return false;
    const bool control = dynamic_cast<const TvrDialogControl*>(o) != nullptr;
    const bool dialogComponent = dynamic_cast<const TvrDialogComponent*>(o) != nullptr;
    const bool band = dynamic_cast<const TvrBand*>(o) != nullptr;
    const bool dotMatrix = IsDotMatrixObject(o);
    const bool reportPage = dynamic_cast<const TvrReportPage*>(page) != nullptr;
    const bool dotMatrixPage = dynamic_cast<const TvrDMPPage*>(page) != nullptr;
    if (control && reportPage) return false;
    if (!control && !dialogComponent && dynamic_cast<const TvrDialogPage*>(page)) return false;
    if (dotMatrix && !dotMatrixPage) return false;
    if (!band && !dotMatrix && dotMatrixPage) return false;
    if (dynamic_cast<const TvrDataPage*>(page))
        return dynamic_cast<const TvrCustomLineView*>(o) || dynamic_cast<const TvrCustomMemoView*>(o) ||
               dynamic_cast<const TvrShapeView*>(o) || dialogComponent;
    return true;
}

// The attribute text without its Name attribute, which the paste decides on itself.
String WithoutName(const String& attrText, String& name) {
    size_t at = 0;
    while ((at = attrText.find("Name=\"", at)) != String::npos) {
        if (at == 0 || attrText[at - 1] == ' ') {
            const size_t end = attrText.find('"', at + 6);
            if (end == String::npos) throw TvrInvalidXMLException();
            name = UnescapeXMLText(attrText.substr(at + 6, end - at - 6));
            return attrText.substr(0, at) + attrText.substr(end + 1);
        }
        at += 6;
    }
    return attrText;
}

} // namespace

TvrClipboard::TvrClipboard(TvrDesignerHost* Designer)
    : FDesigner(Designer), FPictureCache(Designer ? Designer->PictureCache() : nullptr) {}

String TvrClipboard::CopyText() {
    String text = String(vrClipboardHeader) + "\n\r";
    TvrComponent* page = FDesigner->Page();
    if (!page) return text;
    const TvrObjectList& selection = FDesigner->DesignerSelection;
    auto selected = [&](const TvrComponent* o) {
        return std::find(selection.begin(), selection.end(), o) != selection.end();
    };
    Extended minLeft = 100000, minTop = 100000;
    for (TvrComponent* o : selection) {
        if (o == page || dynamic_cast<TvrReport*>(o)) continue;
        minLeft = std::min(minLeft, o->AbsLeft());
        minTop = std::min(minTop, o->AbsTop());
    }
    TvrReport* report = FDesigner->Report();
    auto write = [&](TvrComponent* o) {
        std::vector<TvrPictureView*> own;
        if (auto* view = dynamic_cast<TvrPictureView*>(o)) own.push_back(view);
        std::unique_ptr<TvrComponent> copy;
        {
            TPictureNumbers numbers(own, FPictureCache);
            copy.reset(dynamic_cast<TvrComponent*>(meta::ClassInfoOf(*o).CreateComponent(page)));
            if (!copy) return;
            copy->Assign(o);
        }
        if (auto* view = dynamic_cast<TvrPictureView*>(copy.get())) {
            view->IsPictureStored = false;
            view->IsImageIndexStored = true;
        }
        copy->SetLeft(copy->Left() - minLeft);
        copy->SetTop(o->AbsTop() - minTop);
        TvrXMLSerializer serializer;
        serializer.OwnerReport = report;
        text += "<" + o->ClassName() + " Name=\"" + EscapeXMLText(o->Name()) + "\"" +
                serializer.WritePropsText(copy.get(), String(), nullptr) + "/>";
    };
    for (TvrComponent* o : page->AllObjects()) {
        if (!selected(o)) continue;
        write(o);
        if (!dynamic_cast<TvrBand*>(o)) continue;
        const auto& children = o->Children();
        if (std::none_of(children.begin(), children.end(), selected))
            for (TvrComponent* child : children) write(child);
    }
    return text;
}

void TvrClipboard::Copy() { Clipboard()->SetAsText(CopyText()); }

bool TvrClipboard::PasteAvailable() const {
    try {
        TClipboard* c = Clipboard();
        if (!c->HasFormat(CF_UNICODETEXT) && !c->HasFormat(CF_TEXT)) return false;
        return c->AsText().rfind(vrClipboardHeader, 0) == 0;
    } catch (...) {
        return false;
    }
}

void TvrClipboard::Paste() { PasteText(Clipboard()->AsText()); }

void TvrClipboard::PasteText(const String& text) {
    TvrObjectList& selection = FDesigner->DesignerSelection;
    TvrComponent* page = FDesigner->Page();
    TvrReport* report = FDesigner->Report();
    selection.clear();
    auto finish = [&] {
        if (selection.empty() && page) selection.push_back(page);
    };
    TScopeExit emptySelection(finish);
    if (!page || !report) return;

    TStringList lines;
    lines.SetText(text);
    if (lines.Count() > 0) lines.Delete(0);
    TMemoryStream stream;
    for (int i = 0; i < lines.Count(); ++i) {
        const String line = lines[i] + "\r\n";
        stream.Write(line.data(), static_cast<Int64>(line.size()));
    }
    stream.SetPosition(0);

    std::vector<TvrBand*> pastedBands;
    for (;;) {
        String name, attrText;
        {
            TvrXMLReader reader(stream);
            if (!reader.ReadTag(name, attrText)) break;
        }
        if (!attrText.empty() && attrText.back() == '/') attrText.pop_back();
        String objectName;
        attrText = WithoutName(attrText, objectName);
        TvrXMLSerializer serializer;
        serializer.OwnerReport = report;
        // The clipboard carries the platform's Unicode text, not the local code page.
        serializer.LegacyFormat = false;
        std::unique_ptr<TvrComponent> object(serializer.ReadObjectText(report, name + " " + attrText));
        if (!object) break;

        if (IsSingleBand(object.get())) {
            const auto all = page->AllObjects();
            if (std::any_of(all.begin(), all.end(), [&](TvrComponent* o) {
                    return o != object.get() && &meta::ClassInfoOf(*o) == &meta::ClassInfoOf(*object);
                }))
                continue;
        }
        if (!Accepted(object.get(), page)) continue;
        if (auto* view = dynamic_cast<TvrPictureView*>(object.get()); view && FPictureCache)
            FPictureCache->GetPicture(view);
        TvrComponent* parent = page;
        if (!dynamic_cast<TvrBand*>(object.get())) {
            const Extended top = object->Top();
            for (TvrBand* band : pastedBands)
                if (band->Top() <= top && top < band->Top() + band->Height()) parent = band;
        }
        object->SetParent(parent);
        if (parent != page) object->SetTop(object->Top() - parent->Top());
        const bool taken = FDesigner->PreviewDesigner() ? report->FindObject(objectName) != nullptr
                                                        : report->FindOwnedComponent(objectName) != nullptr;
        if (objectName.empty() || taken)
            object->CreateUniqueName();
        else
            object->SetName(objectName);
        object->GroupIndex = 0;
        TvrComponent* pasted = object.release();
        if (auto* band = dynamic_cast<TvrBand*>(pasted)) pastedBands.push_back(band);
        FDesigner->DesignerObjects.push_back(pasted);
        if (parent == page) selection.push_back(pasted);
        pasted->AfterPaste();
    }
}
