// The data module: the one database connection ADOcnn, the shared queries QryPub and QryTemp,
// and the operations every window runs its statements through.
//
// The guarded operations (RunSQL, OpenSQL, DeleteByID, GetString, GetFloat, GetInteger,
// FillCombo) catch every error, show their fixed message and return false, empty text or 0;
// NextCode and NewDatedCode let errors reach the caller; WriteLog ignores its own errors. Each
// operation closes its shared query first. When compaction or restore closed the connection, the
// next operation opens it again with the same connection string.
#pragma once

#include "classes/Component.h"
#include "rtl/Types.h"

#include <functional>
#include <memory>

class TADOConnection;
class TADOQuery;
class TDataSet;
class TDateTimePicker;
class TDBGridGx;
class TPrintDBGridGx;
class TStrings;
class TvrDBDataset;
class TvrXMLExport;
class TvrCSVExport;
class TvrDBFExport;
class TvrHTMLExport;
class TvrBMPExport;
class TvrJPEGExport;
class TvrGIFExport;
class TvrDotMatrixExport;
class TvrTXTExport;
class TvrSimpleTextExport;
class TvrRTFExport;
class TvrReport;

inline const String MsgOperationFailed = "操作失败，请检查数据连接... ";
inline const String MsgDeleteFailed = "删除操作失败，请检查数据连接... ";
inline const String MsgOpenFailed = "打开操作失败，请检查数据连接... ";
inline const String MsgFolderNotWritable = "数据库文件夹不可写";
inline const String MsgNotValidDatabase = "不是有效的数据库文件";
inline const String MsgNoDatabaseInFolder = "文件夹中没有数据库文件 wuyegl.mdb";
inline const String MsgExcelMissing = "系统中的MS Excel软件没有安装或安装不正确！";

class TdmData : public TComponent {
public:
    explicit TdmData(TComponent* AOwner);
    ~TdmData() override;
    String ClassName() const override { return "TdmData"; }

    TADOConnection* ADOcnn() const { return FADOcnn.get(); }
    TADOQuery* QryPub() const { return FQryPub.get(); }
    TADOQuery* QryTemp() const { return FQryTemp.get(); }

    // True only when the creation handler opened the connection.
    bool Connected() const { return FConnected; }

    // The creation handler: opens config.ini beside the program, builds the connection string from
    // ds and opens the connection. When that fails, AskDatabaseFile is asked for the database
    // file: the folder of the answer is written to ds and everything is tried again; an empty
    // answer (the dialog cancelled) gives up. Before the dialog the user is told why (a warning):
    // a database folder that cannot be written (MsgFolderNotWritable and the folder), a database
    // file that does not open (MsgNotValidDatabase, the file, the error's own text), and, once a
    // file was picked, a folder without the database file (MsgNoDatabaseInFolder, the folder). A
    // database that is simply not there at the first try goes straight to the dialog. Status
    // receives the splash window's progress texts.
    std::function<String()> AskDatabaseFile;
    std::function<void(const String& text)> Status;
    bool DataModuleCreate();

    bool RunSQL(const String& sql);
    bool OpenSQL(const String& sql, TADOQuery* query);
    bool DeleteByID(const String& table, int id);
    String GetString(const String& sql);
    // GetString that tells a failure (message shown, false) from an empty value.
    bool TryGetString(const String& sql, String& value);
    double GetFloat(const String& sql);
    int GetInteger(const String& sql);
    // Replaces the items with the first column of every row that is not blank, as read.
    void FillCombo(const String& sql, TStrings& items);
    void WriteLog(const String& operType);
    String NewDatedCode(const String& sql, const String& prefix, int digits);
    String NextCode(const String& sql, int digits);
    // Numbering a new row without handing out a code twice, also with several program instances
    // on one file: the read of the highest code and insert(code) run in one write transaction;
    // when the insert meets a unique index (the code is taken by a row the statement does not
    // see), the following code is tried. Returns the code the row was written with.
    using TCodeInsert = std::function<void(const String& code)>;
    String NewDatedCode(const String& sql, const String& prefix, int digits, const TCodeInsert& insert);
    String NextCode(const String& sql, int digits, const TCodeInsert& insert);
    // True when the logged-in operator holds the right of that code.
    bool HasRight(const String& code);
    // The estate scope of an operator (F_XQflag and F_XQname of OperList) through QryPub; 0 and
    // "" when the operator is not there. A failing read shows its message and returns false.
    bool ReadOperatorScope(const String& name, int& flag, String& list);
    // The decimal places of SysInfo through QryPub; raises when they cannot be read.
    void ReadDecimalPlaces(int& amount, int& price, int& total);

    // ---- grid layouts and display formats (DataDmGridLayout.cpp, DataDmGridColumns.cpp) --------
    // The grid's columns from the cfg_Grid rows of the window key (case ignored), in F_Order;
    // rows with an empty F_FieldName are skipped. A key without rows leaves the designed columns.
    // A failure shows MsgOperationFailed and leaves the columns read so far.
    void LoadGridLayout(TDBGridGx* grid, const String& key);
    // Writes every column's caption, width, read-only, visibility, order, alignment, display
    // format and footer into the existing cfg_Grid row of the key and field; rows are never
    // added. A failing row shows MsgOperationFailed and the other rows are still written.
    void SaveGridLayout(TDBGridGx* grid, const String& key);
    // Lets the user tick the visible columns in the column chooser (TFrmDispFieldXZ).
    void ChooseGridColumns(TDBGridGx* grid);
    // Gives price, money and quantity columns, and their footers, FmtPrice, FmtTotal or FmtAmount
    // by the lower-cased field name; modes 1 to 5 (other modes do nothing):
    //   1 "_price" FmtPrice, "totalprice" FmtTotal, "amount" FmtAmount   2 "area" FmtAmount, "price"
    //   FmtTotal   3 "price" FmtTotal   4 "sz" FmtTotal, "totalprice" FmtTotal   5 "price" FmtPrice
    // Later matches replace earlier ones. Call it after LoadGridLayout.
    void ApplyColumnFormats(TDBGridGx* grid, int mode);

    // ---- export and grid printing (DataDmGridExport.cpp, DataDmGridPrint.cpp) --------------------
    // "统计日期：自 " + from + " 至 " + to: each picker's date as "yyyy-MM-dd" when ticked, else
    // "启用系统" and "记帐最后一天".
    String PeriodCaption(TDateTimePicker* from, TDateTimePicker* to);
    // Writes what the grid shows into a new workbook in the user's temporary folder, named title +
    // "-yyyymmdd-hhnnss.xlsx": a title row of every column's caption (hidden columns too), then a
    // row per record of the grid's data set (read from the first record on, with the controls
    // disabled; the data set is left on its first record). A column with a display format over a
    // numeric field gives number cells in that format, every other column text cells; a date
    // that is not set (IsDateNotSet) is left empty. With visible the desktop's spreadsheet program
    // opens the workbook; when there is none, MsgExcelMissing is shown in an error box and nothing
    // is written. Returns the file written ("" when none).
    String ExportGridToExcel(TDBGridGx* grid, const String& title, bool visible = true);
    // Prints the grid through pDBGgrid into the grid preview: mode 0 fits the page width, coloured,
    // rows stretched to their text; mode 1 fits the page width, coloured, fitted by column widths;
    // other modes keep the options. The title prints between two empty lines; the header is the
    // page header's left text and the footer the page footer's right text, with "date" replaced
    // by "打印日期：" and today's date. An empty header or footer clears that text.
    void PrintGrid(TDBGridGx* grid, const String& title, const String& header, const String& footer,
                   int mode);

    // ---- report printing (DataDmReport.cpp) -----------------------------------------------------
    // Loads the layout Qr/ + file beside the program into the report (a missing file gives an
    // empty report and no message), points vrDM at master and vrDD at detail (either may be
    // nullptr) and prepares the report's pages. True when the pages were prepared without errors.
    bool ShowLayoutReport(TvrReport* report, const String& file, TDataSet* master,
                          TDataSet* detail = nullptr);
    // The same with a step between loading and preparing, where the window fills the layout's
    // objects (a period caption); an error of that step is the caller's to catch.
    bool ShowLayoutReport(TvrReport* report, const String& file, TDataSet* master, TDataSet* detail,
                          const std::function<void(TvrReport* report)>& beforePreparing);
    // Loads the layout and binds the data sets as ShowLayoutReport does, for the report designer.
    void DesignLayoutReport(TvrReport* report, const String& file, TDataSet* master,
                            TDataSet* detail = nullptr);
    // The report data sets "vrDM" and "vrDD" and the grid printer, owned by the data module.
    TvrDBDataset* vrDBDataSet1 = nullptr;
    TvrDBDataset* vrDBDataset2 = nullptr;
    TPrintDBGridGx* pDBGgrid = nullptr;
    // The export filters every report preview offers (spreadsheet XML, CSV with ";", dBASE),
    // owned by the data module and listed in the report library's export filter registry.
    TvrXMLExport* vrXMLExport1 = nullptr;
    TvrCSVExport* vrCSVExport1 = nullptr;
    TvrDBFExport* vrDBFExport1 = nullptr;
    TvrHTMLExport* vrHTMLExport1 = nullptr;
    TvrBMPExport* vrBMPExport1 = nullptr;
    TvrJPEGExport* vrJPEGExport1 = nullptr;
    TvrGIFExport* vrGIFExport1 = nullptr;
    TvrDotMatrixExport* vrDotMatrixExport1 = nullptr;
    TvrTXTExport* vrTXTExport1 = nullptr;
    TvrSimpleTextExport* vrSimpleTextExport1 = nullptr;
    TvrRTFExport* vrRTFExport1 = nullptr;

private:
    void CreatePrintComponents();
    void ShowStatus(const String& text);
    void EnsureConnected();
    // Opens a statement on QryTemp; true when it gave a row.
    bool OpenTemp(const String& sql);
    String HighestCode(const String& sql);
    String InsertNumbered(const std::function<String()>& first, int digits, const TCodeInsert& insert);

    std::unique_ptr<TADOConnection> FADOcnn;
    std::unique_ptr<TADOQuery> FQryPub;
    std::unique_ptr<TADOQuery> FQryTemp;
    bool FConnected = false;
};

// The single data module of the program.
extern TdmData* dmData;
