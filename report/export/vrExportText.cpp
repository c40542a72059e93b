// The plain text export: the filter, its page layout and its dialog.
#include "report/export/vrExportText.h"

#include "classes/MetaBuilder.h"
#include "report/export/vrDMPExport.h"
#include "report/export/vrExportFile.h"
#include "report/export/vrrcExports.h"
#include "report/vrRes.h"
#include "rtl/CodePage.h"

#include <algorithm>
#include <cmath>
#include <exception>

ORV_META_IMPL(TvrSimpleTextExport)
void TvrSimpleTextExport::DeclareMeta(meta::Class<TvrSimpleTextExport>& c) {
    using T = TvrSimpleTextExport;
    c.Property("PageBreaks", &T::PageBreaks, &T::PageBreaks).Default(true);
    c.Property("Frames", &T::Frames, &T::Frames).Default(false);
    c.Property("EmptyLines", &T::EmptyLines, &T::EmptyLines).Default(false);
    c.Property("OEMCodepage", &T::OEMCodepage, &T::OEMCodepage).Default(false);
    c.Property("OpenAfterExport", &T::OpenAfterExport, &T::OpenAfterExport).Default(false);
}

TvrSimpleTextExport::TvrSimpleTextExport(TComponent* AOwner) : TvrCustomExportFilter(AOwner) {
    Init();
}

TvrSimpleTextExport::TvrSimpleTextExport(TUnlisted tag) : TvrCustomExportFilter(tag) {
    Init();
}

TvrSimpleTextExport::~TvrSimpleTextExport() = default;

void TvrSimpleTextExport::Init() {
    vrLoadExportStrings();
    FilterDescription = GetResourceStringById(8801);
    DefaultExtension = GetResourceStringById(8802);
}

String TvrSimpleTextExport::GetDescription() {
    return GetResources().GetString("SimpleTextExport");
}

int TvrSimpleTextExport::ShowModal() {
    TvrSimpleTextExportDialog dialog(nullptr);
    dialog.Fill(*this);
    if (dialog.ShowModal() != mrOk) return mrCancel;
    dialog.Apply(*this);
    return dialog.ChooseFile(*this) ? mrOk : mrCancel;
}

bool TvrSimpleTextExport::Start() {
    FTarget = vrExportTarget(*this);
    if (FTarget.empty()) return false;
    // The file first: when it cannot be created nothing else is made.
    FFile = std::make_unique<TvrExportFile>(FTarget);
    FMatrix = vrNewTextMatrix(0.5L, true);
    return true;
}

void TvrSimpleTextExport::StartPage(TvrComponent*, Integer) {
    if (FMatrix) FMatrix->Clear();
    CharWidth = CharHeight = 65535;
}

void TvrSimpleTextExport::ExportObject(TvrComponent* Obj) {
    if (!FMatrix) return;
    if (auto* view = dynamic_cast<TvrView*>(Obj)) FMatrix->AddObject(view);
}

void TvrSimpleTextExport::Put(Integer col, Integer row, char c) {
    if (col >= 0 && row >= 0 && col < FCols && row < FRows)
        FGrid[static_cast<size_t>(row) * static_cast<size_t>(FCols) + static_cast<size_t>(col)] = c;
}

void TvrSimpleTextExport::DrawObject(TvrIEMObject& obj) {
    auto nearest = [](Extended v) { return static_cast<Integer>(std::nearbyint(v)); };
    const Integer x0 = nearest(obj.Left / CharWidth), y0 = nearest(obj.Top / CharHeight);
    const Integer w = nearest(obj.Width / CharWidth), h = nearest(obj.Height / CharHeight);
    const TvrIEMStyle* style = obj.CellStyle;
    for (Integer i = 0; i < obj.Lines.Count(); ++i) {
        const AnsiString bytes = vrExportBytes(WideToUtf8(obj.Lines.Strings(i)), OEMCodepage);
        AnsiString line;
        switch (style ? style->HAlign : haLeft) {
        case haRight: line = vrPadLeft(bytes, ' ', w - 1); break;
        case haCenter: line = vrCentre(bytes, w - 1); break;
        default: line = vrPadRight(bytes, ' ', w - 1); break;
        }
        for (size_t k = 0; k < line.size(); ++k) Put(x0 + static_cast<Integer>(k), y0 + i, line[k]);
    }
    if (!Frames || !style) return;
    const TvrFrameTypes& sides = style->Frame.Typ;
    if (sides.Contains(ftLeft))
        for (Integer r = y0; r < y0 + h; ++r) Put(x0 - 1, r, '|');
    if (sides.Contains(ftRight))
        for (Integer r = y0; r < y0 + h; ++r) Put(x0 + w - 2, r, '|');
    if (sides.Contains(ftTop))
        for (Integer c = x0 - 1; c <= x0 + w - 2; ++c) Put(c, y0 - 1, '-');
    if (sides.Contains(ftBottom))
        for (Integer c = x0 - 1; c <= x0 + w - 2; ++c) Put(c, y0 + h - 1, '-');
}

void TvrSimpleTextExport::FinishPage(TvrComponent* Page, Integer) {
    if (!FMatrix || !FFile || std::uncaught_exceptions() > 0) return;
    TvrIEMatrix& m = *FMatrix;
    m.Prepare();
    for (Integer i = 0; i < m.ObjectCount(); ++i) {
        TvrIEMObject* obj = m.ObjectByIndex(i);
        const int size = obj->CellStyle ? obj->CellStyle->Font()->Size() : 0;
        // A style without a font size offers no character size.
        if (size <= 0) continue;
        Integer longest = 0;
        for (Integer k = 0; k < obj->Lines.Count(); ++k)
            longest = std::max(longest, AnsiLength(WideToUtf8(obj->Lines.Strings(k))));
        Extended widthCandidate = longest > 0 ? obj->Width * 6 / (size * longest) : 0;
        if (widthCandidate < 1) widthCandidate = 1;
        if (widthCandidate < CharWidth) CharWidth = widthCandidate;
        const Integer lines = obj->Lines.Count();
        const Extended heightCandidate = lines > 0 ? obj->Height * 5 / (lines * size) : 0;
        if (heightCandidate != 0 && heightCandidate < CharHeight) CharHeight = heightCandidate;
    }
    FCols = std::max<Integer>(0, static_cast<Integer>(std::nearbyint(Page->Width() / CharWidth)));
    FRows = std::max<Integer>(0, static_cast<Integer>(std::nearbyint(Page->Height() / CharHeight)));
    FGrid.assign(static_cast<size_t>(FCols) * static_cast<size_t>(FRows), ' ');
    for (Integer r = 0; r < m.RowCount - 1; ++r)
        for (Integer c = 0; c < m.ColumnCount; ++c)
            if (TvrIEMObject* obj = m.ObjectAt(c, r)) DrawObject(*obj);

    // Runs of blank columns keep two of their columns.
    auto cell = [this](Integer col, Integer row) -> char& {
        return FGrid[static_cast<size_t>(row) * static_cast<size_t>(FCols) + static_cast<size_t>(col)];
    };
    Integer last = FCols - 1, run = 0;
    for (Integer col = 0; col < last;) {
        bool blank = true;
        for (Integer row = 0; row < FRows && blank; ++row) blank = cell(col, row) == ' ';
        if (!blank) {
            run = 0;
            ++col;
            continue;
        }
        if (++run <= 2) {
            ++col;
            continue;
        }
        for (Integer row = 0; row < FRows; ++row) {
            char* begin = &cell(0, row);
            std::move(begin + col + 1, begin + FCols, begin + col);
            begin[FCols - 1] = ' ';
        }
        --run;
        --last;
    }

    AnsiString out;
    for (Integer row = 0; row < FRows; ++row) {
        const char* begin = &cell(0, row);
        size_t length = static_cast<size_t>(FCols);
        while (length > 0 && static_cast<unsigned char>(begin[length - 1]) <= 32) --length;
        if (length > 0 || EmptyLines) {
            out.append(begin, length);
            out += "\r\n";
        }
    }
    if (PageBreaks) out += '\x0C';
    FFile->Stream().WriteBuffer(out.data(), static_cast<Int64>(out.size()));
    FGrid.clear();
}

void TvrSimpleTextExport::Finish() {
    FMatrix.reset();
    std::unique_ptr<TvrExportFile> file = std::move(FFile);
    if (!file || std::uncaught_exceptions() > 0) return;
    file->Commit();
    if (OpenAfterExport) vrOpenExportedFile(Report, FTarget);
}

// --- the dialog ----------------------------------------------------------------------------------

ORV_META_IMPL(TvrSimpleTextExportDialog)
void TvrSimpleTextExportDialog::DeclareMeta(meta::Class<TvrSimpleTextExportDialog>&) {}

TvrSimpleTextExportDialog::TvrSimpleTextExportDialog(TComponent* AOwner) : TvrExportDialog(AOwner) {
    SetName("vrSimpleTextExportDialog");
    GroupQuality = Place<TGroupBox>(nullptr, "GroupQuality", 276, 4, 200, 136);
    PageBreaksCB = Place<TCheckBox>(GroupQuality, "PageBreaksCB", 12, 20, 176, 17);
    FramesCB = Place<TCheckBox>(GroupQuality, "FramesCB", 12, 44, 176, 17);
    EmptyLinesCB = Place<TCheckBox>(GroupQuality, "EmptyLinesCB", 12, 68, 176, 17);
    OEMCB = Place<TCheckBox>(GroupQuality, "OEMCB", 12, 92, 176, 17);
    OpenCB = Place<TCheckBox>(nullptr, "OpenCB", 8, 150, 260, 17);
    const TvrResources& res = GetResources();
    SetCaption(res.GetString("8800"));
    GroupQuality->SetCaption(res.GetString("8302"));
    PageBreaksCB->SetCaption(res.GetString("6"));
    FramesCB->SetCaption(res.GetString("8312"));
    EmptyLinesCB->SetCaption(res.GetString("8305"));
    OEMCB->SetCaption(res.GetString("8304"));
    OpenCB->SetCaption(res.GetString("8706"));
    SaveDialog1->SetFilter(res.GetString("8801"));
    SaveDialog1->SetDefaultExt(res.GetString("8802"));
    FinishCreate(484, 214);
}

void TvrSimpleTextExportDialog::Fill(TvrSimpleTextExport& filter) {
    FillPageRange(filter);
    PageBreaksCB->SetChecked(filter.PageBreaks);
    FramesCB->SetChecked(filter.Frames);
    EmptyLinesCB->SetChecked(filter.EmptyLines);
    OEMCB->SetChecked(filter.OEMCodepage);
    OpenCB->SetChecked(filter.OpenAfterExport);
}

void TvrSimpleTextExportDialog::Apply(TvrSimpleTextExport& filter) {
    ReadPageRange(filter);
    filter.PageBreaks = PageBreaksCB->Checked();
    filter.Frames = FramesCB->Checked();
    filter.EmptyLines = EmptyLinesCB->Checked();
    filter.OEMCodepage = OEMCB->Checked();
    filter.OpenAfterExport = OpenCB->Checked();
}
