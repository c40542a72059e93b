// Report printing through layout files in Qr beside the program, with the data module's report
// data sets "vrDM" (master) and "vrDD" (detail), and the components the data module owns for it.
//
// The report preview window and the designer come with the report library's preview and designer;
// until then ShowLayoutReport prepares the pages (TvrReport::PrepareReport) and stops there, where
// it will show them (TvrReport::ShowReport), and DesignLayoutReport readies the report for the
// designer (TvrReport::DesignReport).
#include "app/core/DataDm.h"

#include "gridprint/PrnDbggx.h"
#include "report/export/vrDMPExport.h"
#include "report/export/vrExportCSV.h"
#include "report/export/vrExportDBF.h"
#include "report/export/vrExportHTML.h"
#include "report/export/vrExportImage.h"
#include "report/export/vrExportRTF.h"
#include "report/export/vrExportTXT.h"
#include "report/export/vrExportText.h"
#include "report/export/vrExportXML.h"
#include "report/export/vrrcExports.h"
#include "report/vrClass.h"
#include "report/vrDBSet.h"
#include "rtl/FileUtils.h"

namespace {

TvrDBDataset* NewReportDataSet(TComponent* owner, const String& name, const String& userName) {
    auto* dataSet = new TvrDBDataset(owner);
    dataSet->SetName(name);
    dataSet->SetUserName(userName);
    return dataSet;
}

// Loads the layout file (a missing file gives an empty report and no message) and binds the data.
void LoadLayoutReport(TvrReport* report, const String& file, TvrDBDataset* master, TDataSet* masterData,
                      TvrDBDataset* detail, TDataSet* detailData) {
    // The classes a layout names are registered once, before the first layout loads.
    vrStartUp();
    report->LoadFromFile(IncludeTrailingPathDelimiter(ProgramFolder()) + "Qr/" + file);
    master->SetDataSet(masterData);
    detail->SetDataSet(detailData);
}

} // namespace

void TdmData::CreatePrintComponents() {
    vrDBDataSet1 = NewReportDataSet(this, "vrDBDataSet1", "vrDM");
    vrDBDataset2 = NewReportDataSet(this, "vrDBDataset2", "vrDD");
    pDBGgrid = new TPrintDBGridGx(this);
    pDBGgrid->SetName("pDBGgrid");
    pDBGgrid->SetOptions(pghFitGridToPageWidth | pghColored | pghFitingByColWidths);
    pDBGgrid->SetUnits(MM);
    // The export texts are in the resources before any filter is made.
    vrLoadExportStrings();
    vrXMLExport1 = new TvrXMLExport(this);
    vrXMLExport1->SetName("vrXMLExport1");
    vrCSVExport1 = new TvrCSVExport(this);
    vrCSVExport1->SetName("vrCSVExport1");
    vrCSVExport1->Separator = ";";
    vrDBFExport1 = new TvrDBFExport(this);
    vrDBFExport1->SetName("vrDBFExport1");
    vrHTMLExport1 = new TvrHTMLExport(this);
    vrHTMLExport1->SetName("vrHTMLExport1");
    vrBMPExport1 = new TvrBMPExport(this);
    vrBMPExport1->SetName("vrBMPExport1");
    vrJPEGExport1 = new TvrJPEGExport(this);
    vrJPEGExport1->SetName("vrJPEGExport1");
    vrGIFExport1 = new TvrGIFExport(this);
    vrGIFExport1->SetName("vrGIFExport1");
    // Dot-matrix reports print through this one.
    vrDotMatrixExport1 = new TvrDotMatrixExport(this);
    vrDotMatrixExport1->SetName("vrDotMatrixExport1");
    vrTXTExport1 = new TvrTXTExport(this);
    vrTXTExport1->SetName("vrTXTExport1");
    vrSimpleTextExport1 = new TvrSimpleTextExport(this);
    vrSimpleTextExport1->SetName("vrSimpleTextExport1");
    vrRTFExport1 = new TvrRTFExport(this);
    vrRTFExport1->SetName("vrRTFExport1");
}

bool TdmData::ShowLayoutReport(TvrReport* report, const String& file, TDataSet* master, TDataSet* detail) {
    return ShowLayoutReport(report, file, master, detail, nullptr);
}

bool TdmData::ShowLayoutReport(TvrReport* report, const String& file, TDataSet* master, TDataSet* detail,
                               const std::function<void(TvrReport* report)>& beforePreparing) {
    LoadLayoutReport(report, file, vrDBDataSet1, master, vrDBDataset2, detail);
    if (beforePreparing) beforePreparing(report);
    return report->PrepareReport(true);
}

void TdmData::DesignLayoutReport(TvrReport* report, const String& file, TDataSet* master, TDataSet* detail) {
    LoadLayoutReport(report, file, vrDBDataSet1, master, vrDBDataset2, detail);
}
