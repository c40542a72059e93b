// The separated-values export: the filter, its writer and its dialog.
#include "report/export/vrExportCSV.h"

#include "classes/MetaBuilder.h"
#include "report/export/vrExportFile.h"
#include "report/export/vrrcExports.h"
#include "report/vrRes.h"
#include "rtl/CodePage.h"

#include <exception>

ORV_META_IMPL(TvrCSVExport)
void TvrCSVExport::DeclareMeta(meta::Class<TvrCSVExport>& c) {
    using T = TvrCSVExport;
    c.Property("Separator", &T::Separator, &T::Separator);
    c.Property("OEMCodepage", &T::OEMCodepage, &T::OEMCodepage).Default(false);
    c.Property("OpenAfterExport", &T::OpenAfterExport, &T::OpenAfterExport).Default(false);
    c.Property("NoSysSymbols", &T::NoSysSymbols, &T::NoSysSymbols).Default(true);
    c.Property("ForcedQuotes", &T::ForcedQuotes, &T::ForcedQuotes).Default(false);
}

TvrCSVExport::TvrCSVExport(TComponent* AOwner) : TvrCustomExportFilter(AOwner) {
    Init();
}

TvrCSVExport::TvrCSVExport(TUnlisted tag) : TvrCustomExportFilter(tag) {
    Init();
}

TvrCSVExport::~TvrCSVExport() = default;

void TvrCSVExport::Init() {
    vrLoadExportStrings();
    FilterDescription = GetResourceStringById(8851);
    DefaultExtension = GetResourceStringById(8852);
}

String TvrCSVExport::GetDescription() {
    return GetResources().GetString("CSVExport");
}

int TvrCSVExport::ShowModal() {
    TvrCSVExportDialog dialog(nullptr);
    dialog.Fill(*this);
    if (dialog.ShowModal() != mrOk) return mrCancel;
    dialog.Apply(*this);
    return dialog.ChooseFile(*this) ? mrOk : mrCancel;
}

bool TvrCSVExport::Start() {
    FTarget = vrExportTarget(*this);
    if (FTarget.empty()) return false;
    // The file first: when it cannot be created nothing else is made.
    FFile = std::make_unique<TvrExportFile>(FTarget);
    FMatrix = vrNewTextMatrix(0.5L, true);
    return true;
}

void TvrCSVExport::StartPage(TvrComponent*, Integer) {
    if (FMatrix) FMatrix->Clear();
}

void TvrCSVExport::ExportObject(TvrComponent* Obj) {
    if (!FMatrix) return;
    if (auto* view = dynamic_cast<TvrView*>(Obj)) FMatrix->AddObject(view);
}

AnsiString TvrCSVExport::FormatField(const String& utf8) const {
    const AnsiString separator = AnsiFromUtf8(Separator);
    const char s = separator.empty() ? ';' : separator[0];
    if (utf8.empty()) return String(1, s);
    AnsiString text = vrExportBytes(utf8, OEMCodepage);
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
    if (NoSysSymbols) {
        AnsiString kept;
        kept.reserve(text.size());
        for (const char c : text)
            if (static_cast<unsigned char>(c) >= 32) kept += c;
        text.swap(kept);
        if (text.empty()) return String(1, s);
    }
    bool quote = false;
    for (const char c : text)
        if ((c >= 1 && c <= 31) || c == '"' || c == s) {
            quote = true;
            break;
        }
    if (quote) {
        AnsiString q = "\"";
        for (const char c : text) {
            if (c == '"') q += '"';
            q += c;
        }
        return q + "\"" + s;
    }
    if (ForcedQuotes) return "\"" + text + "\"" + s;
    return text + s;
}

void TvrCSVExport::FinishPage(TvrComponent*, Integer) {
    // While an error passes, the page is not written: the export ends without a file.
    if (!FMatrix || !FFile || std::uncaught_exceptions() > 0) return;
    TvrIEMatrix& m = *FMatrix;
    m.Prepare();
    const AnsiString separator = AnsiFromUtf8(Separator);
    AnsiString out;
    for (Integer r = 0; r < m.RowCount - 1; ++r) {
        bool wrote = false;
        for (Integer c = 0; c < m.ColumnCount; ++c) {
            TvrIEMObject* obj = m.ObjectAt(c, r);
            if (!obj) continue;
            if (obj->Written) {
                out += separator;
            } else {
                out += FormatField(obj->Text());
                obj->Written = 1;
            }
            wrote = true;
        }
        if (wrote && !out.empty()) out.pop_back();
        out += "\r\n";
    }
    FFile->Stream().WriteBuffer(out.data(), static_cast<Int64>(out.size()));
}

void TvrCSVExport::Finish() {
    FMatrix.reset();
    std::unique_ptr<TvrExportFile> file = std::move(FFile);
    // A failed export keeps the old file: the temporary one goes with the writer.
    if (!file || std::uncaught_exceptions() > 0) return;
    file->Commit();
    if (OpenAfterExport) vrOpenExportedFile(Report, FTarget);
}

// --- the dialog ----------------------------------------------------------------------------------

ORV_META_IMPL(TvrCSVExportDialog)
void TvrCSVExportDialog::DeclareMeta(meta::Class<TvrCSVExportDialog>&) {}

TvrCSVExportDialog::TvrCSVExportDialog(TComponent* AOwner) : TvrExportDialog(AOwner) {
    SetName("vrCSVExportDialog");
    GroupQuality = Place<TGroupBox>(nullptr, "GroupQuality", 276, 4, 200, 136);
    SeparatorLB = Place<TLabel>(GroupQuality, "SeparatorLB", 12, 24, 60, 13);
    SeparatorE = Place<TEdit>(GroupQuality, "SeparatorE", 80, 20, 60, 21);
    OEMCB = Place<TCheckBox>(GroupQuality, "OEMCB", 12, 52, 176, 17);
    OpenCB = Place<TCheckBox>(nullptr, "OpenCB", 8, 150, 260, 17);
    const TvrResources& res = GetResources();
    SetCaption(res.GetString("8850"));
    GroupQuality->SetCaption(res.GetString("8302"));
    SeparatorLB->SetCaption(res.GetString("8853"));
    OEMCB->SetCaption(res.GetString("8304"));
    OpenCB->SetCaption(res.GetString("8706"));
    SaveDialog1->SetFilter(res.GetString("8851"));
    SaveDialog1->SetDefaultExt(res.GetString("8852"));
    FinishCreate(484, 214);
}

void TvrCSVExportDialog::Fill(TvrCSVExport& filter) {
    FillPageRange(filter);
    OpenCB->SetChecked(filter.OpenAfterExport);
    OEMCB->SetChecked(filter.OEMCodepage);
    SeparatorE->SetText(filter.Separator);
}

void TvrCSVExportDialog::Apply(TvrCSVExport& filter) {
    ReadPageRange(filter);
    filter.OpenAfterExport = OpenCB->Checked();
    filter.OEMCodepage = OEMCB->Checked();
    filter.Separator = SeparatorE->Text();
}
