// TvrRTFExport: a prepared report as one RTF document. The cell matrix lays the objects of all
// pages out in rows and columns; each matrix row becomes a table row whose cells carry the texts
// (font, colour, borders, fill, vertical alignment, markup) or the pictures as embedded
// metafiles. Pages become sections with their sizes and margins; page header and footer bands may
// become the document's header and footer. The document is written in Finish, under a temporary
// name, and renamed when complete.
#pragma once

#include "report/export/vrExportDialog.h"
#include "report/export/vrExportMatrix.h"
#include "report/vrClassCollaborators.h"

#include <memory>
#include <vector>

class TComboBox;

enum TvrHeaderFooterMode { hfText, hfPrint, hfNone };
ORV_ENUM(TvrHeaderFooterMode, hfText, hfPrint, hfNone)

// A text as RTF writes it: "\", "{" and "}" escaped, a CR before an LF that is not the last
// character preceded by "\line", code units from 128 as "\u" + signed decimal + "\'3f".
String vrRTFEncode(const WideString& text);
// The escaping part alone (UTF-16 in, UTF-16 out).
WideString vrRTFEscape(const WideString& text);

class TvrRTFExport : public TvrCustomExportFilter {
    ORV_META(TvrRTFExport, TvrCustomExportFilter)
    explicit TvrRTFExport(TComponent* AOwner);
    explicit TvrRTFExport(TUnlisted);
    ~TvrRTFExport() override;

    bool ExportEMF = true;
    bool ExportPageBreaks = true;
    bool ExportPictures = true;
    bool OpenAfterExport = false;
    bool Wysiwyg = true;
    String Creator = "ZezuDerevu";
    TvrHeaderFooterMode HeaderFooterMode = hfText;
    bool AutoSize = false;

    String GetDescription() override;
    int ShowModal() override;
    bool Start() override;
    void ExportObject(TvrComponent* Obj) override;
    void FinishPage(TvrComponent* Page, Integer Index) override;
    void Finish() override;

private:
    enum TPass { passHeader, passFooter, passBody };
    void Init();
    void WriteDocument(TStream& out);
    Integer ColorIndex(TColor color);
    Integer FontIndex(const String& name, Integer charset);
    String SectionProperties(Integer page) const;
    String Borders(const TvrIEMStyle& style);
    String TextCell(TvrIEMObject& obj, Extended rowHeight);
    String PictureCell(TvrIEMObject& obj);
    bool PassTakes(TPass pass, const TvrIEMObject& obj) const;

    std::unique_ptr<TvrIEMatrix> FMatrix;
    String FTarget;
    std::vector<String> FFonts;
    std::vector<Integer> FCharsets;
    std::vector<String> FColors;
    Integer FCurrentPage = 0;
    Extended FFactor = 15.0;
};

class TvrRTFExportDialog : public TvrExportDialog {
    ORV_META(TvrRTFExportDialog, TvrExportDialog)
    explicit TvrRTFExportDialog(TComponent* AOwner);

    TLabel* HeadFootL = nullptr;
    TComboBox* PColontitulCB = nullptr;
    TCheckBox *WCB = nullptr, *PageBreaksCB = nullptr, *PicturesCB = nullptr, *ContinuousCB = nullptr,
              *OpenCB = nullptr;

    void Fill(TvrRTFExport& filter);
    void Apply(TvrRTFExport& filter);
};
