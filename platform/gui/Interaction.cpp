// The interaction service: the installed responder, the scripted responder of tests, and the
// real Qt dialogs shown when no responder is installed.
#include "gui/Interaction.h"

#include "gui/Controls.h"
#include "gui/Dialogs.h"
#include "gui/Forms.h"
#include "gui/Printers.h"
#include "gui/qt/FileDialogLook.h"
#include "gui/qt/FormAccess.h"
#include "gui/qt/QtSupport.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

String InteractionKindName(TInteractionKind kind) {
    switch (kind) {
    case TInteractionKind::MessageBox:
        return "MessageBox";
    case TInteractionKind::InputQuery:
        return "InputQuery";
    case TInteractionKind::OpenFile:
        return "OpenFile";
    case TInteractionKind::SaveFile:
        return "SaveFile";
    case TInteractionKind::SelectDirectory:
        return "SelectDirectory";
    case TInteractionKind::Color:
        return "Color";
    case TInteractionKind::Font:
        return "Font";
    case TInteractionKind::Print:
        return "Print";
    case TInteractionKind::PrinterSetup:
        return "PrinterSetup";
    case TInteractionKind::PopupMenu:
        return "PopupMenu";
    case TInteractionKind::ModalForm:
        return "ModalForm";
    }
    return "?";
}

// ---------------------------------------------------------------------------------------------
// Scripted responder

TScriptedResponder& TScriptedResponder::Add(TInteractionAnswer Answer) {
    FAnswers.push_back(std::move(Answer));
    return *this;
}

TScriptedResponder& TScriptedResponder::Answer(int Result) {
    TInteractionAnswer a;
    a.Result = Result;
    return Add(std::move(a));
}

TScriptedResponder& TScriptedResponder::Input(const String& Text, bool Ok) {
    TInteractionAnswer a;
    a.Result = Ok ? mrOk : 0;
    a.Text = Text;
    return Add(std::move(a));
}

TScriptedResponder& TScriptedResponder::File(const String& FileName, int FilterIndex) {
    TInteractionAnswer a;
    a.Result = mrOk;
    a.Text = FileName;
    a.Files = {FileName};
    a.FilterIndex = FilterIndex;
    return Add(std::move(a));
}

TScriptedResponder& TScriptedResponder::Files(const std::vector<String>& FileNames) {
    TInteractionAnswer a;
    a.Result = mrOk;
    a.Files = FileNames;
    if (!FileNames.empty()) a.Text = FileNames.front();
    return Add(std::move(a));
}

TScriptedResponder& TScriptedResponder::Cancel() {
    TInteractionAnswer a;
    a.Result = 0;
    return Add(std::move(a));
}

TScriptedResponder& TScriptedResponder::PickColor(TColor Color) {
    TInteractionAnswer a;
    a.Result = mrOk;
    a.Color = Color;
    return Add(std::move(a));
}

TScriptedResponder& TScriptedResponder::MenuItem(const String& CaptionPath) {
    TInteractionAnswer a;
    a.Result = CaptionPath.empty() ? 0 : mrOk;
    a.Text = CaptionPath;
    return Add(std::move(a));
}

TScriptedResponder& TScriptedResponder::Form(std::function<int(TCustomForm*)> Handler) {
    TInteractionAnswer a;
    a.FormHandler = std::move(Handler);
    return Add(std::move(a));
}

void TScriptedResponder::Clear() {
    FAnswers.clear();
    FRequests.clear();
}

TInteractionAnswer TScriptedResponder::Respond(const TInteractionRequest& Request) {
    FRequests.push_back(Request);
    if (FAnswers.empty())
        throw EInteractionError("No answer for " + InteractionKindName(Request.Kind) + " \"" +
                                (Request.Text.empty() ? Request.Caption : Request.Text) + "\"");
    TInteractionAnswer a = std::move(FAnswers.front());
    FAnswers.pop_front();
    return a;
}

// ---------------------------------------------------------------------------------------------
// The service

namespace {

TInteractionResponder*& Installed() {
    static TInteractionResponder* responder = nullptr;
    return responder;
}

// The window a box or dialog of the toolkit belongs to: the modal window in front (a login, a
// dialog), else the active window, else the program's main window while it shows. The window
// manager is told so (a dialog transient for that window) and centres the box on it.
QWidget* DialogParent() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow()) return active;
    TCustomForm* main = Application()->MainForm();
    QWidget* frame = main && main->Visible() ? TFormAccess::FrameWindow(main) : nullptr;
    return frame ? frame->window() : nullptr;
}

struct TBoxButton {
    QMessageBox::StandardButton Std;
    const char* Custom;
    int Result;
};

std::vector<TBoxButton> BoxButtons(const TInteractionRequest& r) {
    std::vector<TBoxButton> out;
    if (r.DlgType >= 0) {
        const TBoxButton all[] = {
            {QMessageBox::Yes, nullptr, mrYes},
            {QMessageBox::No, nullptr, mrNo},
            {QMessageBox::Ok, nullptr, mrOk},
            {QMessageBox::Cancel, nullptr, mrCancel},
            {QMessageBox::Abort, nullptr, mrAbort},
            {QMessageBox::Retry, nullptr, mrRetry},
            {QMessageBox::Ignore, nullptr, mrIgnore},
            {QMessageBox::NoButton, "&All", mrAll},
            {QMessageBox::NoToAll, nullptr, mrNoToAll},
            {QMessageBox::YesToAll, nullptr, mrYesToAll},
            {QMessageBox::Help, nullptr, 0},
        };
        for (int i = 0; i < 11; ++i)
            if (r.Buttons & (UInt64(1) << i)) out.push_back(all[i]);
        return out;
    }
    switch (r.Flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{QMessageBox::Ok, nullptr, IDOK}, {QMessageBox::Cancel, nullptr, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
        return {{QMessageBox::Abort, nullptr, IDABORT},
                {QMessageBox::Retry, nullptr, IDRETRY},
                {QMessageBox::Ignore, nullptr, IDIGNORE}};
    case MB_YESNOCANCEL:
        return {{QMessageBox::Yes, nullptr, IDYES},
                {QMessageBox::No, nullptr, IDNO},
                {QMessageBox::Cancel, nullptr, IDCANCEL}};
    case MB_YESNO:
        return {{QMessageBox::Yes, nullptr, IDYES}, {QMessageBox::No, nullptr, IDNO}};
    case MB_RETRYCANCEL:
        return {{QMessageBox::Retry, nullptr, IDRETRY}, {QMessageBox::Cancel, nullptr, IDCANCEL}};
    default:
        return {{QMessageBox::Ok, nullptr, IDOK}};
    }
}

TInteractionAnswer RealMessageBox(const TInteractionRequest& r) {
    QMessageBox box(DialogParent());
    box.setWindowTitle(ToQString(r.Caption));
    box.setText(ToQString(r.Text));
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    if (r.DlgType >= 0) {
        switch (r.DlgType) {
        case mtWarning:
            icon = QMessageBox::Warning;
            break;
        case mtError:
            icon = QMessageBox::Critical;
            break;
        case mtInformation:
            icon = QMessageBox::Information;
            break;
        case mtConfirmation:
            icon = QMessageBox::Question;
            break;
        default:
            break;
        }
    } else {
        switch (r.Flags & MB_ICONMASK) {
        case MB_ICONERROR:
            icon = QMessageBox::Critical;
            break;
        case MB_ICONQUESTION:
            icon = QMessageBox::Question;
            break;
        case MB_ICONWARNING:
            icon = QMessageBox::Warning;
            break;
        case MB_ICONINFORMATION:
            icon = QMessageBox::Information;
            break;
        default:
            break;
        }
    }
    box.setIcon(icon);
    std::vector<std::pair<QAbstractButton*, int>> buttons;
    for (const TBoxButton& b : BoxButtons(r)) {
        QAbstractButton* qb = b.Custom ? box.addButton(QString::fromUtf8(b.Custom), QMessageBox::AcceptRole)
                                       : box.addButton(b.Std);
        buttons.emplace_back(qb, b.Result);
    }
    const size_t def = (r.Flags & MB_DEFMASK) >> 8;
    if (def < buttons.size())
        if (auto* pb = qobject_cast<QPushButton*>(buttons[def].first)) box.setDefaultButton(pb);
    box.exec();
    TInteractionAnswer a;
    a.Result = mrCancel; // IDCANCEL: the same number
    for (auto& [qb, result] : buttons)
        if (box.clickedButton() == qb) a.Result = result;
    return a;
}

// "Text files (*.txt)|*.txt|All|*.*" -> Qt's name filters "Text files (*.txt) (*.txt)".
QStringList QtFilters(const String& filter) {
    QStringList parts = ToQString(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString masks = parts[i + 1];
        masks.replace(';', ' ');
        out << parts[i] + " (" + masks + ")";
    }
    return out;
}

TInteractionAnswer RealFileDialog(const TInteractionRequest& r, bool save) {
    QFileDialog dlg(DialogParent(), ToQString(r.Caption), ToQString(r.InitialDir));
    // The toolkit's own dialog reads as the rest of the program (its Chinese texts, the caption
    // and filter given) on every desktop; a desktop's native dialog would not.
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    const auto has = [&](TOpenOption o) { return (r.Options & (UInt64(1) << o)) != 0; };
    if (save)
        dlg.setFileMode(QFileDialog::AnyFile);
    else if (has(ofAllowMultiSelect))
        dlg.setFileMode(QFileDialog::ExistingFiles);
    else if (has(ofFileMustExist))
        dlg.setFileMode(QFileDialog::ExistingFile);
    else
        dlg.setFileMode(QFileDialog::AnyFile);
    if (save && !has(ofOverwritePrompt)) dlg.setOption(QFileDialog::DontConfirmOverwrite);
    QStringList filters = QtFilters(r.Filter);
    if (!filters.isEmpty()) {
        dlg.setNameFilters(filters);
        if (r.FilterIndex >= 1 && r.FilterIndex <= filters.size())
            dlg.selectNameFilter(filters[r.FilterIndex - 1]);
    }
    if (!r.DefaultExt.empty()) dlg.setDefaultSuffix(ToQString(r.DefaultExt));
    if (!r.Value.empty()) dlg.selectFile(ToQString(r.Value));
    FitFileDialog(dlg);
    TInteractionAnswer a;
    if (dlg.exec() != QDialog::Accepted) return a;
    a.Result = mrOk;
    for (const QString& f : dlg.selectedFiles())
        a.Files.push_back(FromQString(QDir::toNativeSeparators(f)));
    if (!a.Files.empty()) a.Text = a.Files.front();
    a.FilterIndex = static_cast<int>(filters.indexOf(dlg.selectedNameFilter())) + 1;
    return a;
}

// Qt's print dialog on a printer set up as the request says; the answer carries what the user chose.
TInteractionAnswer RealPrintDialog(const TInteractionRequest& r) {
    const bool setup = r.Kind == TInteractionKind::PrinterSetup;
    QPrinter printer;
    const bool pdf = r.Value == TPrinter::PdfPrinterName;
    if (pdf)
        printer.setOutputFormat(QPrinter::PdfFormat);
    else if (!r.Value.empty())
        printer.setPrinterName(ToQString(r.Value));
    printer.setCopyCount(std::max(1, r.Copies));
    printer.setCollateCopies(r.Collate);
    printer.setPageOrientation(r.Orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (r.Paper > 0 && QPageSize::id(r.Paper) != QPageSize::Custom)
        printer.setPageSize(QPageSize(QPageSize::id(r.Paper)));
    QPrintDialog dlg(&printer, DialogParent());
    if (!r.Caption.empty()) dlg.setWindowTitle(ToQString(r.Caption));
    const auto has = [&](TPrintDialogOption o) { return (r.Options & (UInt64(1) << o)) != 0; };
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintShowPageSize;
    if (!setup) {
        options |= QAbstractPrintDialog::PrintCollateCopies;
        if (has(poPageNums)) options |= QAbstractPrintDialog::PrintPageRange;
        if (has(poSelection)) options |= QAbstractPrintDialog::PrintSelection;
        if (has(poPrintToFile) && !has(poDisablePrintToFile)) options |= QAbstractPrintDialog::PrintToFile;
        if (r.MaxPage > 0) dlg.setMinMax(std::max(1, r.MinPage), r.MaxPage);
        if (r.FromPage > 0 && r.ToPage >= r.FromPage) printer.setFromTo(r.FromPage, r.ToPage);
        printer.setPrintRange(r.PrintRange == prSelection  ? QPrinter::Selection
                              : r.PrintRange == prPageNums ? QPrinter::PageRange
                                                           : QPrinter::AllPages);
    }
    dlg.setOptions(options);
    TInteractionAnswer a;
    if (dlg.exec() != QDialog::Accepted) return a;
    a.Result = mrOk;
    if (printer.outputFormat() == QPrinter::PdfFormat || printer.printerName().isEmpty()) {
        a.Text = TPrinter::PdfPrinterName;
        if (!printer.outputFileName().isEmpty()) a.Files = {FromQString(printer.outputFileName())};
    } else {
        a.Text = FromQString(printer.printerName());
    }
    a.Copies = printer.copyCount();
    a.Orientation = printer.pageLayout().orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
    a.Paper = printer.pageLayout().pageSize().windowsId();
    if (!setup) {
        a.Collate = printer.collateCopies() ? 1 : 0;
        switch (printer.printRange()) {
        case QPrinter::Selection:
            a.PrintRange = prSelection;
            break;
        case QPrinter::PageRange:
            a.PrintRange = prPageNums;
            a.FromPage = printer.fromPage();
            a.ToPage = printer.toPage();
            break;
        default:
            a.PrintRange = prAllPages;
            break;
        }
    }
    return a;
}

TInteractionAnswer RealDialog(const TInteractionRequest& r) {
    TInteractionAnswer a;
    switch (r.Kind) {
    case TInteractionKind::MessageBox:
        return RealMessageBox(r);
    case TInteractionKind::InputQuery: {
        bool ok = false;
        QString s = QInputDialog::getText(DialogParent(), ToQString(r.Caption), ToQString(r.Text),
                                          QLineEdit::Normal, ToQString(r.Value), &ok);
        a.Result = ok ? mrOk : 0;
        a.Text = ok ? FromQString(s) : r.Value;
        return a;
    }
    case TInteractionKind::OpenFile:
        return RealFileDialog(r, false);
    case TInteractionKind::SaveFile:
        return RealFileDialog(r, true);
    case TInteractionKind::SelectDirectory: {
        QString d =
            QFileDialog::getExistingDirectory(DialogParent(), ToQString(r.Caption), ToQString(r.Value),
                                              QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
        a.Result = d.isEmpty() ? 0 : mrOk;
        a.Text = FromQString(d);
        return a;
    }
    case TInteractionKind::Color: {
        QColor c = QColorDialog::getColor(ToQColor(r.Color == clNone ? clBlack : r.Color), DialogParent(),
                                          ToQString(r.Caption));
        a.Result = c.isValid() ? mrOk : 0;
        if (c.isValid()) a.Color = FromQColor(c);
        return a;
    }
    case TInteractionKind::Font: {
        bool ok = false;
        QFont initial(ToQString(r.Value), r.FontSize > 0 ? r.FontSize : 9);
        QFont f = QFontDialog::getFont(&ok, initial, DialogParent(), ToQString(r.Caption));
        a.Result = ok ? mrOk : 0;
        if (ok) {
            a.FontName = FromQString(f.family());
            a.FontSize = f.pointSize();
        }
        return a;
    }
    case TInteractionKind::Print:
    case TInteractionKind::PrinterSetup:
        return RealPrintDialog(r);
    default:
        return a;
    }
}

} // namespace

TInteractionResponder* Interaction::Responder() {
    return Installed();
}

TInteractionResponder* Interaction::SetResponder(TInteractionResponder* Responder) {
    TInteractionResponder* old = Installed();
    Installed() = Responder;
    return old;
}

TInteractionAnswer Interaction::Ask(const TInteractionRequest& Request) {
    if (TInteractionResponder* r = Installed()) return r->Respond(Request);
    EnsureQtApp();
    return RealDialog(Request);
}
