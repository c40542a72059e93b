// The dBASE III export: the filter, its writer and its dialog.
#include "report/export/vrExportDBF.h"

#include "classes/MetaBuilder.h"
#include "gui/Dialogs.h"
#include "report/export/vrExportFile.h"
#include "report/export/vrrcExports.h"
#include "report/vrClassPage.h"
#include "report/vrRes.h"
#include "report/vrUtils.h"
#include "rtl/CodePage.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"

#include <exception>

ORV_META_IMPL(TvrDBFExport)
void TvrDBFExport::DeclareMeta(meta::Class<TvrDBFExport>& c) {
    using T = TvrDBFExport;
    c.Property("OEMCodepage", &T::OEMCodepage, &T::OEMCodepage).Default(false);
    c.Property("OpenAfterExport", &T::OpenAfterExport, &T::OpenAfterExport).Default(false);
    c.Property("FieldPrefix", &T::FieldPrefix, &T::SetFieldPrefix);
    c.Property("FieldNames", &T::FieldNames, &T::SetFieldNames);
}

TvrDBFExport::TvrDBFExport(TComponent* AOwner) : TvrCustomExportFilter(AOwner) {
    Init();
}

TvrDBFExport::TvrDBFExport(TUnlisted tag) : TvrCustomExportFilter(tag) {
    Init();
}

TvrDBFExport::~TvrDBFExport() = default;

void TvrDBFExport::Init() {
    vrLoadExportStrings();
    FFieldNames = std::make_unique<TStringList>();
    FilterDescription = GetResourceStringById(9111);
    DefaultExtension = GetResourceStringById(9103);
}

void TvrDBFExport::SetFieldPrefix(const String& value) {
    FFieldPrefix = Utf8Copy(value, 1, 6);
}

void TvrDBFExport::SetFieldNames(TStringList* value) {
    if (value)
        FFieldNames->Assign(*value);
    else
        FFieldNames->Clear();
}

String TvrDBFExport::GetDescription() {
    return GetResourceStringById(9102);
}

int TvrDBFExport::ShowModal() {
    TvrDBFExportDialog dialog(nullptr);
    dialog.Fill(*this);
    if (dialog.ShowModal() != mrOk) return mrCancel;
    dialog.Apply(*this);
    return dialog.ChooseFile(*this) ? mrOk : mrCancel;
}

bool TvrDBFExport::Start() {
    FTarget = vrExportTarget(*this);
    if (FTarget.empty()) return false;
    // The file first: when it cannot be created nothing else is made.
    FFile = std::make_unique<TvrExportFile>(FTarget);
    FMatrix = vrNewTextMatrix(5, false);
    return true;
}

void TvrDBFExport::ExportObject(TvrComponent* Obj) {
    if (!FMatrix || !Obj) return;
    for (TvrComponent* p = Obj->Parent(); p; p = p->Parent())
        if (auto* page = dynamic_cast<TvrPage*>(p)) {
            page->SetTop(FMatrix->MergeTolerance);
            break;
        }
    auto* view = dynamic_cast<TvrView*>(Obj);
    if (!view || Obj->Name() == "_pagebackground") return;
    FMatrix->AddObject(view);
}

void TvrDBFExport::FinishPage(TvrComponent* Page, Integer Index) {
    if (!FMatrix) return;
    auto* rp = dynamic_cast<TvrReportPage*>(Page);
    if (!rp) {
        FMatrix->AddPage(poPortrait, false, Index, 0, 0, 0, 0, 0, 0);
        return;
    }
    const Integer n = FMatrix->AddPage(rp->Orientation(), rp->MirrorMargins, Index, rp->BottomMargin,
                                       rp->RightMargin, rp->TopMargin, rp->LeftMargin,
                                       rp->Height() > 0 ? rp->Height() : rp->PaperHeight() * fr01cm,
                                       rp->Width() > 0 ? rp->Width() : rp->PaperWidth() * fr01cm);
    TvrIEMPage* record = FMatrix->PageByIndex(n);
    record->Name = rp->Name();
    record->PrintOnPreviousPage = rp->PrintOnPreviousPage;
}

AnsiString TvrDBFExport::FieldName(Integer k) const {
    const String name = k < FFieldNames->Count() ? FFieldNames->Strings(k) : FFieldPrefix + IntToStr(k + 1);
    return AnsiFromUtf8(AnsiLeft(name, 10));
}

namespace {

void PutWord(char* p, unsigned value) {
    p[0] = static_cast<char>(value & 0xFF);
    p[1] = static_cast<char>((value >> 8) & 0xFF);
}

void PutLong(char* p, unsigned value) {
    PutWord(p, value & 0xFFFF);
    PutWord(p + 2, value >> 16);
}

constexpr Integer FieldLength = 255;

} // namespace

void TvrDBFExport::WriteTable(TStream& stream) {
    TvrIEMatrix& m = *FMatrix;
    const Integer fields = std::max<Integer>(m.ColumnCount - 1, 0);
    const Integer records = std::max<Integer>(m.RowCount - 1, 0);
    if (fields > MaxFields)
        throw EvrDBFTooWide("The report needs " + IntToStr(fields) +
                            " columns; a dBASE table holds at most " + IntToStr(MaxFields) +
                            " fields of 255 characters (a record of at most 65535 bytes)");
    const unsigned headerLength = 32 + 32 * static_cast<unsigned>(fields) + 1;
    const unsigned recordLength = 1 + FieldLength * static_cast<unsigned>(fields);
    String header(32, '\0');
    Word year, month, day;
    DecodeDate(Date(), year, month, day);
    header[0] = 0x03;
    header[1] = static_cast<char>(year - 1900);
    header[2] = static_cast<char>(month);
    header[3] = static_cast<char>(day);
    PutLong(&header[4], static_cast<unsigned>(records));
    PutWord(&header[8], headerLength);
    PutWord(&header[10], recordLength);
    for (Integer k = 0; k < fields; ++k) {
        String d(32, '\0');
        const AnsiString name = FieldName(k);
        d.replace(0, name.size(), name);
        d[11] = 'C';
        PutLong(&d[12], 1 + static_cast<unsigned>(FieldLength * k));
        d[16] = static_cast<char>(FieldLength);
        d[23] = 1;
        header += d;
    }
    header += '\x0D';
    stream.WriteBuffer(header.data(), static_cast<Int64>(header.size()));
    String record;
    for (Integer r = 0; r < records; ++r) {
        record.assign(recordLength, ' ');
        for (Integer c = 0; c < fields; ++c) {
            TvrIEMObject* obj = m.ObjectAt(c, r);
            if (!obj || obj->Written) continue;
            obj->Written = 1;
            const AnsiString text = vrExportBytes(AnsiLeft(obj->Text(), FieldLength), OEMCodepage);
            record.replace(1 + static_cast<size_t>(FieldLength * c), std::min<size_t>(text.size(), FieldLength),
                           text, 0, std::min<size_t>(text.size(), FieldLength));
        }
        stream.WriteBuffer(record.data(), static_cast<Int64>(record.size()));
    }
    stream.WriteBuffer("\x1A", 1);
}

void TvrDBFExport::Finish() {
    std::unique_ptr<TvrIEMatrix> matrix = std::move(FMatrix);
    std::unique_ptr<TvrExportFile> file = std::move(FFile);
    // A failed export keeps the old file: the temporary one goes with the writer.
    if (!matrix || !file || std::uncaught_exceptions() > 0) return;
    matrix->Prepare();
    FMatrix = std::move(matrix);
    WriteTable(file->Stream());
    FMatrix.reset();
    file->Commit();
    if (OpenAfterExport) vrOpenExportedFile(Report, FTarget);
}

// --- the dialog ----------------------------------------------------------------------------------

ORV_META_IMPL(TvrDBFExportDialog)
void TvrDBFExportDialog::DeclareMeta(meta::Class<TvrDBFExportDialog>&) {}

TvrDBFExportDialog::TvrDBFExportDialog(TComponent* AOwner) : TvrExportDialog(AOwner) {
    SetName("vrDBFExportDialog");
    GroupQuality = Place<TGroupBox>(nullptr, "GroupQuality", 276, 4, 236, 252);
    OEMCB = Place<TCheckBox>(GroupQuality, "OEMCB", 12, 20, 212, 17);
    gbFNames = Place<TGroupBox>(GroupQuality, "gbFNames", 8, 44, 220, 200);
    rbFNAuto = Place<TRadioButton>(gbFNames, "rbFNAuto", 12, 20, 196, 17);
    rbFNAuto->SetChecked(true);
    rbFNManual = Place<TRadioButton>(gbFNames, "rbFNManual", 12, 42, 196, 17);
    mmFN = Place<TMemo>(gbFNames, "mmFN", 12, 64, 196, 96);
    btFNLoad = Place<TButton>(gbFNames, "btFNLoad", 12, 166, 196, 25);
    btFNLoad->OnClick = [this](TObject*) { LoadNames(); };
    OpenCB = Place<TCheckBox>(nullptr, "OpenCB", 8, 150, 260, 17);
    odFN = new TOpenDialog(this);
    odFN->SetName("odFN");
    const TvrResources& res = GetResources();
    SetCaption("Export to DBF");
    GroupQuality->SetCaption(res.GetString("8302"));
    OEMCB->SetCaption(res.GetString("8304"));
    gbFNames->SetCaption(res.GetString("9106"));
    rbFNAuto->SetCaption(res.GetString("9107"));
    rbFNManual->SetCaption(res.GetString("9108"));
    btFNLoad->SetCaption(res.GetString("9109"));
    OpenCB->SetCaption(res.GetString("8706"));
    odFN->SetFilter(res.GetString("9110"));
    SaveDialog1->SetFilter(res.GetString("9111"));
    SaveDialog1->SetDefaultExt(".dbf");
    FinishCreate(520, 300);
}

void TvrDBFExportDialog::LoadNames() {
    if (!odFN->Execute()) return;
    try {
        TStringList lines;
        lines.LoadFromFile(odFN->FileName());
        mmFN->Lines()->Assign(lines);
    } catch (const std::exception&) {
        Application()->MessageBox(GetResourceStringById(9104), GetResourceStringById(9105), MB_ICONERROR);
    }
}

void TvrDBFExportDialog::Fill(TvrDBFExport& filter) {
    FillPageRange(filter);
    OpenCB->SetChecked(filter.OpenAfterExport);
    OEMCB->SetChecked(filter.OEMCodepage);
    mmFN->Lines()->Clear();
}

void TvrDBFExportDialog::Apply(TvrDBFExport& filter) {
    ReadPageRange(filter);
    filter.OpenAfterExport = OpenCB->Checked();
    filter.OEMCodepage = OEMCB->Checked();
    TStringList names;
    names.Assign(*mmFN->Lines());
    filter.SetFieldNames(&names);
}
