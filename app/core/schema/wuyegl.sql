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
    F_HTprice CURRENCY DEFAULT 0,
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
    F_YSprice CURRENCY DEFAULT 0,
    F_YZprice CURRENCY DEFAULT 0,
    F_memo1 MEMO,
    F_flag YESNO DEFAULT False,
    F_fromDate DATETIME,
    F_toDate DATETIME,
    F_CQstatus TEXT(50),
    F_SJprice CURRENCY DEFAULT 0,
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
    F_price1 CURRENCY DEFAULT 0,
    F_price2 CURRENCY DEFAULT 0,
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
    F_price1 CURRENCY DEFAULT 0,
    F_price2 CURRENCY DEFAULT 0,
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
    F_price CURRENCY DEFAULT 0,
    F_totalprice CURRENCY DEFAULT 0,
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
    F_SFprice CURRENCY DEFAULT 0,
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
    F_price CURRENCY DEFAULT 0,
    F_totalPrice CURRENCY DEFAULT 0,
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
    F_QFprice CURRENCY DEFAULT 0,
    F_XDnum DOUBLE DEFAULT 0,
    F_FKprice CURRENCY DEFAULT 0,
    F_bankPrice CURRENCY DEFAULT 0,
    F_YSprice CURRENCY DEFAULT 0,
    F_YHprice CURRENCY DEFAULT 0,
    F_SKtype TEXT(50),
    F_SKprice CURRENCY DEFAULT 0,
    F_ZLprice CURRENCY DEFAULT 0,
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
    F_price CURRENCY DEFAULT 0,
    F_billCode TEXT(50),
    F_memo1 MEMO,
    F_Empname TEXT(50),
    F_editDate DATETIME,
    F_OperFlag LONG DEFAULT 1
);

-- The fee ledger's repeated reads: a house's rows of one item, the rows of a receipt, a house's
-- prepayments.
CREATE INDEX ix_wyFYrec_item ON T_wyFYrec (F_mainID, F_SFtype, F_SFname);
CREATE INDEX ix_wyFYrec_JFcode ON T_wyFYrec (F_JFcode);
CREATE INDEX ix_YSKrec_mainID ON T_YSKrec (F_mainID);

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
    F_price CURRENCY DEFAULT 0,
    F_totalPrice CURRENCY DEFAULT 0,
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
    F_fwPrice CURRENCY DEFAULT 0,
    F_wlPrice CURRENCY DEFAULT 0,
    F_totalprice CURRENCY DEFAULT 0
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
    F_price CURRENCY DEFAULT 0,
    F_totalprice CURRENCY DEFAULT 0,
    F_mem MEMO,
    F_PJid LONG
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
    F_totalprice CURRENCY DEFAULT 0,
    F_enter DOUBLE DEFAULT 0,
    F_out DOUBLE DEFAULT 0,
    F_sale DOUBLE DEFAULT 0,
    F_salePrice CURRENCY DEFAULT 0,
    F_beginPrice CURRENCY DEFAULT 0,
    F_rate DOUBLE DEFAULT 0,
    F_begin DOUBLE DEFAULT 0,
    F_flag LONG DEFAULT 0,
    F_PJid LONG DEFAULT 0
);

-- ============================================================================================
-- Codes handed out by numbering are unique: two workstations numbering at the same moment get
-- a key violation instead of a second row with the same code, and number on.
-- ============================================================================================

CREATE UNIQUE INDEX ux_XQinfo_code ON T_XQinfo (F_code);
CREATE UNIQUE INDEX ux_FCinfo_code ON T_FCinfo (F_XQname, F_LDcode, F_code);
CREATE UNIQUE INDEX ux_publicSet_code ON T_publicSet (F_code);
CREATE UNIQUE INDEX ux_BJinfo_code ON T_BJinfo (F_code);
CREATE UNIQUE INDEX ux_XLinfo_code ON T_XLinfo (F_code);
CREATE UNIQUE INDEX ux_YJinfo_code ON T_YJinfo (F_code);
CREATE UNIQUE INDEX ux_FYinfo_code ON T_FYinfo (F_code);
CREATE UNIQUE INDEX ux_wyFKrec_code ON T_wyFKrec (F_code);
CREATE UNIQUE INDEX ux_wyGTrec_id ON t_wyGTrec (F_GTid);
CREATE UNIQUE INDEX ux_ZHBX_code ON T_ZHBX (F_code);
CREATE UNIQUE INDEX ux_carPos_code ON T_carPos (F_code);
CREATE UNIQUE INDEX ux_PJinfo_code ON T_PJinfo (F_XQname, F_code);
CREATE UNIQUE INDEX ux_FYinfo_name ON T_FYinfo (F_name);

-- Operator names are unique (without regard to case): two stations adding one name at the same
-- moment cannot both write it.
CREATE UNIQUE INDEX ux_OperList_name ON OperList (F_Name);

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

-- Saved grid layouts of the register windows, one row per window key and column in the order the
-- windows show them. F_Alignment -1 keeps the grid's own alignment (numbers right, text left); the
-- grids themselves are read-only, so no column is.

-- XQinfoGL
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('XQinfoGL', 'F_code', '小区编号', 80, True, False, '', '', 0, -1, 0);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('XQinfoGL', 'F_name', '小区名称', 80, True, False, '', '', 0, -1, 1);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('XQinfoGL', 'F_address', '位置', 80, True, False, '', '', 0, -1, 2);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('XQinfoGL', 'F_LDamount', '楼幢数', 80, True, False, '', '', 0, -1, 3);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('XQinfoGL', 'F_DYamount', '单元数', 80, True, False, '', '', 0, -1, 4);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('XQinfoGL', 'F_FJamount', '房间数', 80, True, False, '', '', 0, -1, 5);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('XQinfoGL', 'F_LCjiegou', '楼层结构', 80, True, False, '', '', 0, -1, 6);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('XQinfoGL', 'F_ZHamount', '住户数', 80, True, False, '', '', 0, -1, 7);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('XQinfoGL', 'F_KZamount', '空置数', 80, True, False, '', '', 0, -1, 8);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('XQinfoGL', 'F_mem1', '楼宇概况', 150, True, False, '', '', 0, -1, 9);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('XQinfoGL', 'F_mem2', '备注', 150, True, False, '', '', 0, -1, 10);

-- FCinfoGL
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_XQname', '小区名称', 80, True, False, '', '合  计', 1, -1, 0);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_LDcode', '楼幢号', 80, True, False, '', '', 0, -1, 1);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_DYcode', '单元', 80, True, False, '', '', 0, -1, 2);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_code', '房间编号', 80, True, False, '', '', 0, -1, 3);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_FXtype', '房型', 80, True, False, '', '', 0, -1, 4);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_LouCeng', '楼层', 80, True, False, '', '', 0, -1, 5);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_chaoXiang', '朝向', 80, True, False, '', '', 0, -1, 6);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_curStatus', '当前状态', 80, True, False, '', '', 0, -1, 7);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_buildArea', '建筑面积', 80, True, False, '', '', 0, -1, 8);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_useArea', '使用面积', 80, True, False, '', '', 0, -1, 9);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_chanquan', '产权状况', 80, True, False, '', '', 0, -1, 10);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_mem1', '房屋备注', 150, True, False, '', '', 0, -1, 11);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_HTcode', '合同编号', 80, True, False, '', '', 0, -1, 12);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_HTprice', '合同金额', 80, True, False, '', '', 2, -1, 13);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_HTdate', '合同日期', 80, True, False, '', '', 0, -1, 14);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_HTtype', '合同类型', 80, True, False, '', '', 0, -1, 15);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_FZname', '业主姓名', 80, True, False, '', '', 0, -1, 16);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_FZsex', '业主性别', 80, True, False, '', '', 0, -1, 17);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_FZphone', '业主电话', 80, True, False, '', '', 0, -1, 18);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_handphone', '业主手机', 80, True, False, '', '', 0, -1, 19);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_SFZcode', '身份证号', 80, True, False, '', '', 0, -1, 20);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_FZunit', '业主单位', 80, True, False, '', '', 0, -1, 21);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_FZaddress', '业主住址', 80, True, False, '', '', 0, -1, 22);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_mem2', '合同备注', 150, True, False, '', '', 0, -1, 23);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_ZHname', '住户姓名', 80, True, False, '', '', 0, -1, 24);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_RZdate', '入住日期', 80, True, False, '', '', 0, -1, 25);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_ZHphone', '住户电话', 80, True, False, '', '', 0, -1, 26);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_ZHhandphone', '住户手机', 80, True, False, '', '', 0, -1, 27);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_ZHSFZcode', '住户身份证', 80, True, False, '', '', 0, -1, 28);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_ZHwork', '从事行业', 80, True, False, '', '', 0, -1, 29);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_ZHnum', '住户人数', 80, True, False, '', '', 0, -1, 30);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FCinfoGL', 'F_mem3', '住户备注', 150, True, False, '', '', 0, -1, 31);

-- CarPosGL
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('CarPosGL', 'F_code', '车位编号', 80, True, False, '', '合  计', 1, -1, 0);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('CarPosGL', 'F_address', '位置', 80, True, False, '', '', 0, -1, 1);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('CarPosGL', 'F_YSprice', '预售价格', 80, True, False, '', '', 0, -1, 2);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('CarPosGL', 'F_YZprice', '预租价格', 80, True, False, '', '', 0, -1, 3);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('CarPosGL', 'F_XQname', '小区名称', 80, True, False, '', '', 0, -1, 4);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('CarPosGL', 'F_FZcode', '房间编号', 80, True, False, '', '', 0, -1, 5);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('CarPosGL', 'F_FZname', '业主姓名', 80, True, False, '', '', 0, -1, 6);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('CarPosGL', 'F_CarCode', '车辆号码', 80, True, False, '', '', 0, -1, 7);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('CarPosGL', 'F_phone', '联系电话', 80, True, False, '', '', 0, -1, 8);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('CarPosGL', 'F_handPhone', '手机', 80, True, False, '', '', 0, -1, 9);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('CarPosGL', 'F_fromDate', '起始日期', 80, True, False, '', '', 0, -1, 10);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('CarPosGL', 'F_toDate', '终止日期', 80, True, False, '', '', 0, -1, 11);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('CarPosGL', 'F_CQstatus', '产权状态', 80, True, False, '', '', 0, -1, 12);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('CarPosGL', 'F_SJprice', '价格', 80, True, False, '', '', 2, -1, 13);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('CarPosGL', 'F_Haddress', '用户地址', 80, True, False, '', '', 0, -1, 14);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('CarPosGL', 'F_memo1', '备注', 150, True, False, '', '', 0, -1, 15);

-- PJdepotGL
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('PJdepotGL', 'F_code', '编号', 80, True, False, '', '合  计', 1, -1, 0);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('PJdepotGL', 'F_name', '名称', 80, True, False, '', '', 0, -1, 1);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('PJdepotGL', 'F_type', '类别', 80, True, False, '', '', 0, -1, 2);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('PJdepotGL', 'F_spec', '规格', 80, True, False, '', '', 0, -1, 3);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('PJdepotGL', 'F_unit', '单位', 80, True, False, '', '', 0, -1, 4);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('PJdepotGL', 'F_address', '产地', 80, True, False, '', '', 0, -1, 5);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('PJdepotGL', 'F_price1', '预售单价', 80, True, False, '', '', 0, -1, 6);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('PJdepotGL', 'F_price2', '进货单价', 80, True, False, '', '', 0, -1, 7);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('PJdepotGL', 'F_amount', '库存数量', 80, True, False, '', '', 2, -1, 8);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('PJdepotGL', 'F_rate', '最低折扣', 80, True, False, '', '', 0, -1, 9);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('PJdepotGL', 'F_mem', '备注', 150, True, False, '', '', 0, -1, 10);

-- PublicSetGL
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('PublicSetGL', 'F_code', '设施编号', 80, True, False, '', '合  计', 1, -1, 0);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('PublicSetGL', 'F_name', '设施名称', 80, True, False, '', '', 0, -1, 1);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('PublicSetGL', 'F_type', '类型', 80, True, False, '', '', 0, -1, 2);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('PublicSetGL', 'F_pinpai', '品牌', 80, True, False, '', '', 0, -1, 3);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('PublicSetGL', 'F_spec', '规格', 80, True, False, '', '', 0, -1, 4);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('PublicSetGL', 'F_address', '产地', 80, True, False, '', '', 0, -1, 5);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('PublicSetGL', 'F_amount', '数量', 80, True, False, '', '', 2, -1, 6);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('PublicSetGL', 'F_price', '单价', 80, True, False, '', '', 0, -1, 7);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('PublicSetGL', 'F_totalprice', '金额', 80, True, False, '', '', 2, -1, 8);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('PublicSetGL', 'F_XQname', '小区名称', 80, True, False, '', '', 0, -1, 9);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('PublicSetGL', 'F_memo1', '备注', 150, True, False, '', '', 0, -1, 10);

-- BJinfoGL
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('BJinfoGL', 'F_code', '编号', 80, True, False, '', '', 0, -1, 0);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('BJinfoGL', 'F_type', '类型', 80, True, False, '', '', 0, -1, 1);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('BJinfoGL', 'F_area', '区域', 80, True, False, '', '', 0, -1, 2);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('BJinfoGL', 'F_FZRemp', '负责人', 80, True, False, '', '', 0, -1, 3);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('BJinfoGL', 'F_date', '日期', 80, True, False, '', '', 0, -1, 4);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('BJinfoGL', 'F_YSmem', '验收', 150, True, False, '', '', 0, -1, 5);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('BJinfoGL', 'F_XQname', '小区名称', 80, True, False, '', '', 0, -1, 6);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('BJinfoGL', 'F_memo1', '备注', 150, True, False, '', '', 0, -1, 7);

-- XLinfoGL
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('XLinfoGL', 'F_code', '档案编号', 80, True, False, '', '', 0, -1, 0);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('XLinfoGL', 'F_DSRemp', '当事人', 80, True, False, '', '', 0, -1, 1);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('XLinfoGL', 'F_type', '事件类型', 80, True, False, '', '', 0, -1, 2);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('XLinfoGL', 'F_area', '区域', 80, True, False, '', '', 0, -1, 3);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('XLinfoGL', 'F_CLRemp', '处理人', 80, True, False, '', '', 0, -1, 4);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('XLinfoGL', 'F_date', '日期', 80, True, False, '', '', 0, -1, 5);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('XLinfoGL', 'F_time', '时间', 80, True, False, '', '', 0, -1, 6);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('XLinfoGL', 'F_CLmem', '处理结果', 150, True, False, '', '', 0, -1, 7);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('XLinfoGL', 'F_memo1', '事件简要', 150, True, False, '', '', 0, -1, 8);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('XLinfoGL', 'F_XQname', '小区名称', 80, True, False, '', '', 0, -1, 9);

-- YJinfoGL
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('YJinfoGL', 'F_code', '单据编号', 80, True, False, '', '', 0, -1, 0);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('YJinfoGL', 'F_XQname', '小区名称', 80, True, False, '', '', 0, -1, 1);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('YJinfoGL', 'F_YZcode', '业主门牌', 80, True, False, '', '', 0, -1, 2);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('YJinfoGL', 'F_YZname', '业主姓名', 80, True, False, '', '', 0, -1, 3);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('YJinfoGL', 'F_date', '建议时间', 80, True, False, '', '', 0, -1, 4);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('YJinfoGL', 'F_JDemp', '接待员工', 80, True, False, '', '', 0, -1, 5);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('YJinfoGL', 'F_memo1', '建议内容', 150, True, False, '', '', 0, -1, 6);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('YJinfoGL', 'F_type', '内容类型', 80, True, False, '', '', 0, -1, 7);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('YJinfoGL', 'F_SLdate', '受理时间', 80, True, False, '', '', 0, -1, 8);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('YJinfoGL', 'F_SLemp', '受理员工', 80, True, False, '', '', 0, -1, 9);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('YJinfoGL', 'F_memo2', '业主反馈', 150, True, False, '', '', 0, -1, 10);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('YJinfoGL', 'F_SLtype', '受理状态', 80, True, False, '', '', 0, -1, 11);

-- FYinfoGL
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FYinfoGL', 'F_code', '编号', 80, True, False, '', '', 0, -1, 0);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FYinfoGL', 'F_name', '名称', 80, True, False, '', '', 0, -1, 1);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FYinfoGL', 'F_SFtype', '收费方式', 80, True, False, '', '', 0, -1, 2);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FYinfoGL', 'F_SFprice', '单位价格', 80, True, False, '', '', 0, -1, 3);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FYinfoGL', 'F_SFcycle', '收费周期', 80, True, False, '', '', 0, -1, 4);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FYinfoGL', 'F_XQname', '小区名称', 80, True, False, '', '', 0, -1, 5);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('FYinfoGL', 'F_memo1', '备注', 150, True, False, '', '', 0, -1, 6);

-- GTFYinfoGL1
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('GTFYinfoGL1', 'F_code', '编号', 80, True, False, '', '', 0, -1, 0);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('GTFYinfoGL1', 'F_name', '名称', 80, True, False, '', '', 0, -1, 1);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('GTFYinfoGL1', 'F_type', '类型', 80, True, False, '', '', 0, -1, 2);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('GTFYinfoGL1', 'F_amount', '读数', 80, True, False, '', '', 0, -1, 3);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('GTFYinfoGL1', 'F_XQname', '小区名称', 80, True, False, '', '', 0, -1, 4);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('GTFYinfoGL1', 'F_memo1', '备注', 150, True, False, '', '', 0, -1, 5);

-- GTFYinfoGL2
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('GTFYinfoGL2', 'F_XQname', '小区名称', 80, True, False, '', '', 0, -1, 0);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('GTFYinfoGL2', 'F_LDcode', '楼幢编号', 80, True, False, '', '', 0, -1, 1);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('GTFYinfoGL2', 'F_FZcode', '房间编号', 80, True, False, '', '', 0, -1, 2);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('GTFYinfoGL2', 'F_FZname', '业主姓名', 80, True, False, '', '', 0, -1, 3);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('GTFYinfoGL2', 'F_memo1', '备注', 150, True, False, '', '', 0, -1, 4);

-- wyGTFYscgl1
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wyGTFYscgl1', 'F_GTcode', '公摊编号', 80, True, False, '', '', 0, -1, 0);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wyGTFYscgl1', 'F_GTname', '公摊名称', 80, True, False, '', '', 0, -1, 1);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wyGTFYscgl1', 'F_GTtype', '公摊类型', 80, True, False, '', '', 0, -1, 2);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wyGTFYscgl1', 'F_GThs', '户数', 80, True, False, '', '', 0, -1, 3);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wyGTFYscgl1', 'F_fromDate', '上次日期', 80, True, False, '', '', 0, -1, 4);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wyGTFYscgl1', 'F_toDate', '本次日期', 80, True, False, '', '', 0, -1, 5);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wyGTFYscgl1', 'F_SFdate', '交费期限', 80, True, False, '', '', 0, -1, 6);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wyGTFYscgl1', 'F_Bamount', '上次读数', 80, True, False, '', '', 0, -1, 7);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wyGTFYscgl1', 'F_Eamount', '本次读数', 80, True, False, '', '', 0, -1, 8);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wyGTFYscgl1', 'F_amount', '实用量', 80, True, False, '', '', 0, -1, 9);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wyGTFYscgl1', 'F_price', '单价', 80, True, False, '', '', 0, -1, 10);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wyGTFYscgl1', 'F_totalPrice', '应交费用', 80, True, False, '', '', 0, -1, 11);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wyGTFYscgl1', 'F_editDate', '编辑日期', 80, True, False, '', '', 0, -1, 12);

-- wyGTFYscgl2
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wyGTFYscgl2', 'F_XQname', '小区名称', 80, True, False, '', '', 0, -1, 0);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wyGTFYscgl2', 'F_LDcode', '楼幢号', 80, True, False, '', '', 0, -1, 1);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wyGTFYscgl2', 'F_FZcode', '房间编号', 80, True, False, '', '', 0, -1, 2);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wyGTFYscgl2', 'F_FZname', '业主姓名', 80, True, False, '', '', 0, -1, 3);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wyGTFYscgl2', 'F_amount', '分摊量', 80, True, False, '', '', 0, -1, 4);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wyGTFYscgl2', 'F_totalPrice', '分摊费用', 80, True, False, '', '', 0, -1, 5);

-- wuyeFYjsgl
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYjsgl', 'F_XQname', '小区名称', 80, True, False, '', '', 0, -1, 0);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYjsgl', 'F_code', '房间编号', 80, True, False, '', '', 0, -1, 1);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYjsgl', 'F_FZname', '业主姓名', 80, True, False, '', '', 0, -1, 2);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYjsgl', 'F_LDcode', '楼幢号', 80, True, False, '', '', 0, -1, 3);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYjsgl', 'F_DYcode', '单元', 80, True, False, '', '', 0, -1, 4);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYscgl1', 'F_XQname', '小区名称', 80, True, False, '', '合  计', 1, -1, 0);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYscgl1', 'F_LDcode', '楼幢号', 80, True, False, '', '', 0, -1, 1);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYscgl1', 'F_FZcode', '房间编号', 80, True, False, '', '', 0, -1, 2);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYscgl1', 'F_fromDate', '上次报表日期', 80, True, False, '', '', 0, -1, 3);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYscgl1', 'F_toDate', '本次报表日期', 80, True, False, '', '', 0, -1, 4);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYscgl1', 'F_SFdate', '交费限期', 80, True, False, '', '', 0, -1, 5);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYscgl1', 'F_Bamount', '上次读数', 80, True, False, '', '', 0, -1, 6);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYscgl1', 'F_Eamount', '本次读数', 80, True, False, '', '', 0, -1, 7);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYscgl1', 'F_amount', '实用量', 80, True, False, '', '', 2, -1, 8);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYscgl1', 'F_price', '单价', 80, True, False, '', '', 0, -1, 9);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYscgl1', 'F_totalPrice', '应交费用', 80, True, False, '', '', 2, -1, 10);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYscgl1', 'F_memo1', '备注', 80, True, False, '', '', 0, -1, 11);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYscgl1', 'F_editDate', '编辑日期', 80, True, False, '', '', 0, -1, 12);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYscgl2', 'F_XQname', '小区名称', 80, True, False, '', '合  计', 1, -1, 0);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYscgl2', 'F_LDcode', '楼幢号', 80, True, False, '', '', 0, -1, 1);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYscgl2', 'F_FZcode', '房间编号', 80, True, False, '', '', 0, -1, 2);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYscgl2', 'F_fromDate', '上次报表日期', 80, True, False, '', '', 0, -1, 3);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYscgl2', 'F_toDate', '本次报表日期', 80, True, False, '', '', 0, -1, 4);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYscgl2', 'F_SFdate', '交费限期', 80, True, False, '', '', 0, -1, 5);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYscgl2', 'F_amount', '计费单位', 80, True, False, '', '', 2, -1, 6);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYscgl2', 'F_price', '单位价格', 80, True, False, '', '', 0, -1, 7);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYscgl2', 'F_totalPrice', '应交费用', 80, True, False, '', '', 2, -1, 8);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYscgl2', 'F_memo1', '备注', 80, True, False, '', '', 0, -1, 9);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('wuyeFYscgl2', 'F_editDate', '编辑日期', 80, True, False, '', '', 0, -1, 10);

-- WYyskGl
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('WYyskGl', 'F_XQname', '小区名称', 80, True, False, '', '合  计', 1, -1, 0);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('WYyskGl', 'F_LDcode', '楼幢号', 80, True, False, '', '', 0, -1, 1);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('WYyskGl', 'F_FZcode', '房间编号', 80, True, False, '', '', 0, -1, 2);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('WYyskGl', 'F_FZname', '房主姓名', 80, True, False, '', '', 0, -1, 3);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('WYyskGl', 'F_SFdate', '收款日期', 80, True, False, '', '', 0, -1, 4);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('WYyskGl', 'F_billCode', '凭证号', 80, True, False, '', '', 0, -1, 5);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('WYyskGl', 'F_memo1', '摘要', 150, True, False, '', '', 0, -1, 6);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('WYyskGl', 'F_price', '金额', 80, True, False, '', '', 2, -1, 7);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('WYyskGl', 'F_empName', '经手人', 80, True, False, '', '', 0, -1, 8);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('WYyskGl', 'F_operFlag', '类型', 80, True, False, '', '', 0, -1, 9);

-- cltBXgl1
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('cltBXgl1', 'F_code', '编号', 80, True, False, '', '合  计', 1, -1, 0);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('cltBXgl1', 'F_JDemp', '接待人员', 80, True, False, '', '', 0, -1, 1);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('cltBXgl1', 'F_bxDate', '报修日期', 80, True, False, '', '', 0, -1, 2);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('cltBXgl1', 'F_WXemp', '维修人员', 80, True, False, '', '', 0, -1, 3);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('cltBXgl1', 'F_memo1', '故障现象', 150, True, False, '', '', 0, -1, 4);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('cltBXgl1', 'F_fwPrice', '服务费用', 80, True, False, '', '', 2, -1, 5);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('cltBXgl1', 'F_wlPrice', '材料费用', 80, True, False, '', '', 2, -1, 6);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('cltBXgl1', 'F_FZname', '业主姓名', 80, True, False, '', '', 0, -1, 7);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('cltBXgl1', 'F_FZcode', '业主编号', 80, True, False, '', '', 0, -1, 8);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('cltBXgl1', 'F_xfDate', '修复日期', 80, True, False, '', '', 0, -1, 9);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('cltBXgl1', 'F_totalprice', '费用合计', 80, True, False, '', '', 2, -1, 10);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('cltBXgl1', 'F_memo2', '处理结果', 150, True, False, '', '', 0, -1, 11);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('cltBXgl1', 'F_MYtype', '满意度', 80, True, False, '', '', 0, -1, 12);

-- cltBXgl2
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('cltBXgl2', 'F_PJcode', '配件编号', 80, True, False, '', '合  计', 1, -1, 0);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('cltBXgl2', 'F_PJname', '配件名称', 80, True, False, '', '', 0, -1, 1);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('cltBXgl2', 'F_type', '类型', 80, True, False, '', '', 0, -1, 2);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('cltBXgl2', 'F_spec', '规格', 80, True, False, '', '', 0, -1, 3);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('cltBXgl2', 'F_pinpai', '品牌', 80, True, False, '', '', 0, -1, 4);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('cltBXgl2', 'F_address', '产地', 80, True, False, '', '', 0, -1, 5);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('cltBXgl2', 'F_amount', '数量', 80, True, False, ',0.##;-,0.##', '', 2, -1, 6);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('cltBXgl2', 'F_price', '单价', 80, True, False, '￥,0.00##;-￥,0.00##', '', 0, -1, 7);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('cltBXgl2', 'F_totalprice', '金额', 80, True, False, '￥,0.00;-￥,0.00', '', 2, -1, 8);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('cltBXgl2', 'F_mem', '备注', 150, True, False, '', '', 0, -1, 9);

-- dlggoodxz
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('dlggoodxz', 'F_code', '编号', 80, True, False, '', '合  计', 1, -1, 0);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('dlggoodxz', 'F_name', '名称', 80, True, False, '', '', 0, -1, 1);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('dlggoodxz', 'F_type', '类别', 80, True, False, '', '', 0, -1, 2);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('dlggoodxz', 'F_spec', '规格', 80, True, False, '', '', 0, -1, 3);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('dlggoodxz', 'F_unit', '单位', 80, True, False, '', '', 0, -1, 4);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('dlggoodxz', 'F_address', '产地', 80, True, False, '', '', 0, -1, 5);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('dlggoodxz', 'F_price1', '预售单价', 80, True, False, '', '', 0, -1, 6);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('dlggoodxz', 'F_amount', '库存数量', 80, True, False, '', '', 2, -1, 7);
INSERT INTO cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) VALUES ('dlggoodxz', 'F_mem', '备注', 150, True, False, '', '', 0, -1, 8);
