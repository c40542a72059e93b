// The report library's process-wide string resources: every caption, hint and message is looked
// up here by key or number. Tables arrive in a small XML format (root "Resources" with the
// attribute "CodePage", children "StrRes" with "Name" and "Text"); the core table is built in,
// language files (".drc" beside the program) replace the texts they hold. The manager also holds
// the button and object images of the preview, designer and wizards (unpacked on first use from
// the program's packed resources) and opens the help file at the topic of a window.
#pragma once

#include "report/vrUnicodeUtils.h"
#include "rtl/StrUtils.h"
#include "rtl/StringList.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

class TStream;
class TBitmap;
class TImageList;

// A packed resource of the program is missing.
ORV_DECLARE_EXCEPTION(EResNotFound, Exception)

// The program's packed resources: the image strips "DesgnButtons", "PreviewButtons",
// "ObjectButtons" and "WizardButtons", each a BMP file in a gzip member (vrResImagesData.cpp,
// made by tools/report_images.py).
struct TvrBuiltInResource {
    const char* Name;
    const Byte* Data;
    size_t Size;
};
extern const TvrBuiltInResource vrBuiltInResources[];
extern const int vrBuiltInResourceCount;

// The bytes of the packed resource (names compared without regard to case); EResNotFound
// "Resource <name> not found" when the program has none of that name.
std::vector<Byte> ReadProgramResource(const String& name);
// Adds or replaces a packed resource for this run (an empty one removes it, bringing back the
// built-in one of that name).
void SetProgramResource(const String& name, std::vector<Byte> data);

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

    // The image lists, filled on first use from the packed resources "DesgnButtons" (16 x 16
    // cells in pairs: the button, then its disabled form), "PreviewButtons", "ObjectButtons"
    // (16 x 16) and "WizardButtons" (32 x 32). A missing or damaged resource raises EResNotFound,
    // EZDecompressionError or the bitmap's EInvalidGraphic; the list stays empty and the next
    // call tries again.
    TImageList* GetDesignerImages();
    TImageList* GetDisabledDesignerImages();
    TImageList* GetPreviewImages();
    TImageList* GetObjectImages();
    TImageList* GetWizardImages();
    // Append the cells of the bitmap (left to right, row by row, each masked by its own
    // transparent colour), after emptying the list(s) when clearFirst is set. The designer's
    // cells go in pairs: the first of each pair to the designer images, the second to the
    // disabled ones.
    void SetDesignerImages(TBitmap* bitmap, bool clearFirst);
    void SetPreviewImages(TBitmap* bitmap, bool clearFirst);
    void SetObjectImages(TBitmap* bitmap, bool clearFirst);
    void SetWizardImages(TBitmap* bitmap, bool clearFirst);

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
    using TImageSetter = void (TvrResources::*)(TBitmap*, bool);
    // Unpacks the resource into a bitmap and hands it to the setter when list is empty.
    TImageList* FillImages(TImageList* list, const char* resource, TImageSetter setter);

    std::unique_ptr<TImageList> FDisabledDesignerImages;
    std::unique_ptr<TImageList> FDesignerImages;
    std::unique_ptr<TImageList> FObjectImages;
    std::unique_ptr<TImageList> FPreviewImages;
    std::unique_ptr<TImageList> FWizardImages;
    // Names in order without regard to case, each with the index of its text in FValues; a tree,
    // so that loading a large table does not shift a sorted list on every new name.
    struct TNameLess {
        bool operator()(const String& a, const String& b) const { return AnsiCompareText(a, b) < 0; }
    };
    std::map<String, Integer, TNameLess> FNames;
    TWideStrings FValues;
    std::unique_ptr<TStringList> FLanguages;
    Integer FCodePage = 0;
};

// The process-wide manager, created (with the core table loaded) on the first call.
TvrResources& GetResources();
// GetString of the decimal form of id.
String GetResourceStringById(Integer id);

// Replaces the help viewer and returns the one before; an empty viewer makes help do nothing.
// DesktopHelpViewer is installed from the start.
TvrHelpViewer SetHelpViewer(TvrHelpViewer viewer);
// Opens the help file with the desktop's program for it. The desktop opener takes no topic, so
// the file opens at its start. A missing help file, or no program to open it, is told to the
// user in an error box.
void DesktopHelpViewer(const String& helpFile, const String& topic);
