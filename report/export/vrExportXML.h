// TvrXMLExport: the prepared report as one spreadsheet in the XML format of the 2003 office
// suite (SpreadsheetML): a style per cell style of the matrix, worksheets cut as Split says,
// merged cells for objects that span several cells, numbers as numeric cells, row page breaks,
// and the margins and orientation of the first page. Written under a temporary name and renamed
// when complete; with OpenExcelAfterExport the desktop's program opens it.
#pragma once

#include "report/export/vrExportDialog.h"
#include "report/export/vrExportMatrix.h"
#include "report/vrClassCollaborators.h"

#include <memory>
#include <vector>

class TvrExportFile;
class TvrProgress;

enum TvrSplitToSheet { ssNotSplit, ssRPages, ssPrintOnPrev, ssRowsCount };
ORV_ENUM(TvrSplitToSheet, ssNotSplit, ssRPages, ssPrintOnPrev, ssRowsCount)

class TvrXMLExport : public TvrCustomExportFilter {
    ORV_META(TvrXMLExport, TvrCustomExportFilter)
    explicit TvrXMLExport(TComponent* AOwner);
    explicit TvrXMLExport(TUnlisted);
    ~TvrXMLExport() override;

    bool ExportStyles = true;
    bool ExportPageBreaks = true;
    bool OpenExcelAfterExport = false;
    bool Wysiwyg = true;
    bool Background = true;
    String Creator = "ZezuDerevu";
    bool EmptyLines = true;
    TvrSplitToSheet Split = ssNotSplit;
    Integer RowsCount() const { return FRowsCount; }
    // Above 0 also sets Split to ssRowsCount; 0 or less stores 0 and sets ssNotSplit.
    void SetRowsCount(Integer value);

    String GetDescription() override;
    int ShowModal() override;
    bool Start() override;
    void StartPage(TvrComponent* Page, Integer Index) override;
    void ExportObject(TvrComponent* Obj) override;
    void FinishPage(TvrComponent* Page, Integer Index) override;
    void Finish() override;

    // The matrix between Start and Finish (tests read it).
    TvrIEMatrix* Matrix() const { return FMatrix.get(); }
    // The text of a cell as written into the document (mended and escaped as the writer does):
    // the Data element with its type.
    String DataElement(const TvrIEMObject& obj) const;
    // A number format of the report ("%2.2f") as the spreadsheet's ("0.00").
    static String ConvertNumberFormat(const String& format);
    // A text for an XML element or attribute: &, <, >, " escaped, characters XML forbids dropped.
    static String EscapeText(const String& text);
    // A cell's string: as EscapeText, with CR LF as "&#10;", lone LF dropped and the digits after
    // a line break written as character references.
    static String EscapeCell(const String& text);

private:
    void Init();
    void WriteDocument(TvrExportFile& file);
    String SheetName(const String& raw, Integer q);

    std::unique_ptr<TvrIEMatrix> FMatrix;
    String FTarget;
    bool FFirstPage = false;
    bool FPageBreaks = false;
    Extended FLeftMargin = 0, FTopMargin = 0, FRightMargin = 0, FBottomMargin = 0;
    TPrinterOrientation FOrientation = poPortrait;
    Integer FRowsCount = 0;
    std::vector<String> FSheetNames;
};

class TvrXMLExportDialog : public TvrExportDialog {
    ORV_META(TvrXMLExportDialog, TvrExportDialog)
    explicit TvrXMLExportDialog(TComponent* AOwner);

    TCheckBox *ContinuousCB = nullptr, *PageBreaksCB = nullptr, *WCB = nullptr, *BackgrCB = nullptr;
    TCheckBox* OpenExcelCB = nullptr;
    TGroupBox* SplitToSheetGB = nullptr;
    TRadioButton *NotSplitRB = nullptr, *RPagesRB = nullptr, *PrintOnPrevRB = nullptr, *RowsCountRB = nullptr;
    TEdit* ERows = nullptr;

    void Fill(TvrXMLExport& filter);
    // After OK: the filter's settings from the controls.
    void Apply(TvrXMLExport& filter);
    // A rows count that is no number keeps the dialog open with a message.
    bool CanClose() override;
};
