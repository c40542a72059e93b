// Band layout of the page workspace: bands stacked in the order of their kinds, each followed by
// its child bands, views attached to the band that holds them, dialog controls placed into the
// container control under their corner; bands first in the object list.
#include "report/designer/vrDesgnWorkspace.h"

#include <algorithm>
#include <cmath>

namespace {

struct TStackEntry {
    TvrBand* Band;
    Extended Key;
    String Label;
};

// The sort key of a horizontal band, rounded to hundredths as the engine orders bands.
Extended SortKey(TvrBand* band, bool titleBeforeHeader) {
    Extended key;
    if (dynamic_cast<TvrPageHeader*>(band))
        key = titleBeforeHeader ? 0.01 : 0;
    else if (dynamic_cast<TvrReportTitle*>(band))
        key = titleBeforeHeader ? 0 : 0.01;
    else if (dynamic_cast<TvrColumnHeader*>(band))
        key = 0.02;
    else if (dynamic_cast<TvrColumnFooter*>(band))
        key = 99999;
    else if (dynamic_cast<TvrReportSummary*>(band))
        key = 100000;
    else if (dynamic_cast<TvrPageFooter*>(band))
        key = 100001;
    else
        key = std::fabs(band->Top());
    return std::nearbyint(key * 100) / 100;
}

String GroupLabel(TvrBand* band) {
    if (dynamic_cast<TvrPageHeader*>(band) || dynamic_cast<TvrReportTitle*>(band) ||
        dynamic_cast<TvrColumnHeader*>(band))
        return "top";
    if (dynamic_cast<TvrPageFooter*>(band) || dynamic_cast<TvrReportSummary*>(band) ||
        dynamic_cast<TvrColumnFooter*>(band))
        return "bottom";
    return "middle";
}

// Sets Top with the object's restrictions lifted for this one assignment.
void SetTopUnrestricted(TvrComponent* o, Extended top) {
    const TvrRestrictions saved = o->Restrictions;
    o->Restrictions = TvrRestrictions();
    o->SetTop(top);
    o->Restrictions = saved;
}

} // namespace

void TvrDesignerWorkspace::AdjustBands(bool stick) {
    if (!Objects || !Page) return;
    auto* reportPage = dynamic_cast<TvrReportPage*>(Page);
    // 1. The horizontal bands with their keys, in key order (equal keys in list order).
    std::vector<TStackEntry> list;
    for (TvrComponent* o : *Objects)
        if (auto* band = dynamic_cast<TvrBand*>(o); band && !band->Vertical)
            list.push_back({band, SortKey(band, reportPage && reportPage->TitleBeforeHeader), String()});
    std::stable_sort(list.begin(), list.end(),
                     [](const TStackEntry& a, const TStackEntry& b) { return a.Key < b.Key; });
    auto indexOf = [&](TvrBand* band) -> std::ptrdiff_t {
        for (size_t i = 0; i < list.size(); ++i)
            if (list[i].Band == band) return static_cast<std::ptrdiff_t>(i);
        return -1;
    };
    // 2. Child bands follow their master band in chain order.
    for (std::ptrdiff_t i = 0; i < static_cast<std::ptrdiff_t>(list.size()); ++i) {
        TvrBand* child = list[i].Band->Child();
        const std::ptrdiff_t j = child ? indexOf(child) : -1;
        if (j < 0 || j == i + 1) continue;
        const TStackEntry entry = list[j];
        list.erase(list.begin() + j);
        if (j < i) --i;
        list.insert(list.begin() + i + 1, entry);
    }
    // 3. Group labels; a chain takes its master's.
    for (TStackEntry& e : list) {
        if (!e.Label.empty()) continue;
        e.Label = GroupLabel(e.Band);
        for (TvrBand* c = e.Band->Child(); c; c = c->Child()) {
            const std::ptrdiff_t j = indexOf(c);
            if (j >= 0) list[j].Label = e.Label;
        }
    }
    // 4. Stacking.
    if (!FreeBands && !list.empty()) {
        Extended groupGap = 0;
        switch (GridType) {
        case 0:
            groupGap = 40;
            break;
        case 1:
            groupGap = fr1cm;
            break;
        case 2:
            groupGap = 38.4;
            break;
        case 4:
            groupGap = fr1CharY;
            break;
        default:
            break;
        }
        list[0].Band->SetTop(vrRound8(BandHeader));
        for (size_t i = 1; i < list.size(); ++i) {
            TvrBand* prev = list[i - 1].Band;
            const String& pl = list[i - 1].Label;
            const String& tl = list[i].Label;
            const bool gap = (pl == "top" && tl != "top") || (tl == "bottom" && pl != "bottom");
            const Extended step = GridY != 0 ? GridY : 1;
            const Extended top =
                std::nearbyint((prev->Top() + prev->Height() + BandHeader + BandsGap) / step) * step + (gap ? groupGap : 0);
            list[i].Band->SetTop(vrRound8(top));
        }
    }
    // 5. Views into the bands that hold them; dialog controls into their containers.
    const TvrObjectList objects = *Objects;
    for (size_t i = 0; i < objects.size(); ++i) {
        TvrComponent* o = objects[i];
        if (auto* band = dynamic_cast<TvrBand*>(o)) {
            if (band->Vertical) continue;
            const std::vector<TvrComponent*> children = band->Children();
            for (TvrComponent* child : children) {
                SetTopUnrestricted(child, child->AbsTop());
                child->SetParent(band->Parent());
            }
            if (!stick) continue;
            const Extended top = band->Top(), bottom = band->Top() + band->Height();
            for (TvrComponent* v : objects) {
                if (!dynamic_cast<TvrView*>(v)) continue;
                const Extended abs = v->AbsTop();
                if (abs >= top - 0.0001 && abs < bottom + 0.0001) {
                    SetTopUnrestricted(v, abs - top);
                    v->SetParent(band);
                }
            }
        } else if (auto* control = dynamic_cast<TvrDialogControl*>(o)) {
            const Extended x = control->AbsLeft(), y = control->AbsTop();
            TvrComponent* container = nullptr;
            for (size_t j = i; j-- > 0;) {
                auto* c = dynamic_cast<TvrDialogControl*>(objects[j]);
                if (!c || c == control || !c->AcceptChild(control)) continue;
                const Extended l = c->AbsLeft(), t = c->AbsTop();
                if (x >= l && x < l + c->Width() && y >= t && y < t + c->Height()) {
                    container = c;
                    break;
                }
            }
            if (container) {
                if (control->Parent() != container) {
                    control->SetTop(y - container->AbsTop());
                    control->SetLeft(x - container->AbsLeft());
                    control->SetParent(container);
                }
            } else if (control->Parent() != Page) {
                control->SetTop(y);
                control->SetLeft(x);
                control->SetParent(Page);
                BringToFront();
            }
        }
    }
    // 6. Bands first.
    std::stable_partition(Objects->begin(), Objects->end(),
                          [](TvrComponent* o) { return dynamic_cast<TvrBand*>(o) != nullptr; });
}

void TvrDesignerWorkspace::FitBandToChildren(TvrBand* band) {
    if (!band) return;
    Extended maxBottom = 0, minTop = 0;
    for (TvrComponent* child : band->Children()) {
        const TvrBandAlign align = child->AlignKind();
        if (align == baBottom || align == baClient) continue;
        maxBottom = std::max(maxBottom, child->Top() + child->Height());
        minTop = std::min(minTop, child->Top());
    }
    if (band->Height() < maxBottom - minTop) band->SetHeight(maxBottom - minTop);
    if (minTop < 0)
        for (TvrComponent* child : band->Children()) child->SetTop(child->Top() - minTop);
}
