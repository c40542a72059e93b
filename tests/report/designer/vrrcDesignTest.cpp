// The designer's two string tables: every listed key and id is in its table, lookups ignore case,
// the marked texts lose their "!", the designer table wins over the engine's, and a language file
// loaded later wins over the designer table.
#include "report/designer/vrrcDesign.h"
#include "TempDir.h"
#include "report/designer/vrrcHints.h"
#include "report/vrRes.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <gtest/gtest.h>

#include <fstream>
#include <utility>
#include <vector>

namespace {

// The named keys of the designer table, in table order.
const char* const DesignerKeys =
    "oiProp, oiEvent, dtNoData, dtNoData1, dtData, dtSysVar, dtVar, dtFunc, dsCm, dsInch, dsPix, "
    "dsChars, dsCode, dsData, dsPage, dsRepFilter, dsComprRepFilter, dsSavePreviewChanges, "
    "dsSaveChangesTo, dsCantLoad, dsStyleFile, dsCantFindProc, dsClearScript, dsNoStyle, "
    "dsStyleSample, dsTextNotFound, dsReplace, vaNoVar, vaVar, vaDupName, dbNotAssigned, agAggregate, "
    "vt1, vt2, vt3, vt4, vt5, vt6, olStretched, bcCalcChecksum, bcShowText, alUserName, alOriginal, "
    "qpName, qpDataType, qpValue, piEmpty, ch3D, chAxis, chsoNone, chsoAscending, chsoDescending, "
    "chxtText, chxtNumber, chxtDate, crStName, crResize, crSubtotal, crNone, crSum, crMin, crMax, "
    "crAvg, crCount, crAsc, crDesc, crFillMx, crBuildMx, fkText, fkNumber, fkDateTime, fkBoolean, "
    "fkNumber1, fkNumber2, fkNumber3, fkNumber4, fkDateTime1, fkDateTime2, fkDateTime3, fkDateTime4, "
    "fkDateTime5, fkDateTime6, fkDateTime7, fkBoolean1, fkBoolean2, fkBoolean3, fkBoolean4, "
    "rePrnOnPort, riNotInherited, riInherited, wzStd, wzDMP, wzStdEmpty, wzDMPEmpty, ftAllFiles, "
    "ftPictures, ftDB, ftRichFile, ftTextFile, prNotAssigned, prInvProp, prDupl, prPict, mvExpr, "
    "mvStretch, mvStretchToMax, mvShift, mvShiftOver, mvVisible, mvPrintable, mvFont, mvFormat, "
    "mvClear, mvAutoWidth, mvWWrap, mvSuppress, mvHideZ, mvHTML, lvDiagonal, pvAutoSize, pvCenter, "
    "pvAspect, bvSplit, bvKeepChild, bvPrintChild, bvStartPage, bvPrintIfEmpty, bvKeepDetail, "
    "bvKeepFooter, bvReprint, bvOnFirst, bvOnLast, bvKeepGroup, bvFooterAfterEach, bvDrillDown, "
    "bvResetPageNo, srParent, obCatDraw, obCatOther, obCatOtherControls, obDiagLine, obRect, "
    "obRoundRect, obEllipse, obTrian, obDiamond, obLabel, obEdit, obMemoC, obButton, obChBoxC, "
    "obRButton, obLBox, obCBox, obDateEdit, obImageC, obPanel, obGrBox, obBBtn, obSBtn, obMEdit, "
    "obChLB, obDBLookup, obBevel, obShape, obText, obSysText, obLine, obPicture, obBand, obDataBand, "
    "obSubRep, obDlgPage, obRepPage, obReport, obRich, obOLE, obChBox, obChart, obBarC, obCross, "
    "obDBCross, obGrad, obDMPText, obDMPLine, obDMPCmd, obBDEDB, obBDETb, obBDEQ, obBDEComps, "
    "obIBXDB, obIBXTb, obIBXQ, obIBXComps, obADODB, obADOTb, obADOQ, obADOComps, obDBXDB, obDBXTb, "
    "obDBXQ, obDBXComps, obFIBDB, obFIBTb, obFIBQ, obFIBComps, ctString, ctDate, ctConv, ctFormat, "
    "ctMath, ctOther, IntToStr, FloatToStr, DateToStr, TimeToStr, DateTimeToStr, VarToStr, StrToInt, "
    "StrToInt64, StrToFloat, StrToDate, StrToTime, StrToDateTime, Format, FormatFloat, "
    "FormatDateTime, FormatMaskText, EncodeDate, DecodeDate, EncodeTime, DecodeTime, Date, Time, Now, "
    "DayOfWeek, IsLeapYear, DaysInMonth, Length, Copy, Pos, Delete, Insert, Uppercase, Lowercase, "
    "Trim, NameCase, CompareText, Chr, Ord, SetLength, Round, Trunc, Int, Frac, Sqrt, Abs, Sin, Cos, "
    "ArcTan, Tan, Exp, Ln, Pi, Inc, Dec, RaiseException, ShowMessage, Randomize, Random, ValidInt, "
    "ValidFloat, ValidDate, IIF, Get, Set, InputBox, InputQuery, MessageDlg, CreateOleObject, "
    "VarArrayCreate, VarType, DayOf, MonthOf, YearOf, wzDBConn, wzDBTable, wzDBQuery, cpName, "
    "cpConnStr, ctAggregate, Sum, Avg, Min, Max, Count, bvKeepHeader, startCreateNew, "
    "startCreateBlank, startOpenReport, startOpenLast, startEditAliases, startHelp";

// The keys of the property hint table, in table order.
const char* const HintKeys =
    "propActive, propActive.TvrHighlight, propAliasName, propAlign, propAlignment, propAllowAllUp, "
    "propAllowEdit, propAllowExpressions, propAllowGrayed, propAllowHTMLTags, propAllowSplit, "
    "propAuthor, propAutoSize.TvrPictureView, propAutoWidth, propBackPicture, propBarType, "
    "propBevelInner, propBevelOuter, propBevelWidth, propBorder, propBorderStyle, propBottomMargin, "
    "propBrushStyle, propCalcCheckSum, propCancel, propCaption, propCellFields, propCellLevels, "
    "propCenter, propCharset, propCharSpacing, propCheckColor, propChecked, propCheckStyle, "
    "propChild, propClipped, propCollate, propColor.TFont, propColor, propColor.TvrFrame, "
    "propColor.TvrHighlight, propColumnFields, propColumnGap, propColumnLevels, propColumns, "
    "propColumnWidth, propCondition, propCondition.TvrHighlight, propConnected, propConvertNulls, "
    "propCopies, propCursor, propDatabaseName, propDataField, propDataSet, propDate, propDateFormat, "
    "propDecimalSeparator, propDefault, propDefHeight, propDescription.TvrReportOptions, "
    "propDescription, propDiagonal, propDisplayFormat, propDoublePass, propDown, propDownThenAcross, "
    "propDriverName, propDropShadow, propDuplex, propEditMask, propEnabled, propEngineOptions, "
    "propExpression, propExpressionDelimiters, propFieldAliases, propFilter, propFiltered, "
    "propFlowTo, propFont, propFooterAfterEach, propFormatStr, propFrame, propGapX, propGapY, "
    "propGlyph, propGroupIndex, propHAlign, propHeight, propHideZeros, propHighlight, propIndexName, "
    "propInitString, propItems, propKeepAspectRatio, propKeepChild, propKeepFooter, propKeepTogether, "
    "propKind.TvrFormat, propKind, propLargeDesignHeight, propLayout, propLeft, propLeftMargin, "
    "propLines, propLineSpacing, propLoginPrompt, propMargin, propMaster, propMasterFields, "
    "propMaxLength, propMaxWidth, propMemo, propMinWidth, propMirrorMargins, propModalResult, "
    "propName.TFont, propName.TvrReportOptions, propName, propNumGlyphs, propOpenDataSource, "
    "propOrientation, propOutlineText, propOutlineVisible, propOutlineWidth, "
    "propPageNumbers.TvrPrintOptions, propPaperHeight, propPaperWidth, propParagraphGap, "
    "propParams.TvrBDEDatabase, propParams, propParentFont, propPassword, propPasswordChar, "
    "propPicture, propPicture.TvrReportOptions, propPosition, propPreviewOptions, propPrintable, "
    "propPrintChildIfInvisible, propPrinter, propPrintIfDetailEmpty, propPrintIfEmpty, "
    "propPrintOnFirstPage, propPrintOnLastPage, propPrintOnParent, propPrintOnPreviousPage, "
    "propPrintOptions, propPrintPages, propRangeBegin, propRangeEnd, propRangeEndCount, propReadOnly, "
    "propRepeatHeaders, propReportOptions, propReprintOnNewPage, propRestrictions, propRightMargin, "
    "propRotation.TvrBarCodeView, propRotation, propRowCount, propRowFields, propRowLevels, "
    "propRTLReading, propSessionName, propShadowColor, propShadowWidth, propShape, propShiftMode, "
    "propShowColumnHeader, propShowColumnTotal, propShowRowHeader, propShowRowTotal, propShowDialog, "
    "propShowText, propSize, propSorted, propSpacing, propSQL, propStartNewPage, propStretch, "
    "propStretched, propStretchMode, propStyle.TFont, propStyle, propStyle.TvrFrame, "
    "propSuppressRepeated, propTableName, propTag, propTagStr, propText, propTitleBeforeHeader, "
    "propTop, propTopMargin, propTyp, propUnderlines, propURL, propUserName, propVAlign, "
    "propVersionBuild, propVersionMajor, propVersionMinor, propVersionRelease, propVisible, "
    "propWidth, propWidth.TvrFrame, propWindowState, propWordBreak, propWordWrap, "
    "propZoom.TvrBarCodeView, propKeepHeader, propConnectionName, propCurve, propDrillDown, "
    "propFontStyle, propHideIfSingleDataRecord, propOutlineExpand, propPlainCells, propPrintMode, "
    "propPrintOnSheet, propResetPageNumbers, propReverse, propShowFooterIfDrillDown, propSizeMode, "
    "propVersion, propWideBarRatio, propWysiwyg, propArrowEnd, propArrowLength, propArrowSolid, "
    "propArrowStart, propArrowWidth, propCloseDataSource, propDatabase, propIndexFieldNames, "
    "propCommandTimeOut, propExpandDrillDown, propWysiwyg.TvrMemoView, propLeftLine, propTopLine, "
    "propRightLine, propBottomLine, propColor.TvrFrameLine, propStyle.TvrFrameLine, "
    "propWidth.TvrFrameLine, propFileLink, propEndlessWidth, propEndlessHeight, propAddHeight, "
    "propAddWidth, propAllowDuplicates, propJoinEqualCells, propNextCross, propNextCrossGap, "
    "propShowCorner, propSuppressNullRecords, propShowTitle, propAutoSize, propShowHint, propHint, "
    "propPaperSize, propPageCount, propBackPictureVisible, propBackPicturePrintable, "
    "propHightQuality, propLockType, propIgnoreDupParams, propTransparent, propTransparentColor, "
    "propIgnoreNulls, propShowClildIfDrillDown";

// The numeric id ranges of the designer table, ends included.
const std::pair<int, int> DesignerIdRanges[] = {
    {2000, 2000}, {2100, 2106}, {2200, 2200}, {2300, 2478}, {2600, 2603}, {2700, 2727}, {2800, 2800},
    {2900, 2910}, {3000, 3032}, {3100, 3101}, {3200, 3207}, {3300, 3310}, {3400, 3403}, {3500, 3511},
    {3600, 3605}, {3700, 3700}, {3800, 3805}, {3900, 3907}, {4000, 4004}, {4100, 4109}, {4114, 4117},
    {4126, 4126}, {4200, 4213}, {4300, 4330}, {4400, 4401}, {4500, 4504}, {4600, 4610}, {4700, 4729},
    {4800, 4800}, {4900, 4901}, {5000, 5001}, {5100, 5108}, {5200, 5215}, {5300, 5303}, {5400, 5403},
    {5500, 5502}, {5600, 5636}, {5700, 5714}, {5800, 5802}, {5900, 5903}, {6000, 6004},
};

std::vector<String> Split(const char* list) {
    std::vector<String> out;
    String rest = list;
    for (size_t comma = rest.find(", "); comma != String::npos; comma = rest.find(", ")) {
        out.push_back(rest.substr(0, comma));
        rest.erase(0, comma + 2);
    }
    out.push_back(rest);
    return out;
}

std::vector<String> DesignerNames() {
    std::vector<String> names;
    for (const auto& [first, last] : DesignerIdRanges)
        for (int id = first; id <= last; ++id)
            names.push_back(IntToStr(id));
    for (const String& key : Split(DesignerKeys))
        names.push_back(key);
    return names;
}

} // namespace

class DesignerTablesTest : public ::testing::Test {
protected:
    void SetUp() override { vrrcDesignStartUp(); }
};

TEST_F(DesignerTablesTest, EveryListedNameIsInItsTableAndNoOtherIs) {
    const std::vector<String> designer = DesignerNames();
    const std::vector<String> hints = Split(HintKeys);
    ASSERT_EQ(designer.size(), 541u + 303u);
    ASSERT_EQ(hints.size(), 271u);
    // Each table on its own, so that neither borrows a text of the other or of the engine.
    struct TCase {
        const char* Table;
        const char* Text;
        const std::vector<String>& Names;
    } cases[] = {{"designer", vrrcDesign, designer}, {"hints", vrrcHints, hints}};
    for (const TCase& c : cases) {
        TvrResources own;
        own.LoadFromXMLString(c.Text);
        for (const String& name : c.Names)
            EXPECT_NE(own.GetString(name), name) << c.Table << ": " << name;
        // The table holds nothing beyond its list.
        const String table = c.Text;
        size_t entries = 0;
        for (size_t at = table.find("<StrRes "); at != String::npos; at = table.find("<StrRes ", at + 1))
            ++entries;
        EXPECT_EQ(entries, c.Names.size()) << c.Table;
        EXPECT_TRUE(EndsStr("</Resources> ", table)) << c.Table;
    }
}

TEST_F(DesignerTablesTest, LookupsAfterStart) {
    const std::pair<const char*, const char*> cases[] = {
        {"OIPROP", "属性"},
        {"oiprop", "属性"},
        {"crBuildMx", "建立交叉报表中..."},
        {"crFillMx", "填入交叉报表中..."},
        {"2478", "添加子band"},
        {"4312", "行合计"},
        {"crStName", "结构"},
        {"crResize", "调整大小"},
        {"propShowTitle", "决定是否显示交叉报表的标题."},
        {"propSuppressNullRecords", "决定是否抑制全为空值的记录."},
        {"propAutoSize", "决定对象的大小是否随内容改变."},
        {"propAutoSize.TvrPictureView", "决定对象的大小是否随图像的大小改变."},
        {"propNoSuch", "propNoSuch"},
        {"2418", "新建..."},
        {"2378", "文件(&F)"},
        {"2603", "支援:"},
        {"4729", "Templates path :"},
        {"6004", "Sort Data Tree"},
        {"5607", "第二步:选择显示字段. "},
        {"2908", " 运算式:"},
        {"2473",
         "Pascal files (*.pas)|*.pas|C++ files (*.cpp)|*.cpp|JavaScript files (*.js)|*.js|Basic files "
         "(*.vb)|*.vb|All files|*.*"},
        {"dsCode", "代码"},
        {"dsCantLoad", "无法载入文件"},
        {"riInherited", "报表是从基本报表继承的: %s"},
        {"bvPrintChild", " 若可视则打印 Child"},
        {"bvKeepChild", "Keep Child Together"},
        {"obCatDraw", "绘制"},
        {"wzDMPEmpty", "点矩阵报表"},
        {"IntToStr", "整型值转换为串"},
        {"vt1", "[DATE]"},
        {"vt5", "[PAGE#] of [TOTALPAGES#]"},
        {"vt6", "[LINE#]"},
        {"fkNumber1", "1234.5;%g"},
        {"fkDateTime7", "02:14am, November 28, 2002;hh:mm am/pm, mmmm dd, yyyy"},
        {"fkBoolean4", "False,True;False,True"},
    };
    for (const auto& [key, text] : cases)
        EXPECT_EQ(GetResources().GetString(key), text) << key;
    EXPECT_EQ(GetResourceStringById(2000), "对象查看器");
    EXPECT_EQ(GetResourceStringById(1), "确定") << "the engine's texts stay";
}

TEST_F(DesignerTablesTest, TheBangIsKeptInTheTableOnlyWhereMarked) {
    int designerBangs = 0, hintBangs = 0;
    const String designer = vrrcDesign, hints = vrrcHints;
    for (size_t at = designer.find("Text=\"!"); at != String::npos; at = designer.find("Text=\"!", at + 1))
        ++designerBangs;
    for (size_t at = hints.find("Text=\"!"); at != String::npos; at = hints.find("Text=\"!", at + 1))
        ++hintBangs;
    EXPECT_EQ(designerBangs, 13);
    EXPECT_EQ(hintBangs, 3);
}

TEST_F(DesignerTablesTest, ALanguageFileLoadedLaterWins) {
    TempDir dir;
    const String file = dir.File("test.drc");
    std::ofstream(file) << ("<?xml version=\"1.1\" encoding=\"utf-8\"?><Resources CodePage=\"936\">"
                            "<StrRes Name=\"2000\" Text=\"Object Inspector\"/></Resources> ");
    GetResources().LoadFromFile(file);
    EXPECT_EQ(GetResourceStringById(2000), "Object Inspector");
    EXPECT_EQ(GetResourceStringById(2100), "数据树") << "what the file does not name stays";
    vrrcDesignStartUp();
    EXPECT_EQ(GetResourceStringById(2000), "Object Inspector") << "the table loads once";
    GetResources().LoadFromXMLString(vrrcDesign); // the next tests see the designer's texts again
    EXPECT_EQ(GetResourceStringById(2000), "对象查看器");
}
