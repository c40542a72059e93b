// The object tree of report layouts: construction, parents and children, names, geometry, the
// font cascade, copying and streaming through the layout serializer.
#include "classes/MetaBuilder.h"
#include "report/vrClass.h"
#include "report/vrRes.h"
#include "report/vrXMLSerializer.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <mutex>
#include <set>

bool vrDiffers(Extended a, Extended b) {
    return std::fabs(static_cast<double>(a - b)) > 0.0001;
}

Extended vrRound8(Extended value) {
    return std::nearbyint(static_cast<double>(value * 100000000.0L)) / 100000000.0L;
}

namespace {

// With a TvrComponent owner, the owner's report owns the object (none without a report).
TComponent* PlatformOwnerFor(TComponent* owner) {
    if (auto* c = dynamic_cast<TvrComponent*>(owner)) return c->GetReport();
    return owner;
}

String DefaultNamePrefix(const String& className) {
    String s = className;
    size_t p = s.find("Tvr");
    if (p != String::npos) s.erase(p, 3);
    p = s.find("View");
    if (p != String::npos) s.erase(p, 4);
    return s;
}

} // namespace

ORV_META_IMPL(TvrComponent)
void TvrComponent::DeclareMeta(meta::Class<TvrComponent>&) {}

TvrComponent::TvrComponent(TComponent* AOwner) : TComponent(PlatformOwnerFor(AOwner)) {
    Flags = TvrObjectFlags{ofPreviewCopy};
    FFont = std::make_unique<TFont>();
    FFont->SetName("Arial");
    FFont->SetSize(10);
    FFont->SetColor(0);
    FFont->SetCharset(DEFAULT_CHARSET);
    FFont->OnChange = [this](TObject* sender) { FontChangedEvent(sender); };
    FVisible = true;
    SetParentFont(true);
    if (auto* c = dynamic_cast<TvrComponent*>(AOwner)) SetParent(c);
}

TvrComponent::~TvrComponent() {
    SetParent(nullptr);
    // Children that the platform owner does not free (objects of no report) go with their parent.
    std::vector<TvrComponent*> children;
    children.swap(FChildren);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        (*it)->FParent = nullptr;
        delete *it;
    }
    FFont->OnChange = nullptr;
}

void TvrComponent::SetParent(TvrComponent* Value) {
    if (Value == FParent) return;
    // A parent among the object's own descendants would cut the branch off in a ring.
    for (TvrComponent* p = Value; p; p = p->FParent)
        if (p == this) throw EComponentError("A report object cannot be its own parent or one of its objects' child");
    if (FParent) {
        auto& list = FParent->FChildren;
        for (auto it = list.begin(); it != list.end(); ++it)
            if (*it == this) {
                list.erase(it);
                break;
            }
    }
    FParent = Value;
    if (FParent) {
        FParent->FChildren.push_back(this);
        SetParentFont(FParentFont);
    }
}

void TvrComponent::MoveChild(TvrComponent* Child, int Index) {
    auto it = std::find(FChildren.begin(), FChildren.end(), Child);
    if (it == FChildren.end()) return;
    FChildren.erase(it);
    if (Index < 0 || Index > static_cast<int>(FChildren.size())) Index = static_cast<int>(FChildren.size());
    FChildren.insert(FChildren.begin() + Index, Child);
}

std::vector<TvrComponent*> TvrComponent::AllObjects() const {
    std::vector<TvrComponent*> result;
    // Depth-first pre-order: each child, then its children.
    std::function<void(const TvrComponent*)> walk = [&](const TvrComponent* o) {
        for (TvrComponent* c : o->FChildren) {
            result.push_back(c);
            walk(c);
        }
    };
    walk(this);
    return result;
}

TvrComponent* TvrComponent::FindObject(const String& AName) const {
    for (TvrComponent* c : FChildren) {
        if (SameText(c->Name(), AName)) return c;
        if (TvrComponent* found = c->FindObject(AName)) return found;
    }
    return nullptr;
}

TvrReport* TvrComponent::GetReport() const {
    for (const TvrComponent* c = this; c; c = c->FParent)
        if (auto* r = dynamic_cast<const TvrReport*>(c)) return const_cast<TvrReport*>(r);
    return nullptr;
}

TvrPage* TvrComponent::Page() const {
    for (const TvrComponent* c = this; c; c = c->FParent)
        if (auto* p = dynamic_cast<const TvrPage*>(c)) return const_cast<TvrPage*>(p);
    return nullptr;
}

void TvrComponent::SetLeft(Extended Value) {
    if (InDesigner && Restrictions.Contains(rfDontMove)) return;
    FLeft = Value;
}

void TvrComponent::SetTop(Extended Value) {
    if (InDesigner && Restrictions.Contains(rfDontMove)) return;
    FTop = Value;
}

void TvrComponent::SetWidth(Extended Value) {
    if (InDesigner && Restrictions.Contains(rfDontSize)) return;
    FWidth = Value;
}

void TvrComponent::SetHeight(Extended Value) {
    if (InDesigner && Restrictions.Contains(rfDontSize)) return;
    FHeight = Value;
}

void TvrComponent::SetBounds(Extended ALeft, Extended ATop, Extended AWidth, Extended AHeight) {
    SetLeft(ALeft);
    SetTop(ATop);
    SetWidth(AWidth);
    SetHeight(AHeight);
}

Extended TvrComponent::AbsLeft() const {
    if (!FParent || !FParent->AddsPositionToChildren()) return FLeft;
    return FLeft + FParent->AbsLeft();
}

Extended TvrComponent::AbsTop() const {
    if (!FParent || !FParent->AddsPositionToChildren()) return FTop;
    return FTop + FParent->AbsTop();
}

void TvrComponent::SetFont(const TFont* Value) {
    if (Value) FFont->Assign(*Value);
    FParentFont = false;
}

void TvrComponent::SetParentFont(bool Value) {
    if (Value && FParent) FFont->Assign(*FParent->FFont);
    FParentFont = Value;
}

void TvrComponent::FontChangedEvent(TObject*) {
    FontChanged();
}

void TvrComponent::FontChanged() {
    FParentFont = false;
    for (TvrComponent* c : FChildren)
        if (c->FParentFont) c->SetParentFont(true);
}

void TvrComponent::SetVisible(bool Value) {
    FVisible = Value;
}

void TvrComponent::SetName(const String& NewName) {
    if (SameText(NewName, Name())) return;
    if (!NewName.empty()) {
        if (TvrReport* report = GetReport()) {
            // An object the report owns is checked by the report's ValidateRename, which
            // raises the same error.
            TvrComponent* other = Owner() == report ? nullptr : report->FindObject(NewName);
            if (other && other != this) throw EComponentError(GetResources().GetString("prDupl"));
            if (IsInherited())
                throw EComponentError("Could not rename " + Name() + ", it was introduced in the ancestor report");
        }
    }
    TComponent::SetName(NewName);
}

void TvrComponent::CreateUniqueName() {
    std::set<String> names;
    const TvrComponent* scope = GetReport();
    if (!scope) scope = FParent;
    if (scope)
        for (TvrComponent* c : scope->AllObjects())
            names.insert(UpperCase(c->Name()));
    const String prefix = NamePrefix.empty() ? DefaultNamePrefix(ClassName()) : NamePrefix;
    for (int n = 1;; ++n) {
        const String candidate = prefix + IntToStr(n);
        if (!names.count(UpperCase(candidate))) {
            SetName(candidate);
            return;
        }
    }
}

bool TvrComponent::IsInherited() const {
    return FromAncestor || ComponentState().Contains(csAncestor);
}

bool TvrComponent::LoadingState() const {
    return InLoading || ComponentState().Contains(csLoading);
}

void TvrComponent::CopyFrom(TvrComponent* Source, bool KeepClassNames) {
    TMemoryStream stream;
    Source->SaveToStream(stream, true, true, KeepClassNames);
    stream.SetPosition(0);
    LoadFromStream(stream);
}

void TvrComponent::Assign(const TPersistent* Source) {
    auto* source = dynamic_cast<const TvrComponent*>(Source);
    if (!source) {
        TComponent::Assign(Source);
        return;
    }
    TMemoryStream stream;
    const_cast<TvrComponent*>(source)->SaveToStream(stream, false, true, false);
    stream.SetPosition(0);
    LoadFromStream(stream);
}

TvrDataSet* TvrComponent::FindDataSet(TvrDataSet* Current, const String& AName) const {
    TvrReport* report = GetReport();
    if (!report || report->EngineOptions()->LookupGlobalDataSets)
        return FindGlobalDataSet(Current, AName, report);
    TvrDataSetItem* item = report->AllowedDataSets()->FindByName(AName);
    return item ? item->DataSet() : nullptr;
}

String TvrComponent::GetDescription() const {
    return ClassName();
}

void TvrComponent::Clear() {
    std::vector<TvrComponent*> children = FChildren;
    for (TvrComponent* c : children) {
        if (c->IsInherited())
            c->Clear();
        else
            delete c;
    }
}

void TvrComponent::LoadFromStream(TStream& Stream) {
    Clear();
    TvrReport* report = GetReport();
    TvrXMLSerializer serializer(&Stream);
    serializer.OwnerReport = report ? static_cast<TComponent*>(report) : this;
    std::unique_lock<std::recursive_mutex> lock(LoadingLock(), std::defer_lock);
    if (report && report->EngineOptions()->HeadlessMode) lock.lock();
    if (report) report->CurrentSerializer = &serializer;
    try {
        serializer.ReadComponentTree(this, nullptr);
    } catch (...) {
        if (report) {
            report->CurrentSerializer = nullptr;
            report->ErrorList()->AddStrings(serializer.ErrorList());
        }
        throw;
    }
    LoadedLegacyFormat = serializer.LegacyFormat;
    if (report) {
        report->CurrentSerializer = nullptr;
        report->ErrorList()->AddStrings(serializer.ErrorList());
    }
}

void TvrComponent::SaveToStream(TStream& Stream, bool SaveChildren, bool SaveDefaultValues, bool KeepClassNames) {
    TvrReport* report = GetReport();
    TvrXMLSerializer serializer(&Stream);
    serializer.OwnerReport = report ? static_cast<TComponent*>(report) : this;
    serializer.WriteDefaults = SaveDefaultValues;
    serializer.WriteComponentTree(this, SaveChildren, KeepClassNames, nullptr);
}

namespace {
String BoolText(bool b) {
    return b ? "True" : "False";
}
String Attr(const String& name, const String& value) {
    return " " + name + "=\"" + value + "\"";
}
} // namespace

String TvrComponent::Diff(TvrComponent* Template) {
    String s;
    if (vrDiffers(FLeft, Template->FLeft)) s += Attr("l", FloatToStr(FLeft));
    if (IsBand() || vrDiffers(FTop, Template->FTop)) s += Attr("t", FloatToStr(FTop));
    if (!HasAutoWidth() && vrDiffers(FWidth, Template->FWidth)) s += Attr("w", FloatToStr(FWidth));
    if (vrDiffers(FHeight, Template->FHeight)) s += Attr("h", FloatToStr(FHeight));
    if (FVisible != Template->FVisible) s += Attr("Visible", BoolText(FVisible));
    if (!FParentFont) {
        const TFont& f = *FFont;
        const TFont& t = *Template->FFont;
        if (f.Name() != t.Name()) s += Attr("Font.Name", EscapeXMLText(f.Name()));
        if (f.Size() != t.Size()) s += Attr("Font.Size", IntToStr(f.Size()));
        if (f.Color() != t.Color()) s += Attr("Font.Color", IntToStr(f.Color()));
        if (f.Style() != t.Style()) s += Attr("Font.Style", IntToStr(static_cast<Int64>(f.Style().Bits())));
        if (f.Charset() != t.Charset()) s += Attr("Font.Charset", IntToStr(f.Charset()));
    }
    if (FParentFont != Template->FParentFont) s += Attr("ParentFont", BoolText(FParentFont));
    if (Tag() != Template->Tag()) s += Attr("Tag", IntToStr(Tag()));
    return s;
}

void TvrComponent::AlignChildren() {
    struct TEntry {
        String Key;
        TvrComponent* Obj;
    };
    std::vector<TEntry> sorted;
    for (TvrComponent* c : FChildren) {
        if (!c->TakesPartInAlignment()) continue;
        const Extended l = c->Left();
        const String key = l >= 0 ? "1" + Format("%9.2f", {static_cast<double>(l)})
                                  : "0" + Format("%9.2f", {static_cast<double>(-l)});
        // Among equal keys a later child goes before the earlier ones.
        auto pos = sorted.begin();
        while (pos != sorted.end() && CompareStr(pos->Key, key) < 0)
            ++pos;
        sorted.insert(pos, TEntry{key, c});
    }
    auto overlapsVertically = [](TvrComponent* a, TvrComponent* b) {
        return !(a->AbsTop() >= b->AbsTop() + b->Height() - 0.0001 ||
                 b->AbsTop() >= a->AbsTop() + a->Height() - 0.0001);
    };
    const int n = static_cast<int>(sorted.size());
    for (int i = 0; i < n; ++i) {
        TvrComponent* c = sorted[static_cast<size_t>(i)].Obj;
        const TvrBandAlign a = c->AlignKind();
        if (a != baLeft && a != baWidth) continue;
        TvrComponent* neighbour = nullptr;
        for (int j = i - 1; j >= 0; --j) {
            TvrComponent* o = sorted[static_cast<size_t>(j)].Obj;
            if (!overlapsVertically(c, o)) continue;
            if (a == baWidth && o->Left() > c->Left()) continue;
            neighbour = o;
            break;
        }
        c->SetLeft(neighbour ? neighbour->Left() + neighbour->Width() : 0);
    }
    for (int i = n - 1; i >= 0; --i) {
        TvrComponent* c = sorted[static_cast<size_t>(i)].Obj;
        const TvrBandAlign a = c->AlignKind();
        if (a != baRight && a != baWidth) continue;
        TvrComponent* neighbour = nullptr;
        for (int j = i + 1; j < n; ++j) {
            TvrComponent* o = sorted[static_cast<size_t>(j)].Obj;
            if (!overlapsVertically(c, o)) continue;
            if (a == baWidth && o->Left() + o->Width() < c->Left() + c->Width()) continue;
            neighbour = o;
            break;
        }
        const Extended edge = neighbour ? neighbour->Left() : Width();
        if (a == baRight)
            c->SetLeft(edge - c->Width());
        else
            c->SetWidth(edge - c->Left());
    }
    for (TvrComponent* c : FChildren) {
        if (!c->TakesPartInAlignment()) continue;
        switch (c->AlignKind()) {
        case baCenter:
            c->SetLeft((Width() - c->Width()) / 2);
            break;
        case baBottom:
            c->SetTop(Height() - c->Height());
            break;
        case baClient:
            c->SetLeft(0);
            c->SetTop(0);
            c->SetWidth(Width());
            c->SetHeight(Height());
            break;
        default:
            break;
        }
    }
}

void TvrComponent::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove) {
        if (AComponent == SourceObject) SourceObject = nullptr;
        if (AComponent == SourceBand) SourceBand = nullptr;
    }
}

// --- TvrReportComponent -----------------------------------------------------------------------

ORV_META_IMPL(TvrReportComponent)
void TvrReportComponent::DeclareMeta(meta::Class<TvrReportComponent>& c) {
    c.Property("Description", &TvrReportComponent::Description, &TvrReportComponent::Description);
}

TvrReportComponent::TvrReportComponent(TComponent* AOwner) : TvrComponent(AOwner) {}
TvrReportComponent::~TvrReportComponent() = default;

void TvrReportComponent::Draw(TCanvas*, Extended, Extended, Extended, Extended) {
    throw EAbstractError("Abstract Error");
}

void TvrReportComponent::BeforePrint() {
    SavedBounds = TvrBounds{Left(), Top(), Width(), Height()};
}

void TvrReportComponent::AfterPrint() {
    SetBounds(SavedBounds.Left, SavedBounds.Top, SavedBounds.Width, SavedBounds.Height);
}

TvrFloatRect TvrReportComponent::GetRealBounds() const {
    return MakeFloatRect(AbsLeft(), AbsTop(), AbsLeft() + Width(), AbsTop() + Height());
}
