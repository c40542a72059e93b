// TvrDBFExport: the text of a prepared report as one dBASE III table. All chosen pages are
// stacked in the cell matrix; every matrix column becomes a character field of 255 bytes, every
// matrix row a record. Texts are written in the program's code page (GBK), with OEMCodepage in
// the OEM code page, cut at 255 bytes without splitting a character. A table holds at most 256
// fields (its record length stays within 65535 bytes); a wider one is refused. The file is
// written under a temporary name and renamed when complete.
#pragma once

#include "report/export/vrExportDialog.h"
#include "report/export/vrExportMatrix.h"
#include "report/vrClassCollaborators.h"
#include "rtl/StringList.h"

#include <memory>

class TvrExportFile;
class TMemo;
class TOpenDialog;

class TvrDBFExport : public TvrCustomExportFilter {
    ORV_META(TvrDBFExport, TvrCustomExportFilter)
    explicit TvrDBFExport(TComponent* AOwner);
    explicit TvrDBFExport(TUnlisted);
    ~TvrDBFExport() override;

    bool OEMCodepage = false;
    bool OpenAfterExport = false;
    const String& FieldPrefix() const { return FFieldPrefix; }
    // Keeps the first 6 characters.
    void SetFieldPrefix(const String& value);
    TStringList* FieldNames() const { return FFieldNames.get(); }
    // Copies the list; nullptr clears it.
    void SetFieldNames(TStringList* value);

    String GetDescription() override;
    int ShowModal() override;
    // False without a file name; a file that cannot be created raises EFCreateError, which the
    // export run reports.
    bool Start() override;
    void ExportObject(TvrComponent* Obj) override;
    void FinishPage(TvrComponent* Page, Integer Index) override;
    // Raises EvrDBFTooWide (nothing written) when the table would need more than 256 fields.
    void Finish() override;

    // The name of field k (0-based) as written: the list's line or prefix + (k + 1), GBK, at most
    // 10 bytes without splitting a character.
    AnsiString FieldName(Integer k) const;
    // The most fields a table can have: its record length 1 + 255 × fields stays within 65535.
    static constexpr Integer MaxFields = 256;

private:
    void Init();
    void WriteTable(TStream& stream);
    std::unique_ptr<TvrIEMatrix> FMatrix;
    std::unique_ptr<TvrExportFile> FFile;
    std::unique_ptr<TStringList> FFieldNames;
    String FFieldPrefix;
    String FTarget;
};

ORV_DECLARE_EXCEPTION(EvrDBFTooWide, Exception)

class TvrDBFExportDialog : public TvrExportDialog {
    ORV_META(TvrDBFExportDialog, TvrExportDialog)
    explicit TvrDBFExportDialog(TComponent* AOwner);

    TCheckBox *OEMCB = nullptr, *OpenCB = nullptr;
    TGroupBox* gbFNames = nullptr;
    TRadioButton *rbFNAuto = nullptr, *rbFNManual = nullptr;
    TMemo* mmFN = nullptr;
    TButton* btFNLoad = nullptr;
    TOpenDialog* odFN = nullptr;

    void Fill(TvrDBFExport& filter);
    void Apply(TvrDBFExport& filter);
    // Picks a file and loads its lines into the memo; a failure shows "Failed to load the file".
    void LoadNames();
};
