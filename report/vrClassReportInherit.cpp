// Making a report inherit from another layout file: the parent's objects come first, the former
// report's objects are merged in, and its script is joined with the parent's.
#include "classes/MetaProps.h"
#include "report/vrClass.h"
#include "report/vrInheritError.h"
#include "report/vrXMLSerializer.h"
#include "rtl/FileUtils.h"
#include "rtl/StrUtils.h"

#include <functional>

namespace {

// The comment marks of a language's block comment.
std::pair<String, String> CommentMarks(const String& language) {
    if (SameText(language, "D++Idezer") || SameText(language, "JScript")) return {"/*", "*/"};
    if (SameText(language, "VuzirUzezid")) return {"/\\", "/\\"};
    return {"{", "}"};
}

} // namespace

bool TvrReport::InheritFromFile(const String& FileName, int ClashMode) {
    if (FileName == LayoutFileName) return false;
    auto former = std::make_unique<TvrReport>(nullptr);
    former->EngineOptions()->HeadlessMode = true;
    former->EngineOptions()->NewSilentMode = simSilent;
    former->CopyFrom(this, true);
    const String formerScript = FScriptText->Text();

    const String folder = ExtractFilePath(LayoutFileName);
    const String parentName =
        !folder.empty() && StartsStr(folder, FileName) ? FileName.substr(folder.size()) : FileName;
    const bool oldReload = InternalReload;
    InternalReload = true;
    SetParentReport(parentName);
    InternalReload = oldReload;

    bool clash = false;
    for (TvrComponent* obj : former->AllObjects())
        if (!dynamic_cast<TvrPage*>(obj) && FindObject(obj->Name())) clash = true;
    bool dropDuplicates = ClashMode == 1;
    if (clash && ClashMode == 0) {
        const TvrInheritAnswer answer = vrAskInheritClash();
        if (answer == TvrInheritAnswer::Cancel) {
            SetParentReport(String());
            CopyFrom(former.get(), true);
            return false;
        }
        dropDuplicates = answer == TvrInheritAnswer::DeleteDuplicates;
    }

    const String parentScript = FScriptText->Text();
    std::vector<std::pair<String, String>> renamed; // old name, new name
    TvrXMLSerializer reader;
    reader.OwnerReport = this;
    reader.LegacyFormat = false;
    std::function<void(TvrComponent*, TvrComponent*, bool)> merge = [&](TvrComponent* source,
                                                                        TvrComponent* target, bool isReport) {
        TvrXMLSerializer writer;
        writer.OwnerReport = former.get();
        writer.WriteDefaults = !isReport;
        String props = writer.WritePropsText(source, String(), nullptr);
        reader.ReadProps(props, target);
        for (TvrComponent* child : source->Children()) {
            TvrComponent* match = FindObject(child->Name());
            if (match && dynamic_cast<TvrPage*>(child)) {
                merge(child, match, false);
                continue;
            }
            if (match && dropDuplicates) continue;
            auto* obj = static_cast<TvrComponent*>(meta::ClassInfoOf(*child).CreateComponent(target));
            if (match) {
                obj->CreateUniqueName();
                renamed.emplace_back(child->Name(), obj->Name());
                if (auto* ds = dynamic_cast<TvrDataSet*>(obj)) {
                    ds->SetUserName(obj->Name());
                    FDatasets->Add(ds);
                }
            } else {
                obj->SetName(child->Name());
            }
            merge(child, obj, false);
        }
    };
    merge(former.get(), this, true);
    FParentReport = parentName;

    const auto [open, close] = CommentMarks(ScriptLanguage);
    FScriptText->SetText(formerScript);
    FScriptText->Add(open);
    FScriptText->Add("**********Script from parent report**********");
    TStringList parentLines;
    parentLines.SetText(parentScript);
    FScriptText->AddStrings(parentLines);
    FScriptText->Add(close);
    for (int i = 0; i < FDatasets->Count(); ++i)
        FDatasets->GetItem(i)->SetDataSetName(FDatasets->GetItem(i)->DataSetName());
    // References to a renamed object follow it, wherever they were read.
    for (TvrFixupItem& f : reader.PendingReferences())
        for (const auto& [oldName, newName] : renamed)
            if (SameText(f.Reference, oldName)) f.Reference = newName;
    reader.ResolveReferences();
    return true;
}
