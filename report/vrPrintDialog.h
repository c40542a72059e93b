// TvrPrintDialog: the modal dialog in which the user chooses how a prepared report is printed:
// printer and its properties, printing to a file, the pages, copies and collation, odd or even
// pages, order, duplex and the print mode with its sheet. OK writes the choices into the report's
// PrintOptions and keeps the printer chosen current; any other end puts the previous printer
// back. ShowModal gives the final result: printing to a file asks for the file after OK, and
// cancelling that cancels the print.
//
//   TvrPrintDialog dialog(nullptr);
//   dialog.EditedReport = report;
//   dialog.DuplexChoice = duplex;
//   if (dialog.ShowModal() == mrOk) ... print with report->PrintOptions() and dialog.DuplexChoice
#pragma once

#include "gui/ComCtrls.h"
#include "gui/Dialogs.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/ImgList.h"
#include "gui/StdCtrls.h"
#include "report/vrClassOptions.h"

class TvrReport;

class TvrPrintDialog : public TForm {
    ORV_META(TvrPrintDialog, TForm)
    explicit TvrPrintDialog(TComponent* AOwner);
    ~TvrPrintDialog() override;

    TGroupBox* Label12 = nullptr; // printer
    TLabel *NameL = nullptr, *WhereL = nullptr, *WhereL1 = nullptr;
    TComboBox* PrintersCB = nullptr;
    TButton* PropButton = nullptr;
    TCheckBox* FileCB = nullptr;
    TGroupBox* Label1 = nullptr; // pages
    TRadioButton *AllRB = nullptr, *CurPageRB = nullptr, *PageNumbersRB = nullptr;
    TEdit* PageNumbersE = nullptr;
    TLabel* DescrL = nullptr;
    TGroupBox* Label2 = nullptr; // copies
    TLabel* CopiesL = nullptr;
    TEdit* CopiesE = nullptr;
    TUpDown* UpDown1 = nullptr;
    TCheckBox* CollateCB = nullptr;
    TPaintBox* CopiesPB = nullptr;
    TImage *CollateImg = nullptr, *NonCollateImg = nullptr;
    TGroupBox* OtherGB = nullptr;
    TLabel *PrintL = nullptr, *OrderL = nullptr, *DuplexL = nullptr;
    TComboBox *PrintPagesCB = nullptr, *OrderCB = nullptr, *DuplexCB = nullptr;
    TGroupBox* ScaleGB = nullptr; // print mode
    TComboBox* PrintModeCB = nullptr;
    TImageList* PrintModeIL = nullptr;
    TLabel* PagSizeL = nullptr;
    TComboBox* PagPageSizeCB = nullptr;
    TButton *OkB = nullptr, *CancelB = nullptr;
    TSaveDialog* FileDlg = nullptr;

    // The report whose print options are edited; the duplex given by the caller and read back.
    TvrReport* EditedReport = nullptr;
    TvrDuplexMode DuplexChoice = dmNone;
    // The printer index when the dialog was created.
    Integer PreviousPrinterIndex = -1;

    // Shows the dialog; after it closes asks for the output file when printing to a file, puts
    // the previous printer back unless the result is OK, and on OK writes the print options.
    int ShowModal() override;

    // The handlers of the controls, callable as a click would call them.
    void PrintersCBClick();
    void PrintModeCBClick();
    void PropButtonClick();
    void CollateCBClick();

protected:
    void DoShow() override;

private:
    void CreateControls();
    void CreatePrinterGroup();
    void CreatePagesGroup();
    void CreateCopiesGroup();
    void CreateOtherGroups();
    void SetCaptions();
    void FillPaperList();
    void PaintCopies();
    void DrawPrinterItem(Integer index, const TRect& rect, TOwnerDrawState state);
    void DrawPrintModeItem(Integer index, const TRect& rect, TOwnerDrawState state);
    // After the window closes: the output file, the previous printer, the options.
    int Finish(int result);
    void WriteOptions();
};

// The pictures of the dialog, drawn in code: the print modes (64 x 32 each, in the order of
// TvrPrintMode) and the copies collated and not collated.
void DrawPrintModePictures(TImageList* list);
void DrawCopiesPicture(TPicture* picture, bool collated);
