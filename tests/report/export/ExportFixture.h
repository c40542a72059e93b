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
