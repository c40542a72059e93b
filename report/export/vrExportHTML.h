// TvrHTMLExport: a prepared report as HTML 4.01 pages. The pages are laid into the cell matrix
// and written as one table per report page, with a CSS class per cell style, pictures as files
// beside the page, links between pages, and optionally a file per page and a frameset with a page
// navigator. Texts are UTF-8. Page files are written under a temporary name and renamed when
// complete, so a failed export never leaves a half-written page over an old one.
#pragma once

#include "report/export/vrExportDialog.h"
#include "report/export/vrExportMatrix.h"
#include "report/vrClassCollaborators.h"
#include "rtl/StringList.h"

#include <memory>

class TBitmap;
class TvrExportFile;

class TvrHTMLExport : public TvrCustomExportFilter {
    ORV_META(TvrHTMLExport, TvrCustomExportFilter)
    explicit TvrHTMLExport(TComponent* AOwner);
    explicit TvrHTMLExport(TUnlisted);
    ~TvrHTMLExport() override;

    bool OpenAfterExport = false;
    bool FixedWidth = true;
    bool ExportPictures = true;
    bool PicsInSameFolder = false;
    bool ExportStyles = true;
    bool Navigator = false;
    bool Multipage = false;
    bool MozillaFrames = false; // kept in the settings only
    bool AbsLinks = false;
    bool Background = false;
    bool Centered = false;
    bool EmptyLines = true;
    String URLTarget;
    bool Print = false;

    // Pictures as JPEG (true clears UseGif) or GIF (true clears UseJpeg); neither: BMP.
    bool UseJpeg() const { return FUseJpeg; }
    void SetUseJpeg(bool value);
    bool UseGif() const { return FUseGif; }
    void SetUseGif(bool value);

    // The lines written before the title, right after the body tag, and last.
    TStrings* HTMLDocumentBegin() const { return FBegin.get(); }
    TStrings* HTMLDocumentBody() const { return FBody.get(); }
    TStrings* HTMLDocumentEnd() const { return FEnd.get(); }

    String GetDescription() override;
    int ShowModal() override;
    bool Start() override;
    void StartPage(TvrComponent* Page, Integer Index) override;
    void ExportObject(TvrComponent* Obj) override;
    void FinishPage(TvrComponent* Page, Integer Index) override;
    void Finish() override;

    // A cell text as written: "&" as "&amp;", a quotation mark as "&quot;", CR LF as "<br>", lone
    // LF dropped, trimmed, "&nbsp;" when empty. With markup not allowed "<" and ">" are escaped too.
    static String EscapeText(const String& utf8, bool markup);
    // An attribute value: "&", "<", ">" and the quotation mark escaped.
    static String EscapeAttribute(const String& utf8);
    // Letters and digits kept, every other byte as "%" and two upper-case hexadecimal digits.
    static String UrlEncode(const String& utf8);
    // The folder pictures, page files and side pages go to (ends with "/"; with PicsInSameFolder
    // the output name's stem and "." instead).
    const String& PictureFolder() const { return FPicFolder; }

private:
    void Init();
    // Writes one page body; false when the progress window's Cancel stopped it.
    bool WriteBody(TStream& out, bool singleFile);
    String SavePicture(TBitmap& bitmap, const String& stem);
    String ReportTitle() const;
    void Fail(const String& text);
    bool FUseJpeg = true, FUseGif = false;
    std::unique_ptr<TStringList> FBegin, FBody, FEnd;
    std::unique_ptr<TvrIEMatrix> FMatrix;
    std::unique_ptr<TBitmap> FBackground;
    bool FHasBackground = false;
    Integer FPageCount = 0, FPicCount = 0;
    String FTarget, FPicFolder, FLinkPrefix, FFramePrefix, FStem, FFolder;
    bool FFailed = false;
};

class TvrHTMLExportDialog : public TvrExportDialog {
    ORV_META(TvrHTMLExportDialog, TvrExportDialog)
    explicit TvrHTMLExportDialog(TComponent* AOwner);

    TCheckBox *StylesCB = nullptr, *PicsSameCB = nullptr, *FixWidthCB = nullptr, *NavigatorCB = nullptr,
              *MultipageCB = nullptr, *BackgrCB = nullptr, *OpenAfterCB = nullptr;
    TLabel* PicturesL = nullptr;
    TComboBox* PFormatCB = nullptr;

    void Fill(TvrHTMLExport& filter);
    void Apply(TvrHTMLExport& filter);
};
