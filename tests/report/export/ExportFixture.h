// Test tools of the exports: free-standing text objects for the matrix, and a report built in
// code and prepared by the engine: two named pages, a framed title over three columns, rows of
// house, owner and amount, a two-line note, a picture, a rotated text and a text with "&", "<",
// ";" and a quotation mark.
#pragma once

#include "TempDir.h"
#include "report/vrClass.h"
#include "report/vrClassObjects.h"
#include "report/vrPreviewPages.h"

#include <memory>
#include <vector>

// Objects without parent: their absolute position is their own.
class TLooseObjects {
public:
    TvrMemoView* Memo(Extended left, Extended top, Extended width, Extended height, const String& text = "x");
    template <class T> T* Add(Extended left, Extended top, Extended width, Extended height) {
        auto* obj = new T(nullptr);
        obj->SetBounds(left, top, width, height);
        FObjects.emplace_back(obj);
        return obj;
    }

private:
    std::vector<std::unique_ptr<TvrComponent>> FObjects;
};

// The sample report: page "Houses" and page "Notes" (A4, 10 mm margins), errors re-thrown.
class TExportReport {
public:
    TExportReport();
    ~TExportReport();
    TvrReport Report{nullptr};
    TvrPreviewPages* Pages() const { return static_cast<TvrPreviewPages*>(Report.PreparedPages()); }
    // Builds and prepares the sample layout.
    void BuildSample();
    // A page with one title band holding rows × cols text objects "r<row>c<col>" of 100 × 20.
    TvrReportPage* AddGridPage(const String& name, Integer rows, Integer cols);
    void Prepare();
};

// Runs a program and returns its exit status; its output goes to output when given.
int RunProgram(const String& commandLine, String* output = nullptr);
// The python interpreter of the system, whose packages the package list installs.
String SystemPython();

// Exports the report through the filter without its dialog and progress into file; the
// report's Export result.
bool ExportWithoutDialog(TvrReport& report, TvrCustomExportFilter& filter, const String& file);

// Pages built by hand (not prepared: several may share a name) and driven through a filter in
// the order of the export run.
struct TTextSpec {
    Extended Left = 0, Top = 0, Width = 100, Height = 20;
    String Text;
};
class THandPages {
public:
    THandPages();
    ~THandPages();
    // A4, 10 mm margins; one band holding the texts (positions within the band).
    TvrReportPage* AddPage(const String& name, const std::vector<TTextSpec>& texts);
    // A page of rows × cols texts "r<row>c<col>", 100 × 20 each.
    TvrReportPage* AddGridPage(const String& name, Integer rows, Integer cols);
    // The texts of the last page added, in order.
    std::vector<TvrMemoView*> Texts;
    // Runs the filter over the pages: Start (false ends it), per page StartPage, ExportObject for
    // the band and each text, FinishPage; then Finish. Returns Start's result.
    bool Drive(TvrCustomExportFilter& filter, const String& file);
    TvrReport Report{nullptr};

private:
    std::vector<std::unique_ptr<TvrReportPage>> FPages;
};
