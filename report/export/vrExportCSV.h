// TvrCSVExport: the text of a prepared report as separated values. Each page is laid into the
// cell matrix and written when it ends: each matrix row a line, each cell a field followed by the
// separator's first character (a cell covered by a spanning object writes the whole separator),
// the line's last byte replaced by CR LF. Texts are written in the program's code page (GBK), with
// OEMCodepage in the OEM code page. The file is written under a temporary name and renamed when
// complete.
#pragma once

#include "report/export/vrExportDialog.h"
#include "report/export/vrExportMatrix.h"
#include "report/vrClassCollaborators.h"

#include <memory>

class TvrExportFile;

class TvrCSVExport : public TvrCustomExportFilter {
    ORV_META(TvrCSVExport, TvrCustomExportFilter)
    explicit TvrCSVExport(TComponent* AOwner);
    explicit TvrCSVExport(TUnlisted);
    ~TvrCSVExport() override;

    String Separator = ";";
    bool OEMCodepage = false;
    bool OpenAfterExport = false;
    bool NoSysSymbols = true; // control characters (below 32) are removed from texts
    bool ForcedQuotes = false;

    String GetDescription() override;
    int ShowModal() override;
    // False without a file name; a file that cannot be created raises EFCreateError, which the
    // export run reports.
    bool Start() override;
    void StartPage(TvrComponent* Page, Integer Index) override;
    void ExportObject(TvrComponent* Obj) override;
    void FinishPage(TvrComponent* Page, Integer Index) override;
    void Finish() override;

    // One field as written: the text in the file's code page, quoted where needed, followed by
    // the separator's first character.
    AnsiString FormatField(const String& text) const;

private:
    void Init();
    std::unique_ptr<TvrIEMatrix> FMatrix;
    std::unique_ptr<TvrExportFile> FFile;
    String FTarget;
    bool FFailed = false;
};

class TvrCSVExportDialog : public TvrExportDialog {
    ORV_META(TvrCSVExportDialog, TvrExportDialog)
    explicit TvrCSVExportDialog(TComponent* AOwner);

    TLabel* SeparatorLB = nullptr;
    TEdit* SeparatorE = nullptr;
    TCheckBox *OEMCB = nullptr, *OpenCB = nullptr;

    void Fill(TvrCSVExport& filter);
    void Apply(TvrCSVExport& filter);
};
