// The report library's process-wide string resources: every caption, hint and message is looked
// up here by key or number. Tables arrive in a small XML format (root "Resources" with the
// attribute "CodePage", children "StrRes" with "Name" and "Text"); the core table is built in,
// language files (".drc" beside the program) replace the texts they hold. The manager also opens
// the help file at the topic of a window.
#pragma once

#include "report/vrUnicodeUtils.h"
#include "rtl/StringList.h"

#include <functional>
#include <memory>

class TStream;

// The built-in core table, loaded when the manager is created.
extern const char* const vrCoreResourceTable;

// Shows help: the full name of the help file and the topic in it (empty for its start page).
using TvrHelpViewer = std::function<void(const String& helpFile, const String& topic)>;

class TvrResources : public TObject {
public:
    TvrResources();
    ~TvrResources() override;
    String ClassName() const override { return "TvrResources"; }

    // The text of the key (UTF-8) as it reads in the manager's code page; a key that no table
    // holds gives the key itself. A leading "!" is removed in either case.
    String GetString(const String& key) const;
    // Stores a text under the key, replacing an existing one.
    void AddWideString(const String& key, const WideString& text);
    // Stores a text of the system (UTF-8) under the key, replacing an existing one.
    void AddAnsiString(const String& key, const String& text);

    // Reads one table, then sets the script interpreter's 17 message texts from the resources
    // (a key no table holds leaves the message equal to its key). A "CodePage" that is no integer raises
    // EConvertError and loads no text; malformed XML raises TvrInvalidXMLException. A root other than
    // "Resources" loads nothing.
    void LoadFromStream(TStream& stream);
    void LoadFromXMLString(const String& xml);
    // Loads a language file; a file that does not exist is ignored.
    void LoadFromFile(const String& fileName);

    // Code page in which texts are handed out; 0 is the program's ANSI code page.
    Integer CodePage() const { return FCodePage; }

    // Language names from the ".drc" files of the program folder ("ENGLISH.DRC" gives
    // "English"), sorted; listed when the manager is created.
    const TStringList& Languages() const { return *FLanguages; }
    // Help file name relative to the program folder (the runtime's ProgramFolder).
    String HelpFile = "DODade.chm";

    // The topic of a window class ("TvrDesignerForm" gives "Designer.htm"), empty for others.
    static String HelpTopic(const String& className);
    // The help path as the help viewer of the platform takes it: folder + help file, and
    // "::/" + topic when the component's class has one.
    String HelpPath(const TObject* component) const;
    // Opens the help file at the topic of the component's class (or at its start).
    void OpenHelpTopic(const TObject* component) const;
    void ShowHelp(const TObject* component) const { OpenHelpTopic(component); }

private:
    void ListLanguages();
    void PushScriptMessages() const;

    std::unique_ptr<TStringList> FNames; // sorted, case-blind; object = index into FValues
    TWideStrings FValues;
    std::unique_ptr<TStringList> FLanguages;
    Integer FCodePage = 0;
};

// The process-wide manager, created (with the core table loaded) on the first call.
TvrResources& GetResources();
// GetString of the decimal form of id.
String GetResourceStringById(Integer id);

// Replaces the help viewer; without one, help does nothing. The platform's desktop opener is
// installed here once it is available.
void SetHelpViewer(TvrHelpViewer viewer);
