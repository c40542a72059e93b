#include "app/core/DataDm.h"

#include "app/core/AppConfig.h"
#include "app/core/CodeNumbering.h"
#include "app/core/ConfigIni.h"
#include "app/core/LoginCheck.h"
#include "app/core/PubUnit.h"
#include "app/core/Rights.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "rtl/DateUtils.h"
#include "rtl/FileUtils.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"

TdmData* dmData = nullptr;

TdmData::TdmData(TComponent* AOwner)
    : TComponent(AOwner), FADOcnn(std::make_unique<TADOConnection>()), FQryPub(std::make_unique<TADOQuery>()),
      FQryTemp(std::make_unique<TADOQuery>()) {
    SetName("dmData");
    FADOcnn->SetLoginPrompt(false);
    // The pickers' work table holds what one station picked: a table of the connection's own.
    FADOcnn->AddTemporaryTable("tempCode");
    FQryPub->SetConnection(FADOcnn.get());
    FQryTemp->SetConnection(FADOcnn.get());
    CreatePrintComponents();
}

TdmData::~TdmData() {
    FQryPub.reset();
    FQryTemp.reset();
    FADOcnn.reset();
    if (dmData == this) dmData = nullptr;
}

void TdmData::ShowStatus(const String& text) {
    if (Status) Status(text);
}

bool TdmData::DataModuleCreate() {
    bool picked = false;
    while (true) {
        IniFile = OpenConfigIni();
        const String folder = ReadDatabaseFolder(*IniFile);
        const String file = DatabaseFileIn(folder);
        ShowStatus("正在连接数据库 .....");
        // The program writes to its database, which keeps its journal beside its file: in a
        // folder that cannot be written it could only be read, so it is not opened there and the
        // user is told why before being asked for another file.
        const bool folderWritable = !DirectoryExists(folder) || DirectoryWritable(folder);
        FConnected = false;
        if (!folderWritable) {
            ShowMess(MsgFolderNotWritable + "\n" + ExcludeTrailingPathDelimiter(folder), 2);
        } else {
            try {
                FADOcnn->Close();
                FADOcnn->SetConnectionString(ConnectionStringFor(folder));
                FADOcnn->Open();
                FConnected = true;
                ShowStatus("连接成功，正在登录 ...");
                return true;
            } catch (const Exception& error) {
                FConnected = false;
                // The user learns why the file was refused before choosing again.
                if (FileExists(file))
                    ShowMess(MsgNotValidDatabase + "\n" + file + "\n\n" + error.Message(), 2);
                else if (picked)
                    ShowMess(MsgNoDatabaseInFolder + "\n" + ExcludeTrailingPathDelimiter(folder), 2);
            }
        }
        const String answer = AskDatabaseFile ? AskDatabaseFile() : String();
        if (answer.empty()) return false;
        picked = true;
        WriteDatabaseFolder(*IniFile, DsForPickedFile(answer));
    }
}

void TdmData::EnsureConnected() {
    if (!FADOcnn->Connected()) FADOcnn->Open();
}

bool TdmData::RunSQL(const String& sql) {
    try {
        EnsureConnected();
        FQryPub->Close();
        FQryPub->SQL()->SetText(sql);
        FQryPub->ExecSQL();
        return true;
    } catch (const Exception&) {
        ShowMess(MsgOperationFailed, 3);
        return false;
    }
}

bool TdmData::OpenSQL(const String& sql, TADOQuery* query) {
    try {
        EnsureConnected();
        query->Close();
        query->SQL()->SetText(sql);
        query->Open();
        return true;
    } catch (const Exception&) {
        query->Close();
        ShowMess(MsgOpenFailed, 3);
        return false;
    }
}

bool TdmData::DeleteByID(const String& table, int id) {
    try {
        EnsureConnected();
        FQryPub->Close();
        FQryPub->SQL()->SetText("delete from " + table + " where F_ID = " + IntToStr(id));
        FQryPub->ExecSQL();
        return true;
    } catch (const Exception&) {
        ShowMess(MsgDeleteFailed, 3);
        return false;
    }
}

bool TdmData::OpenTemp(const String& sql) {
    EnsureConnected();
    FQryTemp->Close();
    FQryTemp->SQL()->SetText(sql);
    FQryTemp->Open();
    return !FQryTemp->IsEmpty() && FQryTemp->FieldCount() > 0 && !FQryTemp->Fields()[0]->IsNull();
}

String TdmData::GetString(const String& sql) {
    String value;
    TryGetString(sql, value);
    return value;
}

bool TdmData::TryGetString(const String& sql, String& value) {
    try {
        value = OpenTemp(sql) ? FQryTemp->Fields()[0]->AsString() : String();
        return true;
    } catch (const Exception&) {
        ShowMess(MsgOperationFailed, 3);
        value.clear();
        return false;
    }
}

double TdmData::GetFloat(const String& sql) {
    try {
        return OpenTemp(sql) ? FQryTemp->Fields()[0]->AsFloat() : 0.0;
    } catch (const Exception&) {
        ShowMess(MsgOperationFailed, 3);
        return 0.0;
    }
}

int TdmData::GetInteger(const String& sql) {
    try {
        return OpenTemp(sql) ? FQryTemp->Fields()[0]->AsInteger() : 0;
    } catch (const Exception&) {
        ShowMess(MsgOperationFailed, 3);
        return 0;
    }
}

void TdmData::FillCombo(const String& sql, TStrings& items) {
    try {
        EnsureConnected();
        FQryTemp->Close();
        FQryTemp->SQL()->SetText(sql);
        FQryTemp->Open();
        const TUpdateGuard updating(items); // also ended when reading a row fails
        items.Clear();
        for (FQryTemp->First(); !FQryTemp->Eof(); FQryTemp->Next()) {
            const String value = FQryTemp->Fields()[0]->AsString();
            if (!Trim(value).empty()) items.Add(value);
        }
    } catch (const Exception&) {
        ShowMess(MsgOperationFailed, 3);
    }
}

void TdmData::WriteLog(const String& operType) {
    try {
        EnsureConnected();
        const TDateTime now = Now();
        FQryTemp->Close();
        FQryTemp->SQL()->SetText("insert into LogRec(F_EmpName,F_OperType,F_OperDate,F_OperTime) "
                                 "values(:EmpName,:OperType,:OperDate,:OperTime)");
        FQryTemp->Parameters()->ParamByName("EmpName")->SetValue(OperName);
        FQryTemp->Parameters()->ParamByName("OperType")->SetValue(operType);
        FQryTemp->Parameters()->ParamByName("OperDate")->SetValue(FormatDateTime("yyyy-mm-dd", now));
        FQryTemp->Parameters()->ParamByName("OperTime")->SetValue(FormatDateTime("hh:nn:ss", now));
        FQryTemp->ExecSQL();
    } catch (const Exception&) {
        // The log never stops the program.
    }
}

String TdmData::HighestCode(const String& sql) {
    return OpenTemp(sql) ? FQryTemp->Fields()[0]->AsString() : String();
}

String TdmData::NewDatedCode(const String& sql, const String& prefix, int digits) {
    return NewDatedCodeAfter(HighestCode(sql), prefix, digits, Now());
}

String TdmData::NextCode(const String& sql, int digits) {
    return NextCodeAfter(HighestCode(sql), digits);
}

String TdmData::InsertNumbered(const std::function<String()>& first, int digits, const TCodeInsert& insert) {
    // Each collision moves one code on; a table cannot hold more codes than this between the
    // highest the statement sees and a free one.
    constexpr int kAttempts = 10000;
    EnsureConnected();
    FADOcnn->BeginTrans(); // a write transaction: another instance waits here until this one commits
    try {
        String code = first();
        for (int attempt = 1;; ++attempt) {
            try {
                insert(code);
                break;
            } catch (const EDatabaseKeyViolation&) {
                if (attempt >= kAttempts) throw;
                code = NextCodeAfter(code, digits);
            }
        }
        FADOcnn->CommitTrans();
        return code;
    } catch (...) {
        FADOcnn->RollbackTrans();
        throw;
    }
}

String TdmData::NewDatedCode(const String& sql, const String& prefix, int digits, const TCodeInsert& insert) {
    return InsertNumbered([&] { return NewDatedCodeAfter(HighestCode(sql), prefix, digits, Now()); }, digits,
                          insert);
}

String TdmData::NextCode(const String& sql, int digits, const TCodeInsert& insert) {
    return InsertNumbered([&] { return NextCodeAfter(HighestCode(sql), digits); }, digits, insert);
}

bool TdmData::HasRight(const String& code) {
    return GetInteger(HasRightSQL(OperName, code)) > 0;
}

bool TdmData::ReadOperatorScope(const String& name, int& flag, String& list) {
    flag = 0;
    list.clear();
    try {
        EnsureConnected();
        FQryPub->Close();
        FQryPub->SQL()->SetText(OperatorScopeSQL(name));
        FQryPub->Open();
        if (FQryPub->IsEmpty()) return true;
        flag = FQryPub->FieldByName("F_XQflag")->AsInteger();
        list = FQryPub->FieldByName("F_XQname")->AsString();
        return true;
    } catch (const Exception&) {
        flag = 0;
        list.clear();
        ShowMess(MsgOperationFailed, 3);
        return false;
    }
}

void TdmData::ReadDecimalPlaces(int& amount, int& price, int& total) {
    EnsureConnected();
    FQryPub->Close();
    FQryPub->SQL()->SetText("select F_iAmount,F_iPrice,F_iTotal from sysInfo");
    FQryPub->Open();
    amount = FQryPub->FieldByName("F_iAmount")->AsInteger();
    price = FQryPub->FieldByName("F_iPrice")->AsInteger();
    total = FQryPub->FieldByName("F_iTotal")->AsInteger();
}
