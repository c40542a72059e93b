// The report library's string resources, language files and help topics.
#include "report/vrRes.h"

#include "gui/Desktop.h"
#include "gui/ImgList.h"
#include "report/vrUtils.h"
#include "report/vrXML.h"
#include "rtl/CodePage.h"
#include "rtl/FileUtils.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"
#include "script/vs_iconst.h"

namespace {

TvrHelpViewer& HelpViewer() {
    static TvrHelpViewer viewer = DesktopHelpViewer;
    return viewer;
}

// The script interpreter's messages, refreshed from the resources after every table.
struct TScriptMessage {
    const char* key;
    String* text;
};

const TScriptMessage ScriptMessages[] = {
    {"SLangNotFound", &SLangNotFound},
    {"SInvalidLanguage", &SInvalidLanguage},
    {"SIdRedeclared", &SIdRedeclared},
    {"SUnknownType", &SUnknownType},
    {"SIncompatibleTypes", &SIncompatibleTypes},
    {"SIdUndeclared", &SIdUndeclared},
    {"SClassRequired", &SClassRequired},
    {"SIndexRequired", &SIndexRequired},
    {"SStringError", &SStringError},
    {"SClassError", &SClassError},
    {"SArrayRequired", &SArrayRequired},
    {"SVarRequired", &SVarRequired},
    {"SNotEnoughParams", &SNotEnoughParams},
    {"STooManyParams", &STooManyParams},
    {"SLeftCantAssigned", &SLeftCantAssigned},
    {"SForError", &SForError},
    {"SEventError", &SEventError},
};

struct THelpTopic {
    const char* className;
    const char* topic;
};

const THelpTopic HelpTopics[] = {
    {"TvrDesignerForm", "Designer.htm"},
    {"TvrOptionsEditor", "Designer_options.htm"},
    {"TvrReportEditorForm", "Report_options.htm"},
    {"TvrPageEditorForm", "Page_options.htm"},
    {"TvrCrossEditorForm", "Cross_tab_reports.htm"},
    {"TvrChartEditorForm", "Diagrams.htm"},
    {"TvrSyntaxMemo", "Script.htm"},
    {"TvrDialogPage", "Dialogue_forms.htm"},
    {"TvrDialogComponent", "Data_access_components.htm"},
    {"TvrVarEditorForm", "Variables.htm"},
    {"TvrHighlightEditorForm", "Conditional_highlighting.htm"},
    {"TvrSysMemoEditorForm", "Inserting_aggregate_function.htm"},
    {"TvrFormatEditorForm", "Values_formatting.htm"},
    {"TvrGroupEditorForm", "Report_with_groups.htm"},
    {"TvrPictureEditorForm", "Picture_object.htm"},
    {"TvrMemoEditorForm", "Text_object.htm"},
    {"TvrSQLEditorForm", "TvrADOQuery.htm"},
};

String WithoutBang(const String& s) {
    return (!s.empty() && s[0] == '!') ? s.substr(1) : s;
}

} // namespace

TvrResources::TvrResources()
    : FDisabledDesignerImages(std::make_unique<TImageList>(16, 16)),
      FDesignerImages(std::make_unique<TImageList>(16, 16)),
      FObjectImages(std::make_unique<TImageList>(16, 16)),
      FPreviewImages(std::make_unique<TImageList>(16, 16)),
      FWizardImages(std::make_unique<TImageList>(32, 32)), FLanguages(std::make_unique<TStringList>()) {
    FLanguages->SetSorted(true);
    FLanguages->SetDuplicates(TDuplicates::dupAccept);
    ListLanguages();
}

TvrResources::~TvrResources() = default;

String TvrResources::GetString(const String& key) const {
    const auto found = FNames.find(key);
    if (found == FNames.end()) return WithoutBang(key);
    String text = WideToUtf8(FValues.Strings(found->second));
    // Texts are handed out as they read in the manager's code page: what it lacks becomes "?".
    const Integer codePage = FCodePage == 0 ? DefaultAnsiCodePage() : FCodePage;
    if (codePage != CP_UTF8 && IsCodePageSupported(codePage))
        text = ConvertFromCodePage(ConvertToCodePage(text, codePage), codePage);
    return WithoutBang(text);
}

void TvrResources::AddWideString(const String& key, const WideString& text) {
    const auto found = FNames.find(key);
    if (found != FNames.end()) {
        FValues.SetStrings(found->second, text);
        return;
    }
    FNames.emplace(key, FValues.Add(text));
}

void TvrResources::AddAnsiString(const String& key, const String& text) {
    AddWideString(key, Utf8ToWide(text));
}

void TvrResources::LoadFromStream(TStream& stream) {
    TvrXMLDocument doc;
    doc.LoadFromStream(stream);
    const TvrXMLItem* root = doc.RootItem();
    if (root->Name == "Resources") {
        FCodePage = StrToInt(root->GetProp("CodePage"));
        for (int i = 0; i < root->ItemCount(); ++i) {
            const TvrXMLItem* item = root->GetItem(i);
            if (item->Name != "StrRes") continue;
            // Texts are escaped twice in tables: the XML layer undoes one, this the other.
            AddWideString(item->GetProp("Name"), Utf8ToWide(UnescapeXMLText(item->GetProp("Text"))));
        }
    }
    PushScriptMessages();
}

void TvrResources::LoadFromXMLString(const String& xml) {
    TStringStream stream(xml);
    LoadFromStream(stream);
}

void TvrResources::LoadFromFile(const String& fileName) {
    if (!FileExists(fileName)) return;
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TvrResources::PushScriptMessages() const {
    for (const TScriptMessage& m : ScriptMessages)
        *m.text = GetString(m.key);
}

void TvrResources::ListLanguages() {
    FLanguages->Clear();
    for (const String& file : FindFiles(ProgramFolder(), "*.drc")) {
        String name = AnsiLowerCase(file);
        name.erase(name.find(".drc"), 4);
        FLanguages->Add(AnsiUpperCase(LeftStr(name, 1)) + MidStr(name, 2, Utf8Length(name)));
    }
}

String TvrResources::HelpTopic(const String& className) {
    for (const THelpTopic& t : HelpTopics)
        if (SameText(className, t.className)) return t.topic;
    return String();
}

String TvrResources::HelpPath(const TObject* component) const {
    String path = ProgramFolder() + HelpFile;
    const String topic = component ? HelpTopic(component->ClassName()) : String();
    if (!topic.empty()) path += "::/" + topic;
    return path;
}

void TvrResources::OpenHelpTopic(const TObject* component) const {
    const TvrHelpViewer& viewer = HelpViewer();
    if (!viewer) return;
    viewer(ProgramFolder() + HelpFile, component ? HelpTopic(component->ClassName()) : String());
}

TvrResources& GetResources() {
    static std::unique_ptr<TvrResources> resources = [] {
        auto r = std::make_unique<TvrResources>();
        r->LoadFromXMLString(vrCoreResourceTable);
        return r;
    }();
    return *resources;
}

String GetResourceStringById(Integer id) {
    return GetResources().GetString(IntToStr(id));
}

TvrHelpViewer SetHelpViewer(TvrHelpViewer viewer) {
    TvrHelpViewer previous = std::move(HelpViewer());
    HelpViewer() = std::move(viewer);
    return previous;
}

void DesktopHelpViewer(const String& helpFile, const String& topic) {
    (void)topic; // the desktop opener shows a file, not a place in it
    if (!FileExists(helpFile)) {
        ShowErrorMessage("找不到帮助文件 " + helpFile);
        return;
    }
    if (!ShellOpen(helpFile)) ShowErrorMessage("没有可以打开帮助文件的程序: " + helpFile);
}
