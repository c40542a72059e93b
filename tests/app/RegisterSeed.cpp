#include "RegisterSeed.h"

#include "db/ADODB.h"
#include "rtl/Format.h"

#include <vector>

namespace seed {

namespace {

void Run(TADOConnection* connection, const String& sql) {
    connection->Execute(sql);
}

} // namespace

String Building(int i) {
    return IntToStr((i / 2) % 3 + 1) + "号楼";
}

String RoomCode(int i) {
    // Houses of one estate and building are every sixth; their rooms count up from 101.
    const int n = i / 6;
    return IntToStr((n / 20 + 1) * 100 + n % 20 + 1) + (n >= 2000 ? "-" + IntToStr(n) : String());
}

void SeedRegisters(TADOConnection* connection, int houses) {
    connection->BeginTrans();
    Run(connection,
        "insert into T_XQinfo (F_code, F_name, F_address, F_LDamount, F_DYamount, F_FJamount) values "
        "('001', '" +
            EstateA + "', '中山路1号', 3, 6, 60)");
    Run(connection,
        "insert into T_XQinfo (F_code, F_name, F_address, F_LDamount, F_DYamount, F_FJamount) values "
        "('002', '" +
            EstateB + "', '湖滨路8号', 3, 6, 60)");
    TADOQuery insert;
    insert.SetConnection(connection);
    insert.SQL()->SetText(
        "insert into T_FCinfo (F_XQname, F_LDcode, F_DYcode, F_code, F_FXtype, F_LouCeng, F_chaoXiang, "
        "F_curStatus, F_buildArea, F_useArea, F_chanquan, F_mem1, F_HTcode, F_HTprice, F_HTdate, F_HTtype, "
        "F_FZname, F_FZsex, F_FZphone, F_handphone, F_SFZcode, F_FZunit, F_FZaddress, F_mem2, F_ZHname, "
        "F_RZdate, F_ZHphone, F_ZHhandphone, F_ZHSFZcode, F_ZHwork, F_mem3, F_ZHnum) values (:XQ, :LD, :DY, "
        ":code, :FX, :LC, :CX, :state, :build, :use, :CQ, :mem1, :HTcode, :HTprice, :HTdate, :HTtype, "
        ":FZname, "
        ":sex, :phone, :hand, :SFZ, :unit, :address, :mem2, :ZHname, :RZdate, :ZHphone, :ZHhand, :ZHSFZ, "
        ":work, :mem3, :num)");
    const char* states[] = {"未销售", "已销售", "已入住"};
    for (int i = 0; i < houses; ++i) {
        const int state = i / 6 % 3; // every building holds houses of each state
        const bool sold = state != 0, occupied = state == 2;
        const String n = IntToStr(i + 1);
        auto set = [&insert](const char* name, const Variant& value) {
            insert.Parameters()->ParamByName(name)->SetValue(value);
        };
        set("XQ", i % 2 == 0 ? EstateA : EstateB);
        set("LD", Building(i));
        set("DY", IntToStr(i % 4 < 2 ? 1 : 2) + "单元");
        set("code", RoomCode(i));
        set("FX", i % 2 ? "三室一厅" : "两室一厅");
        set("LC", IntToStr(i / 6 % 20 / 2 + 1));
        set("CX", i % 2 ? "南北" : "东西");
        set("state", states[state]);
        set("build", 80.5 + i % 7 * 10);
        set("use", 70.25 + i % 7 * 9);
        set("CQ", "商品房");
        set("mem1", "房屋" + n);
        set("HTcode", sold ? "HT" + n : String());
        set("HTprice", sold ? 300000 + i * 1000 : 0);
        set("HTdate", sold ? "2024-03-" + Format("%.2d", {i % 28 + 1}) : String("1900-08-14"));
        set("HTtype", sold ? "购房合同" : "");
        set("FZname", sold ? "业主" + n : String());
        set("sex", sold ? (i % 2 ? "女" : "男") : "");
        set("phone", sold ? "0571-8800" + n : String());
        set("hand", sold ? "1390000" + Format("%.4d", {i}) : String());
        set("SFZ", sold ? "3301" + Format("%.14d", {i}) : String());
        set("unit", sold ? "单位" + n : String());
        set("address", sold ? "地址" + n : String());
        set("mem2", "");
        set("ZHname", occupied ? "住户" + n : String());
        set("RZdate", occupied ? "2024-05-" + Format("%.2d", {i % 28 + 1}) : String("1900-08-14"));
        set("ZHphone", occupied ? "0571-6600" + n : String());
        set("ZHhand", occupied ? "1380000" + Format("%.4d", {i}) : String());
        set("ZHSFZ", occupied ? "3302" + Format("%.14d", {i}) : String());
        set("work", occupied ? "教师" : "");
        set("mem3", "");
        set("num", occupied ? 3 : 0);
        insert.ExecSQL();
    }
    const char* facilities[][5] = {{"000001", "电梯", "电梯", "2", "350000"},
                                   {"000002", "水泵", "给排水", "4", "5200.5"},
                                   {"000003", "监控摄像头", "安防", "24", "780"},
                                   {"000004", "路灯", "照明", "40", "320"},
                                   {"000005", "健身器材", "体育", "6", "1500"}};
    for (int f = 0; f < 5; ++f)
        Run(connection,
            String("insert into T_publicSet (F_code, F_name, F_type, F_pinpai, F_spec, F_address, "
                   "F_amount, F_price, F_totalprice, F_memo1, F_useFlag, F_XQname) values ('") +
                facilities[f][0] + "', '" + facilities[f][1] + "', '" + facilities[f][2] +
                "', '通用', '标准', '杭州', " + facilities[f][3] + ", " + facilities[f][4] + ", " +
                facilities[f][3] + " * " + facilities[f][4] + ", '', " + (f == 4 ? "True" : "False") + ", '" +
                EstateA + "')");
    Run(connection,
        "insert into T_carPos (F_code, F_address, F_CQstatus, F_mainID, F_FZcode, F_FZname, F_XQname, "
        "F_flag, F_fromDate, F_toDate) values ('C001', '地下一层', '出售', " +
            IntToStr(ReferencedHouse) + ", '" + RoomCode(ReferencedHouse - 1) + "', '业主" +
            IntToStr(ReferencedHouse) + "', '" + EstateB + "', False, '2024-01-01', '3000-08-14')");
    Run(connection,
        "insert into T_carPos (F_code, F_address, F_CQstatus, F_flag, F_fromDate, F_toDate) values "
        "('C002', '地下一层', '空闲', False, '1900-08-14', '3000-08-14')");
    Run(connection, "insert into T_PJinfo (F_code, F_name, F_type, F_unit, F_price1, F_price2, F_amount, "
                    "F_XQname) values ('P01', '水龙头', '五金', '个', 35, 20, 50, '" +
                        EstateA + "')");
    Run(connection, "insert into T_PJinfo (F_code, F_name, F_type, F_unit, F_price1, F_price2, F_amount, "
                    "F_XQname) values ('P02', '灯泡', '电料', '个', 8, 5, 200, '" +
                        EstateB + "')");
    Run(connection, "insert into T_FYinfo (F_code, F_name, F_SFtype, F_SFprice, F_SFcycle, F_XQname) values "
                    "('001', '物业费', '按面积', 1.5, '月', '" +
                        EstateA + "')");
    Run(connection, "insert into T_FYinfo (F_code, F_name, F_SFtype, F_SFprice, F_SFcycle, F_XQname) values "
                    "('002', '水费', '按用量', 3.2, '月', '" +
                        EstateA + "')");
    Run(connection, "insert into T_FYinfo (F_code, F_name, F_SFtype, F_SFprice, F_SFcycle, F_XQname) values "
                    "('003', '卫生费', '按住户', 10, '月', '" +
                        EstateB + "')");
    for (int month = 1; month <= 2; ++month)
        Run(connection, "insert into T_wyFYrec (F_mainID, F_XQname, F_SFname) values (" +
                            IntToStr(ReferencedHouse) + ", '" + EstateB + "', '物业费')");
    connection->CommitTrans();
}

} // namespace seed
