// TvrSimpleTextExport: a prepared report as a plain text file. Each page goes through the cell
// matrix; a character size is taken from the texts found (the smallest of Width × 6 / (size ×
// longest line) and Height × 5 / (lines × size) over the objects, in report units), the texts are
// laid on a character grid of the page's size with optional ASCII frames, runs of more than two
// blank columns are squeezed to two, and the non-blank lines are written (in the program's code
// page, or the OEM code page). The file is written under a temporary name and renamed when
// complete.
#pragma once

#include "report/export/vrExportDialog.h"
#include "report/export/vrExportMatrix.h"
#include "report/vrClassCollaborators.h"

#include <memory>
#include <vector>

class TvrExportFile;

class TvrSimpleTextExport : public TvrCustomExportFilter {
    ORV_META(TvrSimpleTextExport, TvrCustomExportFilter)
    explicit TvrSimpleTextExport(TComponent* AOwner);
    explicit TvrSimpleTextExport(TUnlisted);
    ~TvrSimpleTextExport() override;

    bool PageBreaks = true;
    bool Frames = false;
    bool EmptyLines = false;
    bool OEMCodepage = false;
    bool OpenAfterExport = false;

    // The character size of the last page written (report units; 65535 when none was found).
    Extended CharWidth = 65535, CharHeight = 65535;

    String GetDescription() override;
    int ShowModal() override;
    // False without a file name; a file that cannot be created raises EFCreateError, which the
    // export run reports.
    bool Start() override;
    void StartPage(TvrComponent* Page, Integer Index) override;
    void ExportObject(TvrComponent* Obj) override;
    void FinishPage(TvrComponent* Page, Integer Index) override;
    void Finish() override;

private:
    void Init();
    void DrawObject(TvrIEMObject& obj);
    void Put(Integer col, Integer row, char c);
    std::unique_ptr<TvrIEMatrix> FMatrix;
    std::unique_ptr<TvrExportFile> FFile;
    String FTarget;
    Integer FCols = 0, FRows = 0;
    std::vector<char> FGrid;
};

class TvrSimpleTextExportDialog : public TvrExportDialog {
    ORV_META(TvrSimpleTextExportDialog, TvrExportDialog)
    explicit TvrSimpleTextExportDialog(TComponent* AOwner);

    TCheckBox *PageBreaksCB = nullptr, *FramesCB = nullptr, *EmptyLinesCB = nullptr, *OEMCB = nullptr,
              *OpenCB = nullptr;

    void Fill(TvrSimpleTextExport& filter);
    void Apply(TvrSimpleTextExport& filter);
};
