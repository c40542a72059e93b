// The registry of what data set classes do for the grid in their own way. The product registers
// nothing, so every grid uses its own search, sorting and find dialog.
#include "grid/DBGridGxFilter.h"

#include "classes/Meta.h"
#include "rtl/StrUtils.h"

bool TDataSetCapabilitiesGx::LocateText(TCustomDBGridGx*, const String&, const String&, int, int, int, int) {
    return false;
}
bool TDataSetCapabilitiesGx::MoveRecords(TCustomDBGridGx*, TDataSet*, TStrings*, int, int, bool) {
    return false;
}
void TDataSetCapabilitiesGx::ApplySorting(TCustomDBGridGx*, TDataSet*, bool) {}
void TDataSetCapabilitiesGx::ApplyFilter(TCustomDBGridGx*, TDataSet*, bool) {}
void TDataSetCapabilitiesGx::ExecuteFindDialog(TCustomDBGridGx*, const String&, const String&, bool) {}

TDataSetCapabilitiesGx* TDatasetFeaturesRegistryGx::Register(std::unique_ptr<TDataSetCapabilitiesGx> Entry) {
    FEntries.push_back(std::move(Entry));
    return FEntries.back().get();
}

void TDatasetFeaturesRegistryGx::Unregister(TDataSetCapabilitiesGx* Entry) {
    std::erase_if(FEntries, [&](const auto& e) { return e.get() == Entry; });
}

TDatasetFeaturesRegistryGx& DatasetFeaturesRegistry() {
    static TDatasetFeaturesRegistryGx registry;
    return registry;
}

TDataSetCapabilitiesGx* FindDatasetFeaturesForClass(const meta::TClassInfo* Class) {
    TDataSetCapabilitiesGx* best = nullptr;
    int bestDistance = 0;
    TDatasetFeaturesRegistryGx& r = DatasetFeaturesRegistry();
    for (int i = 0; i < r.Count(); ++i) {
        String name = UpperCase(r.EntryAt(i)->DataSetClassName);
        int distance = 0;
        for (const meta::TClassInfo* c = Class; c; c = c->Parent(), ++distance) {
            if (UpperCase(c->Name()) != name) continue;
            if (!best || distance < bestDistance) {
                best = r.EntryAt(i);
                bestDistance = distance;
            }
            break;
        }
    }
    return best;
}

TDataSetCapabilitiesGx* FindDatasetFeatures(const TDataSet* DataSet) {
    return DataSet ? FindDatasetFeaturesForClass(DataSet->ClassInfo()) : nullptr;
}
