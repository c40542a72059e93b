// The picture exports' GIF writer: one bitmap as a single-image GIF89a file with a 256-colour
// global table, LZW-coded pixels in sub-blocks of 254 bytes, and the writer's comment.
#pragma once

#include "report/export/vrExportDialog.h"
#include "report/vrClassCollaborators.h"
#include "rtl/Streams.h"

#include <memory>

class TBitmap;

// The picture exports: every printable object of the chosen pages drawn on a bitmap at ImageDpi,
// a picture per page (file name + "." + page number + extension) or, without SeparateFiles, one
// tall picture of the chosen pages below each other; optionally cropped to the drawn objects.
// Sides are capped at 30000 pixels in both modes, and the pages that were cut are reported the
// report's way. Files are written under a temporary name and renamed when complete.
class TvrCustomImageExport : public TvrCustomExportFilter {
    ORV_META(TvrCustomImageExport, TvrCustomExportFilter)
    explicit TvrCustomImageExport(TComponent* AOwner);
    explicit TvrCustomImageExport(TUnlisted);
    ~TvrCustomImageExport() override;

    static constexpr int MaxSide = 30000;

    bool CropImages = false;
    bool Monochrome = false;
    int JPEGQuality = 90;
    int ImageDpi = 96;
    bool SeparateFiles = true;

    int ShowModal() override;
    // False without a file name; an ImageDpi of 0 or less raises EConvertError.
    bool Start() override;
    void StartPage(TvrComponent* Page, Integer Index) override;
    void ExportObject(TvrComponent* Obj) override;
    void FinishPage(TvrComponent* Page, Integer Index) override;
    void Finish() override;

    // Writes the finished bitmap to fileName (the format's extension already in place).
    virtual void SaveBitmap(TBitmap& bitmap, const String& fileName) = 0;
    // The format's extension (".bmp", ".jpg", ".gif").
    virtual String Extension() const = 0;

protected:
    // Crops, saves and frees the bitmap.
    void FinishBitmap();

private:
    std::unique_ptr<TBitmap> FBitmap;
    String FTarget;
    Integer FPageCount = 0;
    int FMaxX = 0, FMaxY = 0, FMinX = 0, FMinY = 0, FPageOffset = 0, FScreenDpi = 96;
    Extended FScale = 1;
    String FCutPages;
    bool FFailed = false;
    void NewBitmap(int width, int height);
    void NoteCut(int width, int height);
};

class TvrBMPExport : public TvrCustomImageExport {
    ORV_META(TvrBMPExport, TvrCustomImageExport)
    explicit TvrBMPExport(TComponent* AOwner);
    explicit TvrBMPExport(TUnlisted);
    String GetDescription() override;
    String Extension() const override { return ".bmp"; }
    void SaveBitmap(TBitmap& bitmap, const String& fileName) override;
};

class TvrJPEGExport : public TvrCustomImageExport {
    ORV_META(TvrJPEGExport, TvrCustomImageExport)
    explicit TvrJPEGExport(TComponent* AOwner);
    explicit TvrJPEGExport(TUnlisted);
    String GetDescription() override;
    String Extension() const override { return ".jpg"; }
    void SaveBitmap(TBitmap& bitmap, const String& fileName) override;
};

class TvrGIFExport : public TvrCustomImageExport {
    ORV_META(TvrGIFExport, TvrCustomImageExport)
    explicit TvrGIFExport(TComponent* AOwner);
    explicit TvrGIFExport(TUnlisted);
    String GetDescription() override;
    String Extension() const override { return ".gif"; }
    void SaveBitmap(TBitmap& bitmap, const String& fileName) override;
};

// Writes the bitmap to the stream. The bitmap is converted to 8 bits per pixel first (the
// platform's conversion with its palette) and keeps that format. Sides over 65535 pixels, which
// the format cannot hold, raise EInvalidGraphicOperation before anything is written.
void WriteGif(TStream& stream, TBitmap& bitmap);
// Writes the bitmap as a GIF file, under a temporary name renamed over the file when complete:
// a failure leaves an existing file as it was.
void SaveBitmapAsGif(const String& fileName, TBitmap& bitmap);

// The settings dialog of the picture exports. Quality is enabled for the JPEG export only,
// Mono is disabled for the GIF export. OK with a quality or resolution that is not a number
// keeps the dialog open with a message and writes nothing back.
class TvrIMGExportDialog : public TvrExportDialog {
    ORV_META(TvrIMGExportDialog, TvrExportDialog)
    explicit TvrIMGExportDialog(TComponent* AOwner);

    TCheckBox *SeparateCB = nullptr, *CropPage = nullptr, *Mono = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TLabel *Label1 = nullptr, *Label2 = nullptr;
    TEdit *Quality = nullptr, *Resolution = nullptr;

    void Fill(TvrCustomImageExport& filter);
    void Apply(TvrCustomImageExport& filter);
    bool CanClose() override;
};
