-- The default database wuyegl.mdb: every table of the system and the rows it expects to find.
-- Jet dialect; one statement per ";". Lines starting with "--" are comments.
-- The program builds this text in and runs it on a new, empty database file.

-- ============================================================================================
-- System tables
-- ============================================================================================

CREATE TABLE OperList (
    F_ID COUNTER PRIMARY KEY,
    F_Name TEXT(50),
    F_PassWord TEXT(255),
    F_Mem MEMO,
    F_Flag YESNO DEFAULT False,
    F_xtFlag YESNO DEFAULT False,
    F_XQflag LONG DEFAULT 0,
    F_XQname TEXT(255)
);

CREATE TABLE OperLimit (
    F_ID COUNTER PRIMARY KEY,
    F_OperName TEXT(50),
    F_lmtName TEXT(50)
);

CREATE TABLE Limits (
    F_name TEXT(50),
    F_code TEXT(10),
    F_flag YESNO DEFAULT False
);

CREATE TABLE LogRec (
    F_EmpName TEXT(50),
    F_OperType TEXT(255),
    F_OperDate TEXT(20),
    F_OperTime TEXT(20)
);

CREATE TABLE SysInfo (
    F_Name TEXT(255),
    F_Address TEXT(255),
    F_Phone TEXT(50),
    F_Fax TEXT(50),
    F_HomePage TEXT(255),
    F_Linker TEXT(50),
    F_buildDate DATETIME,
    F_Email TEXT(255),
    F_Enroler TEXT(50),
    F_EnrolPrice CURRENCY DEFAULT 0,
    F_empNumber DOUBLE DEFAULT 0,
    F_Mem MEMO,
    F_BakPath TEXT(255),
    F_iAmount LONG DEFAULT 2,
    F_iPrice LONG DEFAULT 2,
    F_iTotal LONG DEFAULT 2
);

CREATE TABLE cfg_Grid (
    F_name TEXT(50),
    F_FieldName TEXT(50),
    F_Caption TEXT(255),
    F_Width LONG DEFAULT 64,
    F_Visible YESNO DEFAULT True,
    F_ReadOnly YESNO DEFAULT False,
    F_DisplayFormat TEXT(50),
    F_FooterValue TEXT(255),
    F_FooterType LONG DEFAULT 0,
    F_Alignment LONG DEFAULT 0,
    F_Order LONG DEFAULT 0
);

CREATE TABLE cfg_import (
    F_tablename TEXT(50),
    F_iFlag LONG DEFAULT 1,
    S_Field TEXT(50),
    F_FieldName TEXT(50),
    F_Field TEXT(255)
);

CREATE TABLE t_code (
    F_ID COUNTER PRIMARY KEY,
    F_Name TEXT(255),
    F_type TEXT(50)
);

-- ============================================================================================
-- Estates, houses, parking spaces, spare parts and stock movements
-- ============================================================================================

CREATE TABLE T_XQinfo (
    F_ID COUNTER PRIMARY KEY,
    F_code TEXT(50),
    F_name TEXT(255),
    F_address TEXT(255),
    F_LDamount DOUBLE DEFAULT 0,
    F_DYamount LONG DEFAULT 0,
    F_FJamount LONG DEFAULT 0,
    F_LCjiegou TEXT(50),
    F_ZHamount LONG DEFAULT 0,
    F_KZamount LONG DEFAULT 0,
    F_mem1 MEMO,
    F_mem2 MEMO
);

CREATE TABLE T_FCinfo (
    F_ID COUNTER PRIMARY KEY,
    F_XQname TEXT(50),
    F_LDcode TEXT(50),
    F_DYcode TEXT(50),
    F_code TEXT(50),
    F_FXtype TEXT(50),
    F_LouCeng TEXT(50),
    F_chaoXiang TEXT(50),
    F_curStatus TEXT(50),
    F_buildArea DOUBLE DEFAULT 0,
    F_useArea DOUBLE DEFAULT 0,
    F_chanquan TEXT(255),
    F_mem1 MEMO,
    F_useStatus TEXT(255),
    F_useDate DATETIME,
    F_HTcode TEXT(50),
    F_HTprice DOUBLE DEFAULT 0,
    F_HTdate DATETIME,
    F_HTtype TEXT(50),
    F_FZname TEXT(50),
    F_FZsex TEXT(50),
    F_FZphone TEXT(50),
    F_handphone TEXT(50),
    F_SFZcode TEXT(50),
    F_FZunit TEXT(50),
    F_FZaddress TEXT(255),
    F_mem2 MEMO,
    F_ZHname TEXT(50),
    F_RZdate DATETIME,
    F_ZHphone TEXT(50),
    F_ZHhandphone TEXT(50),
    F_ZHSFZcode TEXT(50),
    F_ZHwork TEXT(255),
    F_mem3 MEMO,
    F_ZHnum DOUBLE DEFAULT 0
);

CREATE TABLE T_carPos (
    F_ID COUNTER PRIMARY KEY,
    F_code TEXT(50),
    F_address TEXT(255),
    F_YSprice DOUBLE DEFAULT 0,
    F_YZprice DOUBLE DEFAULT 0,
    F_memo1 MEMO,
    F_flag YESNO DEFAULT False,
    F_fromDate DATETIME,
    F_toDate DATETIME,
    F_CQstatus TEXT(50),
    F_SJprice DOUBLE DEFAULT 0,
    F_mainID LONG,
    F_FZcode TEXT(50),
    F_FZname TEXT(50),
    F_XQname TEXT(50),
    F_LDcode TEXT(50),
    F_CarCode TEXT(50),
    F_phone TEXT(50),
    F_handPhone TEXT(50),
    F_empName TEXT(50),
    F_Haddress TEXT(255)
);

CREATE TABLE T_PJinfo (
    F_ID COUNTER PRIMARY KEY,
    F_code TEXT(50),
    F_name TEXT(50),
    F_type TEXT(50),
    F_spec TEXT(50),
    F_unit TEXT(50),
    F_address TEXT(200),
    F_price1 DOUBLE DEFAULT 0,
    F_price2 DOUBLE DEFAULT 0,
    F_amount DOUBLE DEFAULT 0,
    F_rate DOUBLE DEFAULT 0,
    F_mem MEMO,
    F_XQname TEXT(50),
    F_typeID LONG DEFAULT 0,
    F_flag YESNO DEFAULT False,
    F_IFduihuan YESNO DEFAULT False,
    F_dhJF DOUBLE DEFAULT 0
);

CREATE TABLE T_pjJHrec (
    F_ID COUNTER PRIMARY KEY,
    F_PJcode TEXT(50),
    F_editDate DATETIME,
    F_amount DOUBLE DEFAULT 0,
    F_memo1 MEMO,
    F_price1 DOUBLE DEFAULT 0,
    F_price2 DOUBLE DEFAULT 0,
    F_OperName TEXT(50),
    F_OperFlag LONG DEFAULT 1,
    F_XQname TEXT(50)
);

-- ============================================================================================
-- Site registers and fee items
-- ============================================================================================

CREATE TABLE T_publicSet (
    F_ID COUNTER PRIMARY KEY,
    F_code TEXT(50),
    F_name TEXT(255),
    F_type TEXT(50),
    F_pinpai TEXT(255),
    F_spec TEXT(255),
    F_address TEXT(255),
    F_amount DOUBLE DEFAULT 0,
    F_price DOUBLE DEFAULT 0,
    F_totalprice DOUBLE DEFAULT 0,
    F_memo1 MEMO,
    F_useFlag YESNO DEFAULT False,
    F_XQname TEXT(50)
);

CREATE TABLE T_BJinfo (
    F_ID COUNTER PRIMARY KEY,
    F_code TEXT(50),
    F_type TEXT(50),
    F_area TEXT(50),
    F_FZRemp TEXT(50),
    F_date DATETIME,
    F_YSmem MEMO,
    F_memo1 MEMO,
    F_XQname TEXT(255)
);

CREATE TABLE T_XLinfo (
    F_ID COUNTER PRIMARY KEY,
    F_code TEXT(50),
    F_DSRemp TEXT(50),
    F_type TEXT(50),
    F_area TEXT(50),
    F_CLRemp TEXT(50),
    F_date DATETIME,
    F_time DATETIME,
    F_CLmem MEMO,
    F_memo1 MEMO,
    F_XQname TEXT(50)
);

CREATE TABLE T_YJinfo (
    F_ID COUNTER PRIMARY KEY,
    F_code TEXT(50),
    F_YZcode TEXT(50),
    F_YZname TEXT(50),
    F_date DATETIME,
    F_JDemp TEXT(50),
    F_memo1 MEMO,
    F_type TEXT(50),
    F_SLdate DATETIME,
    F_SLemp TEXT(50),
    F_memo2 MEMO,
    F_SLtype TEXT(50),
    F_XQname TEXT(50)
);

CREATE TABLE T_FYinfo (
    F_ID COUNTER PRIMARY KEY,
    F_code TEXT(50),
    F_name TEXT(50),
    F_SFtype TEXT(50),
    F_SFprice DOUBLE DEFAULT 0,
    F_SFcycle TEXT(50),
    F_memo1 MEMO,
    F_XQname TEXT(50)
);

-- ============================================================================================
-- Fee ledger, receipts and prepayments
-- ============================================================================================

CREATE TABLE T_wyFYrec (
    F_ID COUNTER PRIMARY KEY,
    F_mainID LONG,
    F_XQname TEXT(50),
    F_LDcode TEXT(50),
    F_FZcode TEXT(50),
    F_FZname TEXT(50),
    F_fromDate DATETIME,
    F_toDate DATETIME,
    F_SFdate DATETIME,
    F_editDate DATETIME,
    F_Bamount DOUBLE DEFAULT 0,
    F_Eamount DOUBLE DEFAULT 0,
    F_amount DOUBLE DEFAULT 0,
    F_price DOUBLE DEFAULT 0,
    F_totalPrice DOUBLE DEFAULT 0,
    F_memo1 MEMO,
    F_SFtype TEXT(50),
    F_SFname TEXT(50),
    F_empName TEXT(50),
    F_OperName TEXT(50),
    F_JFflag YESNO DEFAULT False,
    F_JFcode TEXT(50),
    F_GTid TEXT(50),
    F_GTflag LONG DEFAULT 0
);

CREATE TABLE T_wyFKrec (
    F_ID COUNTER PRIMARY KEY,
    F_mainID LONG,
    F_LDcode TEXT(50),
    F_XQname TEXT(50),
    F_FZcode TEXT(50),
    F_FZname TEXT(50),
    F_QFnum DOUBLE DEFAULT 0,
    F_QFprice DOUBLE DEFAULT 0,
    F_XDnum DOUBLE DEFAULT 0,
    F_FKprice DOUBLE DEFAULT 0,
    F_bankPrice DOUBLE DEFAULT 0,
    F_YSprice DOUBLE DEFAULT 0,
    F_YHprice DOUBLE DEFAULT 0,
    F_SKtype TEXT(50),
    F_SKprice DOUBLE DEFAULT 0,
    F_ZLprice DOUBLE DEFAULT 0,
    F_memo1 MEMO,
    F_code TEXT(50),
    F_JFdate DATETIME,
    F_OperName TEXT(50)
);

CREATE TABLE T_YSKrec (
    F_ID COUNTER PRIMARY KEY,
    F_mainID LONG,
    F_FZcode TEXT(50),
    F_XQname TEXT(50),
    F_LDcode TEXT(50),
    F_FZname TEXT(50),
    F_SFdate DATETIME,
    F_price DOUBLE DEFAULT 0,
    F_billCode TEXT(50),
    F_memo1 MEMO,
    F_Empname TEXT(50),
    F_editDate DATETIME,
    F_OperFlag LONG DEFAULT 1
);

-- ============================================================================================
-- Shared meters and shared-fee records
-- ============================================================================================

CREATE TABLE t_GTinfo (
    F_ID COUNTER PRIMARY KEY,
    F_code TEXT(50),
    F_name TEXT(50),
    F_type TEXT(50),
    F_amount DOUBLE DEFAULT 0,
    F_memo1 MEMO,
    F_XQname TEXT(50)
);

CREATE TABLE t_GTdetail (
    F_ID COUNTER PRIMARY KEY,
    F_code TEXT(50),
    F_mainID LONG,
    F_XQname TEXT(50),
    F_LDcode TEXT(50),
    F_FZcode TEXT(50),
    F_FZname TEXT(50),
    F_memo1 MEMO
);

CREATE TABLE t_wyGTrec (
    F_ID COUNTER PRIMARY KEY,
    F_GTid TEXT(50),
    F_GTcode TEXT(50),
    F_GTname TEXT(50),
    F_GTtype TEXT(50),
    F_GThs LONG DEFAULT 0,
    F_fromDate DATETIME,
    F_toDate DATETIME,
    F_SFdate DATETIME,
    F_Bamount DOUBLE DEFAULT 0,
    F_Eamount DOUBLE DEFAULT 0,
    F_amount DOUBLE DEFAULT 0,
    F_price DOUBLE DEFAULT 0,
    F_totalPrice DOUBLE DEFAULT 0,
    F_memo1 MEMO,
    F_empName TEXT(50),
    F_operName TEXT(50),
    F_SFtype TEXT(50),
    F_SFname TEXT(50),
    F_editDate DATETIME,
    F_XQname TEXT(50)
);

-- ============================================================================================
-- Household repairs and the pickers' work table
-- ============================================================================================

CREATE TABLE T_ZHBX (
    F_ID COUNTER PRIMARY KEY,
    F_code TEXT(50),
    F_mainID LONG DEFAULT -1,
    F_FZcode TEXT(50),
    F_FZname TEXT(50),
    F_XQname TEXT(50),
    F_LDcode TEXT(50),
    F_bxDate DATETIME,
    F_JDemp TEXT(50),
    F_memo1 MEMO,
    F_WXemp TEXT(50),
    F_xfDate DATETIME,
    F_memo2 MEMO,
    F_MYtype TEXT(50),
    F_fwPrice DOUBLE DEFAULT 0,
    F_wlPrice DOUBLE DEFAULT 0,
    F_totalprice DOUBLE DEFAULT 0
);

CREATE TABLE t_ZHBXdetail (
    F_ID COUNTER PRIMARY KEY,
    F_code TEXT(50),
    F_PJcode TEXT(50),
    F_PJname TEXT(255),
    F_type TEXT(50),
    F_pinpai TEXT(255),
    F_spec TEXT(50),
    F_address TEXT(255),
    F_unit TEXT(50),
    F_amount DOUBLE DEFAULT 0,
    F_price DOUBLE DEFAULT 0,
    F_totalprice DOUBLE DEFAULT 0,
    F_mem MEMO
);

CREATE TABLE tempCode (
    F_code TEXT(50)
);

-- ============================================================================================
-- Work tables of the statistics
-- ============================================================================================

CREATE TABLE tempFYrec (
    F_MainID LONG DEFAULT 0,
    F_XQname TEXT(50),
    F_LDcode TEXT(50),
    F_FZcode TEXT(50),
    F_FZname TEXT(50),
    F_SFdate DATETIME,
    F_Month DATETIME,
    F_SZ1 CURRENCY DEFAULT 0,
    F_SZ2 CURRENCY DEFAULT 0,
    F_SZ3 CURRENCY DEFAULT 0,
    F_SZ4 CURRENCY DEFAULT 0,
    F_SZ5 CURRENCY DEFAULT 0,
    F_SZ6 CURRENCY DEFAULT 0,
    F_SZ7 CURRENCY DEFAULT 0,
    F_SZ8 CURRENCY DEFAULT 0,
    F_SZ9 CURRENCY DEFAULT 0,
    F_SZ10 CURRENCY DEFAULT 0,
    F_SZ11 CURRENCY DEFAULT 0,
    F_SZ12 CURRENCY DEFAULT 0,
    F_SZ13 CURRENCY DEFAULT 0,
    F_SZ14 CURRENCY DEFAULT 0,
    F_SZ15 CURRENCY DEFAULT 0,
    F_totalPrice CURRENCY DEFAULT 0,
    F_flag LONG DEFAULT 0
);

CREATE TABLE tempJYrec (
    F_code TEXT(50),
    F_name TEXT(50),
    F_beginYS CURRENCY DEFAULT 0,
    F_beginSS CURRENCY DEFAULT 0,
    F_beginWS CURRENCY DEFAULT 0,
    F_enterYS CURRENCY DEFAULT 0,
    F_enterSS CURRENCY DEFAULT 0,
    F_enterWS CURRENCY DEFAULT 0,
    F_endYS CURRENCY DEFAULT 0,
    F_endSS CURRENCY DEFAULT 0,
    F_endWS CURRENCY DEFAULT 0,
    F_flag LONG DEFAULT 0
);

CREATE TABLE tempDepot (
    F_PJcode TEXT(50),
    F_amount DOUBLE DEFAULT 0,
    F_totalprice DOUBLE DEFAULT 0,
    F_enter DOUBLE DEFAULT 0,
    F_out DOUBLE DEFAULT 0,
    F_sale DOUBLE DEFAULT 0,
    F_salePrice DOUBLE DEFAULT 0,
    F_beginPrice DOUBLE DEFAULT 0,
    F_rate DOUBLE DEFAULT 0,
    F_begin DOUBLE DEFAULT 0,
    F_flag LONG DEFAULT 0
);

-- ============================================================================================
-- Rows the system expects to find
-- ============================================================================================

-- The operator "admin", with the empty password (its stored form is empty too).
INSERT INTO OperList (F_Name, F_PassWord, F_Mem, F_Flag, F_xtFlag, F_XQflag, F_XQname)
VALUES ('admin', '', '系统超级用户', False, True, 0, '');

-- The catalogue of rights: one row per action, offered in the operator editor.
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('公司信息资料', '101', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('更改用户密码', '102', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('用户权限管理', '103', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('备份恢复', '104', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('数据清理', '105', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('压缩修复', '106', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('导入住户信息', '107', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('系统当前配置', '108', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('小区信息设置', '201', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('小区公共设施', '203', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('保洁绿化', '204', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('保安巡逻', '205', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('配件管理', '206', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('费用项目设置', '207', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('公摊费用设置', '208', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('选项...', '209', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('房产住户', '301', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('生成物业费', '303', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('收取物业费', '304', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('预收款管理', '305', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('车位管理', '306', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('报修管理', '307', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('建议意见', '308', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('生成公摊费', '309', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('缴费通知单', '401', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('交费收款单', '402', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('个人欠费查询', '403', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('配件库存查询', '404', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('应交费用明细统计', '501', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('应交费用汇总统计', '502', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('住户交费明细统计', '503', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('住户交费汇总统计', '504', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('物业报修查询统计', '505', True);
INSERT INTO Limits (F_name, F_code, F_flag) VALUES ('物业收费经营分析', '506', True);

-- The single settings row: no company data yet, two decimal places for quantities, prices and money.
INSERT INTO SysInfo (F_Name, F_Address, F_Phone, F_Fax, F_HomePage, F_Linker, F_buildDate, F_Email,
                     F_Enroler, F_EnrolPrice, F_empNumber, F_Mem, F_BakPath, F_iAmount, F_iPrice, F_iTotal)
VALUES ('', '', '', '', '', '', #1900-08-14#, '', '', 0, 0, '', '', 2, 2, 2);

-- The option codes the system names itself: charging methods, pay types and house sale states.
INSERT INTO t_code (F_Name, F_type) VALUES ('按用量', 'sftype');
INSERT INTO t_code (F_Name, F_type) VALUES ('按面积', 'sftype');
INSERT INTO t_code (F_Name, F_type) VALUES ('按住户', 'sftype');
INSERT INTO t_code (F_Name, F_type) VALUES ('按自定义', 'sftype');
INSERT INTO t_code (F_Name, F_type) VALUES ('现金', 'SKtype');
INSERT INTO t_code (F_Name, F_type) VALUES ('预收款', 'SKtype');
INSERT INTO t_code (F_Name, F_type) VALUES ('未销售', 'curstatus');
INSERT INTO t_code (F_Name, F_type) VALUES ('已销售', 'curstatus');
INSERT INTO t_code (F_Name, F_type) VALUES ('已入住', 'curstatus');

-- The column map of the house import: every field of T_FCinfo the house dialog writes, with the
-- title the workbook's first row gives it.
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_XQname', '小区名称', '小区名称');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_LDcode', '楼幢号', '楼幢号');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_DYcode', '单元', '单元');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_code', '房间编号', '房间编号');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_FXtype', '房型', '房型');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_LouCeng', '楼层', '楼层');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_chaoXiang', '房间朝向', '房间朝向');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_curStatus', '当前状态', '当前状态');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_buildArea', '建筑面积', '建筑面积');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_useArea', '实用面积', '实用面积');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_chanquan', '产权状况', '产权状况');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_mem1', '房屋备注', '房屋备注');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_HTcode', '合同编号', '合同编号');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_HTprice', '合同金额', '合同金额');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_HTdate', '合同日期', '合同日期');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_HTtype', '合同类型', '合同类型');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_FZname', '业主姓名', '业主姓名');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_FZsex', '性别', '性别');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_FZphone', '联系电话', '联系电话');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_handphone', '联系手机', '联系手机');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_SFZcode', '身份证号', '身份证号');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_FZunit', '业主单位', '业主单位');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_FZaddress', '业主住址', '业主住址');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_mem2', '合同备注', '合同备注');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_ZHname', '住户姓名', '住户姓名');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_RZdate', '入住日期', '入住日期');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_ZHphone', '住户联系电话', '住户联系电话');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_ZHhandphone', '住户联系手机', '住户联系手机');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_ZHSFZcode', '住户身份证号', '住户身份证号');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_ZHwork', '从事行业', '从事行业');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_mem3', '住户备注', '住户备注');
INSERT INTO cfg_import (F_tablename, F_iFlag, S_Field, F_FieldName, F_Field) VALUES ('T_FCinfo', 1, 'F_ZHnum', '实住人数', '实住人数');
