#include "AppFixture.h"
#include "app/core/DefaultDatabase.h"
#include "app/core/Rights.h"

#include "db/ADODB.h"
#include "rtl/StrUtils.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(SchemaText, SplitsAtSemicolonsOutsideQuotesAndDropsComments) {
    const auto statements = SplitSqlStatements("-- a comment; not a statement\n"
                                               "CREATE TABLE a (x TEXT(5));\n"
                                               "  -- another\n"
                                               "INSERT INTO a (x) VALUES ('1;2'), ('it''s; --no');\n\n;\n"
                                               "DELETE FROM a");
    ASSERT_EQ(statements.size(), 3u);
    EXPECT_EQ(statements[0], "CREATE TABLE a (x TEXT(5))");
    EXPECT_EQ(statements[1], "INSERT INTO a (x) VALUES ('1;2'), ('it''s; --no')");
    EXPECT_EQ(statements[2], "DELETE FROM a");
}

TEST(SchemaText, CreatesEveryTableOfTheSystem) {
    std::set<String> tables;
    for (const String& s : DefaultDatabaseStatements())
        if (StartsText("CREATE TABLE ", s)) tables.insert(LowerCase(Trim(s.substr(13, s.find('(') - 13))));
    for (const char* name :
         {"OperList",   "OperLimit",    "Limits",   "LogRec",    "SysInfo",    "cfg_Grid",
          "cfg_import", "t_code",       "T_XQinfo", "T_FCinfo",  "T_carPos",   "T_PJinfo",
          "T_pjJHrec",  "T_publicSet",  "T_BJinfo", "T_XLinfo",  "T_YJinfo",   "T_FYinfo",
          "T_wyFYrec",  "T_wyFKrec",    "T_YSKrec", "t_GTinfo",  "t_GTdetail", "t_wyGTrec",
          "T_ZHBX",     "t_ZHBXdetail", "tempCode", "tempFYrec", "tempJYrec",  "tempDepot"})
        EXPECT_EQ(tables.count(LowerCase(name)), 1u) << name;
    EXPECT_EQ(tables.size(), 30u);
}

TEST(SchemaText, ShipsOneLimitsRowPerActionNamedAfterIt) {
    int rows = 0;
    for (const String& s : DefaultDatabaseStatements()) {
        if (!StartsText("INSERT INTO Limits ", s)) continue;
        ++rows;
    }
    EXPECT_EQ(rows, 34);
    const String text = WuyeglSchemaText();
    for (const TActionInfo& a : AppActions()) {
        const String row = "VALUES ('" + String(a.Caption) + "', '" + std::to_string(a.Code) + "', True)";
        EXPECT_NE(text.find(row), String::npos) << row;
    }
}

// Each table's columns in order, as name:kind with kind a auto-number, s<n> text of n characters
// (s alone where no length is fixed), m memo, i integer, f number, c money, d date, b yes/no.
struct TableColumns {
    const char* table;
    const char* columns;
};

const TableColumns SystemAndBusinessTables[] = {
    {"OperList", "F_ID:a F_Name:s50 F_PassWord:s255 F_Mem:m F_Flag:b F_xtFlag:b F_XQflag:i F_XQname:s255"},
    {"OperLimit", "F_ID:a F_OperName:s F_lmtName:s"},
    {"Limits", "F_name:s F_code:s F_flag:b"},
    {"LogRec", "F_EmpName:s F_OperType:s F_OperDate:s F_OperTime:s"},
    {"SysInfo",
     "F_Name:s F_Address:s F_Phone:s F_Fax:s F_HomePage:s F_Linker:s F_buildDate:d F_Email:s "
     "F_Enroler:s F_EnrolPrice:c F_empNumber:f F_Mem:m F_BakPath:s F_iAmount:i F_iPrice:i F_iTotal:i"},
    {"cfg_Grid", "F_name:s F_FieldName:s F_Caption:s F_Width:i F_Visible:b F_ReadOnly:b F_DisplayFormat:s "
                 "F_FooterValue:s F_FooterType:i F_Alignment:i F_Order:i"},
    {"cfg_import", "F_tablename:s F_iFlag:i S_Field:s F_FieldName:s F_Field:s"},
    {"t_code", "F_ID:a F_Name:s F_type:s"},
    {"T_XQinfo", "F_ID:a F_code:s50 F_name:s255 F_address:s255 F_LDamount:f F_DYamount:i F_FJamount:i "
                 "F_LCjiegou:s50 F_ZHamount:i F_KZamount:i F_mem1:m F_mem2:m"},
    {"T_FCinfo", "F_ID:a F_XQname:s50 F_LDcode:s50 F_DYcode:s50 F_code:s50 F_FXtype:s50 F_LouCeng:s50 "
                 "F_chaoXiang:s50 F_curStatus:s50 F_buildArea:f F_useArea:f F_chanquan:s255 F_mem1:m "
                 "F_useStatus:s255 F_useDate:d F_HTcode:s50 F_HTprice:c F_HTdate:d F_HTtype:s50 F_FZname:s50 "
                 "F_FZsex:s50 F_FZphone:s50 F_handphone:s50 F_SFZcode:s50 F_FZunit:s50 F_FZaddress:s255 "
                 "F_mem2:m F_ZHname:s50 F_RZdate:d F_ZHphone:s50 F_ZHhandphone:s50 F_ZHSFZcode:s50 "
                 "F_ZHwork:s255 F_mem3:m F_ZHnum:f"},
    {"T_carPos", "F_ID:a F_code:s50 F_address:s255 F_YSprice:c F_YZprice:c F_memo1:m F_flag:b F_fromDate:d "
                 "F_toDate:d F_CQstatus:s50 F_SJprice:c F_mainID:i F_FZcode:s50 F_FZname:s50 F_XQname:s50 "
                 "F_LDcode:s50 F_CarCode:s50 F_phone:s50 F_handPhone:s50 F_empName:s50 F_Haddress:s255"},
    {"T_PJinfo", "F_ID:a F_code:s50 F_name:s50 F_type:s50 F_spec:s50 F_unit:s50 F_address:s200 F_price1:c "
                 "F_price2:c F_amount:f F_rate:f F_mem:m F_XQname:s50 F_typeID:i F_flag:b F_IFduihuan:b "
                 "F_dhJF:f"},
    {"T_pjJHrec", "F_ID:a F_PJcode:s F_editDate:d F_amount:f F_memo1:m F_price1:c F_price2:c F_OperName:s "
                  "F_OperFlag:i F_XQname:s"},
    {"T_publicSet", "F_ID:a F_code:s F_name:s F_type:s F_pinpai:s F_spec:s F_address:s F_amount:f F_price:c "
                    "F_totalprice:c F_memo1:m F_useFlag:b F_XQname:s"},
    {"T_BJinfo", "F_ID:a F_code:s50 F_type:s50 F_area:s50 F_FZRemp:s50 F_date:d F_YSmem:m F_memo1:m "
                 "F_XQname:s255"},
    {"T_XLinfo", "F_ID:a F_code:s50 F_DSRemp:s50 F_type:s50 F_area:s50 F_CLRemp:s50 F_date:d F_time:d "
                 "F_CLmem:m F_memo1:m F_XQname:s50"},
    {"T_YJinfo", "F_ID:a F_code:s50 F_YZcode:s50 F_YZname:s50 F_date:d F_JDemp:s50 F_memo1:m F_type:s50 "
                 "F_SLdate:d F_SLemp:s50 F_memo2:m F_SLtype:s50 F_XQname:s50"},
    {"T_FYinfo",
     "F_ID:a F_code:s50 F_name:s50 F_SFtype:s50 F_SFprice:c F_SFcycle:s50 F_memo1:m F_XQname:s50"},
    {"T_wyFYrec", "F_ID:a F_mainID:i F_XQname:s50 F_LDcode:s50 F_FZcode:s50 F_FZname:s50 F_fromDate:d "
                  "F_toDate:d F_SFdate:d F_editDate:d F_Bamount:f F_Eamount:f F_amount:f F_price:c "
                  "F_totalPrice:c F_memo1:m F_SFtype:s50 F_SFname:s50 F_empName:s50 F_OperName:s50 "
                  "F_JFflag:b F_JFcode:s50 F_GTid:s50 F_GTflag:i"},
    {"T_wyFKrec", "F_ID:a F_mainID:i F_LDcode:s50 F_XQname:s50 F_FZcode:s50 F_FZname:s50 F_QFnum:f "
                  "F_QFprice:c F_XDnum:f F_FKprice:c F_bankPrice:c F_YSprice:c F_YHprice:c F_SKtype:s50 "
                  "F_SKprice:c F_ZLprice:c F_memo1:m F_code:s50 F_JFdate:d F_OperName:s50"},
    {"T_YSKrec", "F_ID:a F_mainID:i F_FZcode:s50 F_XQname:s50 F_LDcode:s50 F_FZname:s50 F_SFdate:d "
                 "F_price:c F_billCode:s50 F_memo1:m F_Empname:s50 F_editDate:d F_OperFlag:i"},
    {"t_GTinfo", "F_ID:a F_code:s F_name:s F_type:s F_amount:f F_memo1:m F_XQname:s"},
    {"t_GTdetail", "F_ID:a F_code:s50 F_mainID:i F_XQname:s50 F_LDcode:s50 F_FZcode:s50 F_FZname:s50 "
                   "F_memo1:m"},
    {"t_wyGTrec", "F_ID:a F_GTid:s F_GTcode:s F_GTname:s F_GTtype:s F_GThs:i F_fromDate:d F_toDate:d "
                  "F_SFdate:d F_Bamount:f F_Eamount:f F_amount:f F_price:c F_totalPrice:c F_memo1:m "
                  "F_empName:s F_operName:s F_SFtype:s F_SFname:s F_editDate:d F_XQname:s"},
    {"T_ZHBX", "F_ID:a F_code:s50 F_mainID:i F_FZcode:s50 F_FZname:s50 F_XQname:s50 F_LDcode:s50 F_bxDate:d "
               "F_JDemp:s50 F_memo1:m F_WXemp:s50 F_xfDate:d F_memo2:m F_MYtype:s50 F_fwPrice:c F_wlPrice:c "
               "F_totalprice:c"},
    {"t_ZHBXdetail", "F_ID:a F_code:s50 F_PJcode:s50 F_PJname:s255 F_type:s50 F_pinpai:s255 F_spec:s50 "
                     "F_address:s255 F_unit:s50 F_amount:f F_price:c F_totalprice:c F_mem:m F_PJid:i"},
    {"tempCode", "F_code:s50"},
    {"tempDepot", "F_PJcode:s50 F_amount:f F_totalprice:c F_enter:f F_out:f F_sale:f F_salePrice:c "
                  "F_beginPrice:c F_rate:f F_begin:f F_flag:i F_PJid:i"},
};

// The kind of a column as the table above writes it; a text column of no fixed length matches "s".
String ColumnKind(const TField& field, const String& expected) {
    switch (field.DataType()) {
    case ftAutoInc:
        return "a";
    case ftString:
    case ftWideString:
        return expected == "s" ? String("s") : "s" + std::to_string(field.Size());
    case ftMemo:
        return "m";
    case ftInteger:
    case ftSmallint:
        return "i";
    case ftFloat:
        return "f";
    case ftCurrency:
    case ftBCD: // money columns come as fixed-point numbers
        return "c";
    case ftDate:
    case ftDateTime:
        return "d";
    case ftBoolean:
        return "b";
    default:
        return "?" + std::to_string(static_cast<int>(field.DataType()));
    }
}

using SchemaColumns = AppFixture;

TEST_F(SchemaColumns, EveryTableHasItsColumnsInOrderWithTheirTypesAndSizes) {
    Connect();
    for (const TableColumns& t : SystemAndBusinessTables) {
        TADOQuery q;
        q.SetConnection(Dm->ADOcnn());
        q.SQL()->SetText(String("select * from ") + t.table + " where 1=0");
        q.Open();
        const std::vector<String> expected = SplitString(t.columns, " ");
        String actual;
        for (int i = 0; i < q.FieldCount(); ++i) {
            const TField& field = *q.Fields()[i];
            const String want = i < static_cast<int>(expected.size()) ? expected[i] : String();
            const String kind = want.substr(want.find(':') + 1);
            actual += (i ? " " : "") + field.FieldName() + ":" + ColumnKind(field, kind);
        }
        EXPECT_EQ(actual, t.columns) << t.table;
    }
}

} // namespace
