#include "report/vrClassRTTI.h"

#include "classes/Collection.h"
#include "gui/Controls.h"
#include "gui/Jpeg.h"
#include "report/vrClass.h"
#include "report/vrClassBand.h"
#include "report/vrClassDialogPage.h"
#include "report/vrClassMemo.h"
#include "report/vrClassObjects.h"
#include "report/vrClassPicture.h"
#include "report/vrEngine.h"
#include "report/vrPreviewPages.h"
#include "report/vrUnicodeUtils.h"
#include "report/vrpngimage.h"
#include "rtl/DateUtils.h"
#include "rtl/CodePage.h"
#include "rtl/Lists.h"
#include "rtl/MathUtils.h"
#include "rtl/Streams.h"
#include "rtl/StringList.h"
#include "script/vs_iclassesrtti.h"
#include "script/vs_iinterpreter_items.h"

#include <algorithm>
#include <map>

namespace vrclassrtti {

using TCall = Variant (*)(TvsScript* Script, TObject* Instance, TvsMethodHelper* C);
using TGet = Variant (*)(TvsScript* Script, TObject* Instance);
using TSet = void (*)(TObject* Instance, const Variant& Value);
using TKey = std::pair<String, String>;

template <class T> T& Self(TObject* Instance) {
    T* t = dynamic_cast<T*>(Instance);
    if (!t) throw EInvalidCast("Invalid class typecast");
    return *t;
}

String Str(TvsMethodHelper* C, Integer I) {
    return VarToStr(C->GetParamValue(I));
}

Integer Int(TvsMethodHelper* C, Integer I) {
    return C->GetParamValue(I).AsInteger();
}

Extended Ext(TvsMethodHelper* C, Integer I) {
    return C->GetParamValue(I).AsDouble();
}

Variant Adopt(TvsScript* Script, TObject* O) {
    Script->AdoptObject(O);
    return vsObjectToVariant(O);
}

// A list of report objects handed to a script: the script owns the list, not the objects.
Variant ObjectList(TvsScript* Script, const std::vector<TvrComponent*>& Objects) {
    auto list = std::make_unique<TList>();
    for (TvrComponent* o : Objects)
        list->Add(o);
    return Adopt(Script, list.release());
}

// The report's engine walks its pages, bands and objects while the report is prepared: a script
// must not free or rebuild them then.
void CheckNotPreparing(TObject* Instance, const char* Call) {
    auto* c = dynamic_cast<TvrComponent*>(Instance);
    TvrReport* report = dynamic_cast<TvrReport*>(c);
    if (!report && c) report = c->GetReport();
    if (report && report->Preparing)
        throw EvsScriptError(String(Call) + ": not allowed while the report is being prepared");
}

// 8-bit text in the code page of the font's character set when the font has one of its own and
// the text is not UTF-8; any other text as the script's UTF-8 text.
WideString MemoTextOf(TvrCustomMemoView& Memo, const Variant& Value) {
    if (VarType(Value) == varOleStr) return Value.AsWideString();
    const String text = VarToStr(Value);
    const Integer charset = Memo.Font()->Charset();
    if (charset != DEFAULT_CHARSET && !IsValidUtf8(text)) return AnsiToWideByCharset(text, charset, 0);
    return Utf8ToWide(text);
}

Variant NotAvailable(TvsScript*, TObject*, TvsMethodHelper*) {
    return Variant(0);
}

TvrPreviewPages* Store(TvrCustomEngine& Engine) {
    auto* pages = dynamic_cast<TvrPreviewPages*>(Engine.PreviewPages);
    if (!pages && Engine.Report()) pages = dynamic_cast<TvrPreviewPages*>(Engine.Report()->PreparedPages());
    if (!pages) throw EvsScriptError("The report has no prepared pages");
    return pages;
}

Word DatePart(const Variant& V, int Part) {
    Word y = 0, m = 0, d = 0;
    DecodeDate(VarToDateTime(V), y, m, d);
    return Part == 0 ? d : Part == 1 ? m : y;
}

const std::map<TKey, TCall>& Methods() {
    static const std::map<TKey, TCall> methods{
        // TWideStrings
        {{"TWideStrings", "CREATE"},
         [](TvsScript* S, TObject* I, TvsMethodHelper*) {
             if (!vsClassToConstruct(I)) return vsObjectToVariant(I);
             return Adopt(S, new TWideStrings());
         }},
        {{"TWideStrings", "ADD"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             return Variant(Self<TWideStrings>(I).Add(Utf8ToWide(Str(C, 0))));
         }},
        {{"TWideStrings", "ADDOBJECT"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             return Variant(Self<TWideStrings>(I).AddObject(
                 Utf8ToWide(Str(C, 0)), reinterpret_cast<std::intptr_t>(vsVariantToPointer(C->GetParamValue(1)))));
         }},
        {{"TWideStrings", "CLEAR"},
         [](TvsScript*, TObject* I, TvsMethodHelper*) {
             Self<TWideStrings>(I).Clear();
             return Variant(0);
         }},
        {{"TWideStrings", "DELETE"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TWideStrings>(I).Delete(Int(C, 0));
             return Variant(0);
         }},
        {{"TWideStrings", "INDEXOF"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             return Variant(Self<TWideStrings>(I).IndexOf(Utf8ToWide(Str(C, 0))));
         }},
        {{"TWideStrings", "INSERT"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TWideStrings>(I).Insert(Int(C, 0), Utf8ToWide(Str(C, 1)));
             return Variant(0);
         }},
        {{"TWideStrings", "LOADFROMFILE"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TWideStrings>(I).LoadFromFile(Str(C, 0));
             return Variant(0);
         }},
        {{"TWideStrings", "LOADFROMSTREAM"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TWideStrings>(I).LoadFromStream(vsNeedObjectAs<TStream>(C, 0, "TWideStrings.LoadFromStream", "Stream"));
             return Variant(0);
         }},
        {{"TWideStrings", "SAVETOFILE"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TWideStrings>(I).SaveToFile(Str(C, 0));
             return Variant(0);
         }},
        {{"TWideStrings", "SAVETOSTREAM"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TWideStrings>(I).SaveToStream(vsNeedObjectAs<TStream>(C, 0, "TWideStrings.SaveToStream", "Stream"));
             return Variant(0);
         }},
        {{"TWideStrings", "OBJECTS.GET"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             return vsPointerToVariant(reinterpret_cast<void*>(Self<TWideStrings>(I).Objects(Int(C, 0))));
         }},
        {{"TWideStrings", "OBJECTS.SET"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TWideStrings>(I).SetObjects(Int(C, 0),
                                              reinterpret_cast<std::intptr_t>(vsVariantToPointer(C->GetParamValue(1))));
             return Variant(0);
         }},
        {{"TWideStrings", "STRINGS.GET"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             return Variant(WideToUtf8(Self<TWideStrings>(I).Strings(Int(C, 0))));
         }},
        {{"TWideStrings", "STRINGS.SET"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             auto& list = Self<TWideStrings>(I);
             const Integer index = Int(C, 0);
             if (index < 0 || index >= list.Count()) ListIndexError(index);
             list.SetStrings(index, Utf8ToWide(Str(C, 1)));
             return Variant(0);
         }},
        // TvrDataSet
        {{"TvrDataSet", "OPEN"},
         [](TvsScript*, TObject* I, TvsMethodHelper*) {
             Self<TvrDataSet>(I).Open();
             return Variant(0);
         }},
        {{"TvrDataSet", "CLOSE"},
         [](TvsScript*, TObject* I, TvsMethodHelper*) {
             Self<TvrDataSet>(I).Close();
             return Variant(0);
         }},
        {{"TvrDataSet", "FIRST"},
         [](TvsScript*, TObject* I, TvsMethodHelper*) {
             Self<TvrDataSet>(I).First();
             return Variant(0);
         }},
        {{"TvrDataSet", "NEXT"},
         [](TvsScript*, TObject* I, TvsMethodHelper*) {
             Self<TvrDataSet>(I).Next();
             return Variant(0);
         }},
        {{"TvrDataSet", "PRIOR"},
         [](TvsScript*, TObject* I, TvsMethodHelper*) {
             Self<TvrDataSet>(I).Prior();
             return Variant(0);
         }},
        {{"TvrDataSet", "EOF"},
         [](TvsScript*, TObject* I, TvsMethodHelper*) { return Variant(Self<TvrDataSet>(I).Eof()); }},
        {{"TvrDataSet", "FIELDSCOUNT"},
         [](TvsScript*, TObject* I, TvsMethodHelper*) { return Variant(Self<TvrDataSet>(I).FieldsCount()); }},
        {{"TvrDataSet", "HASFIELD"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) { return Variant(Self<TvrDataSet>(I).HasField(Str(C, 0))); }},
        {{"TvrDataSet", "ISBLOBFIELD"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             return Variant(Self<TvrDataSet>(I).IsBlobField(Str(C, 0)));
         }},
        {{"TvrDataSet", "RECORDCOUNT"},
         [](TvsScript*, TObject* I, TvsMethodHelper*) { return Variant(Self<TvrDataSet>(I).RecordCount()); }},
        {{"TvrDataSet", "GETFIELDLIST"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TvrDataSet>(I).GetFieldList(vsNeedObjectAs<TStrings>(C, 0, "TvrDataSet.GetFieldList", "List"));
             return Variant(0);
         }},
        {{"TvrDataSet", "DISPLAYTEXT.GET"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             return Variant(WideToUtf8(Self<TvrDataSet>(I).DisplayText(Str(C, 0))));
         }},
        {{"TvrDataSet", "DISPLAYWIDTH.GET"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             return Variant(Self<TvrDataSet>(I).DisplayWidth(Str(C, 0)));
         }},
        {{"TvrDataSet", "FIELDTYPE.GET"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             return Variant(static_cast<Integer>(Self<TvrDataSet>(I).GetFieldType(Str(C, 0))));
         }},
        {{"TvrDataSet", "VALUE.GET"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) { return Self<TvrDataSet>(I).Value(Str(C, 0)); }},
        // TvrComponent
        {{"TvrComponent", "CLEAR"},
         [](TvsScript*, TObject* I, TvsMethodHelper*) {
             CheckNotPreparing(I, "Clear");
             Self<TvrComponent>(I).Clear();
             return Variant(0);
         }},
        {{"TvrComponent", "FINDOBJECT"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             return vsObjectToVariant(Self<TvrComponent>(I).FindObject(Str(C, 0)));
         }},
        {{"TvrComponent", "LOADFROMSTREAM"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             auto& stream = vsNeedObjectAs<TStream>(C, 0, "TvrComponent.LoadFromStream", "Stream");
             CheckNotPreparing(I, "LoadFromStream");
             Self<TvrComponent>(I).LoadFromStream(stream);
             return Variant(0);
         }},
        {{"TvrComponent", "SAVETOSTREAM"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             auto& stream = vsNeedObjectAs<TStream>(C, 0, "TvrComponent.SaveToStream", "Stream");
             const Variant children = C->GetParamValue(1);
             Self<TvrComponent>(I).SaveToStream(stream, VarIsNull(children) || VarIsEmpty(children) ||
                                                             children.AsBoolean());
             return Variant(0);
         }},
        {{"TvrComponent", "SETBOUNDS"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TvrComponent>(I).SetBounds(Ext(C, 0), Ext(C, 1), Ext(C, 2), Ext(C, 3));
             return Variant(0);
         }},
        // TvrDialogControl
        {{"TvrDialogControl", "SETFOCUS"},
         [](TvsScript*, TObject* I, TvsMethodHelper*) {
             if (auto* control = dynamic_cast<TWinControl*>(Self<TvrDialogControl>(I).Control())) control->SetFocus();
             return Variant(0);
         }},
        // TvrStretcheable, TvrCustomMemoView, TvrPictureView
        {{"TvrStretcheable", "CALCHEIGHT"},
         [](TvsScript*, TObject* I, TvsMethodHelper*) { return Variant(Self<TvrStretcheable>(I).CalcHeight()); }},
        {{"TvrCustomMemoView", "CALCWIDTH"},
         [](TvsScript*, TObject* I, TvsMethodHelper*) { return Variant(Self<TvrCustomMemoView>(I).CalcWidth()); }},
        {{"TvrPictureView", "LOADFROMFILE"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             CheckNotPreparing(I, "LoadFromFile");
             Self<TvrPictureView>(I).LoadFromFile(Str(C, 0));
             return Variant(0);
         }},
        // TvrDialogPage
        {{"TvrDialogPage", "SHOWMODAL"},
         [](TvsScript*, TObject* I, TvsMethodHelper*) { return Variant(Self<TvrDialogPage>(I).ShowModal()); }},
        // TvrVariables, TvrArray
        {{"TvrVariables", "CREATE"},
         [](TvsScript* S, TObject* I, TvsMethodHelper*) {
             if (!vsClassToConstruct(I)) return vsObjectToVariant(I);
             return Adopt(S, new TvrVariables());
         }},
        {{"TvrVariables", "VARIABLES.GET"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) { return Self<TvrVariables>(I).Variables(Str(C, 0)); }},
        {{"TvrVariables", "VARIABLES.SET"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TvrVariables>(I).SetVariable(Str(C, 0), C->GetParamValue(1));
             return Variant(0);
         }},
        {{"TvrArray", "CREATE"},
         [](TvsScript* S, TObject* I, TvsMethodHelper*) {
             if (!vsClassToConstruct(I)) return vsObjectToVariant(I);
             return Adopt(S, new TvrArray());
         }},
        {{"TvrArray", "VARIABLES.GET"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) { return Self<TvrArray>(I).Variables(C->GetParamValue(0)); }},
        {{"TvrArray", "VARIABLES.SET"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TvrArray>(I).SetVariable(C->GetParamValue(0), C->GetParamValue(1));
             return Variant(0);
         }},
        // TvrStyles
        {{"TvrStyles", "CREATE"},
         [](TvsScript* S, TObject* I, TvsMethodHelper* C) {
             if (!vsClassToConstruct(I)) return vsObjectToVariant(I);
             return Adopt(S, new TvrStyles(vsVariantToObjectAs<TvrReport>(C->GetParamValue(0))));
         }},
        {{"TvrStyles", "ITEMS.GET"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             return vsObjectToVariant(Self<TvrStyles>(I).Items(Int(C, 0)));
         }},
        {{"TvrStyles", "ITEMS.SET"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             // The given style is copied into the one at the index.
             TvrStyleItem* target = Self<TvrStyles>(I).Items(Int(C, 0));
             target->Assign(&vsNeedObjectAs<TvrStyleItem>(C, 1, "TvrStyles.Items", "Value"));
             return Variant(0);
         }},
        {{"TvrStyles", "ADD"},
         [](TvsScript*, TObject* I, TvsMethodHelper*) { return vsObjectToVariant(Self<TvrStyles>(I).Add()); }},
        {{"TvrStyles", "FIND"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             return vsObjectToVariant(Self<TvrStyles>(I).Find(Str(C, 0)));
         }},
        {{"TvrStyles", "APPLY"},
         [](TvsScript*, TObject* I, TvsMethodHelper*) {
             Self<TvrStyles>(I).Apply();
             return Variant(0);
         }},
        {{"TvrStyles", "GETLIST"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TvrStyles>(I).GetList(vsNeedObjectAs<TStrings>(C, 0, "TvrStyles.GetList", "List"));
             return Variant(0);
         }},
        {{"TvrStyles", "LOADFROMFILE"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TvrStyles>(I).LoadFromFile(Str(C, 0));
             return Variant(0);
         }},
        {{"TvrStyles", "LOADFROMSTREAM"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TvrStyles>(I).LoadFromStream(vsNeedObjectAs<TStream>(C, 0, "TvrStyles.LoadFromStream", "Stream"));
             return Variant(0);
         }},
        {{"TvrStyles", "SAVETOFILE"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TvrStyles>(I).SaveToFile(Str(C, 0));
             return Variant(0);
         }},
        {{"TvrStyles", "SAVETOSTREAM"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TvrStyles>(I).SaveToStream(vsNeedObjectAs<TStream>(C, 0, "TvrStyles.SaveToStream", "Stream"));
             return Variant(0);
         }},
        // TvrReport
        {{"TvrReport", "CALC"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             return Self<TvrReport>(I).Calc(Str(C, 0), vrScriptCallMark());
         }},
        {{"TvrReport", "GETDATASET"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             return vsObjectToVariant(Self<TvrReport>(I).GetDataset(Str(C, 0)));
         }},
        {{"TvrReport", "LOADFROMFILE"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             CheckNotPreparing(I, "LoadFromFile");
             return Variant(Self<TvrReport>(I).LoadFromFile(Str(C, 0), false));
         }},
        {{"TvrReport", "SAVETOFILE"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TvrReport>(I).SaveToFile(Str(C, 0));
             return Variant(0);
         }},
        {{"TvrReport", "SHOWREPORT"},
         [](TvsScript*, TObject* I, TvsMethodHelper*) {
             CheckNotPreparing(I, "ShowReport");
             Self<TvrReport>(I).ShowReport(true);
             return Variant(0);
         }},
        // TvrCustomEngine
        {{"TvrCustomEngine", "ADDANCHOR"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Store(Self<TvrCustomEngine>(I))->AddAnchor(Str(C, 0));
             return Variant(0);
         }},
        {{"TvrCustomEngine", "GETANCHORPAGE"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             return Variant(Store(Self<TvrCustomEngine>(I))->GetAnchorPage(Str(C, 0)));
         }},
        {{"TvrCustomEngine", "NEWPAGE"},
         [](TvsScript*, TObject* I, TvsMethodHelper*) {
             Self<TvrCustomEngine>(I).NewPage();
             return Variant(0);
         }},
        {{"TvrCustomEngine", "NEWCOLUMN"},
         [](TvsScript*, TObject* I, TvsMethodHelper*) {
             Self<TvrCustomEngine>(I).NewColumn();
             return Variant(0);
         }},
        {{"TvrCustomEngine", "SHOWBAND"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             auto& band = vsNeedObjectAs<TvrBand>(C, 0, "TvrCustomEngine.ShowBand", "Band");
             Self<TvrCustomEngine>(I).ShowBand(&band);
             return Variant(0);
         }},
        {{"TvrCustomEngine", "STOPREPORT"},
         [](TvsScript*, TObject* I, TvsMethodHelper*) {
             Self<TvrCustomEngine>(I).StopReport();
             return Variant(0);
         }},
        {{"TvrCustomEngine", "FREESPACE"},
         [](TvsScript*, TObject* I, TvsMethodHelper*) { return Variant(Self<TvrCustomEngine>(I).FreeSpace()); }},
        // TvrCustomOutline
        {{"TvrCustomOutline", "ADDITEM"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             auto& outline = Self<TvrCustomOutline>(I);
             Extended y = 0;
             if (outline.PreviewPages() && outline.PreviewPages()->Engine) y = outline.PreviewPages()->Engine->CurY;
             outline.AddItem(Str(C, 0), static_cast<Integer>(Round(y)));
             return Variant(0);
         }},
        {{"TvrCustomOutline", "LEVELROOT"},
         [](TvsScript*, TObject* I, TvsMethodHelper*) {
             Self<TvrCustomOutline>(I).LevelRoot();
             return Variant(0);
         }},
        {{"TvrCustomOutline", "LEVELUP"},
         [](TvsScript*, TObject* I, TvsMethodHelper*) {
             Self<TvrCustomOutline>(I).LevelUp();
             return Variant(0);
         }},
        // The report functions; IIF and the aggregates are the report's own in its script.
        {{String(), "DAYOF"}, [](TvsScript*, TObject*, TvsMethodHelper* C) {
             return Variant(static_cast<Integer>(DatePart(C->GetParamValue(0), 0)));
         }},
        {{String(), "MONTHOF"}, [](TvsScript*, TObject*, TvsMethodHelper* C) {
             return Variant(static_cast<Integer>(DatePart(C->GetParamValue(0), 1)));
         }},
        {{String(), "YEAROF"}, [](TvsScript*, TObject*, TvsMethodHelper* C) {
             return Variant(static_cast<Integer>(DatePart(C->GetParamValue(0), 2)));
         }},
        {{String(), "IIF"}, &NotAvailable},
        {{String(), "SUM"}, &NotAvailable},
        {{String(), "AVG"}, &NotAvailable},
        {{String(), "MIN"}, &NotAvailable},
        {{String(), "MAX"}, &NotAvailable},
        {{String(), "COUNT"}, &NotAvailable},
    };
    return methods;
}

const std::map<TKey, TGet>& Getters() {
    static const std::map<TKey, TGet> getters{
        {{"TWideStrings", "COUNT"}, [](TvsScript*, TObject* I) { return Variant(Self<TWideStrings>(I).Count()); }},
        {{"TWideStrings", "TEXT"},
         [](TvsScript*, TObject* I) { return Variant(WideToUtf8(Self<TWideStrings>(I).Text())); }},
        {{"TvrDataSet", "RECNO"}, [](TvsScript*, TObject* I) { return Variant(Self<TvrDataSet>(I).RecNo); }},
        {{"TvrComponent", "OBJECTS"},
         [](TvsScript* S, TObject* I) { return ObjectList(S, Self<TvrComponent>(I).Children()); }},
        {{"TvrComponent", "ALLOBJECTS"},
         [](TvsScript* S, TObject* I) { return ObjectList(S, Self<TvrComponent>(I).AllObjects()); }},
        {{"TvrComponent", "PARENT"},
         [](TvsScript*, TObject* I) { return vsObjectToVariant(Self<TvrComponent>(I).Parent()); }},
        {{"TvrComponent", "PAGE"},
         [](TvsScript*, TObject* I) { return vsObjectToVariant(Self<TvrComponent>(I).Page()); }},
        {{"TvrComponent", "ABSLEFT"}, [](TvsScript*, TObject* I) { return Variant(Self<TvrComponent>(I).AbsLeft()); }},
        {{"TvrComponent", "ABSTOP"}, [](TvsScript*, TObject* I) { return Variant(Self<TvrComponent>(I).AbsTop()); }},
        {{"TvrView", "TAGSTR"}, [](TvsScript*, TObject* I) { return Variant(Self<TvrView>(I).TagStr); }},
        {{"TvrCustomMemoView", "TEXT"},
         [](TvsScript*, TObject* I) {
             // Every line followed by a line break, the last one too.
             const TWideStrings& lines = *Self<TvrCustomMemoView>(I).Memo();
             WideString text;
             for (Integer k = 0; k < lines.Count(); ++k)
                 text += lines.Strings(k) + u"\r\n";
             return Variant(WideToUtf8(text));
         }},
        {{"TvrCustomMemoView", "ANSITEXT"},
         [](TvsScript*, TObject* I) { return Variant(Self<TvrCustomMemoView>(I).AnsiText()); }},
        {{"TvrCustomMemoView", "LINES"},
         [](TvsScript*, TObject* I) { return vsObjectToVariant(Self<TvrCustomMemoView>(I).Memo()); }},
        {{"TvrCustomMemoView", "VALUE"}, [](TvsScript*, TObject* I) { return Self<TvrCustomMemoView>(I).Value; }},
        {{"TvrBand", "OVERFLOW"}, [](TvsScript*, TObject* I) { return Variant(Self<TvrBand>(I).Overflow); }},
        {{"TvrDialogPage", "MODALRESULT"},
         [](TvsScript*, TObject* I) { return Variant(Self<TvrDialogPage>(I).ModalResult()); }},
        {{"TvrEngineOptions", "DESTROYFORMS"},
         [](TvsScript*, TObject* I) { return Variant(Self<TvrEngineOptions>(I).DestroyForms); }},
        {{"TvrReport", "TERMINATED"}, [](TvsScript*, TObject* I) { return Variant(Self<TvrReport>(I).Terminated); }},
        {{"TvrReport", "VARIABLES"},
         [](TvsScript*, TObject* I) { return vsObjectToVariant(Self<TvrReport>(I).Variables()); }},
        {{"TvrReport", "STYLES"}, [](TvsScript*, TObject* I) { return vsObjectToVariant(Self<TvrReport>(I).Styles()); }},
    };
    return getters;
}

const std::map<TKey, TSet>& Setters() {
    static const std::map<TKey, TSet> setters{
        {{"TWideStrings", "TEXT"},
         [](TObject* I, const Variant& V) { Self<TWideStrings>(I).SetText(Utf8ToWide(VarToStr(V))); }},
        {{"TvrComponent", "PARENT"},
         [](TObject* I, const Variant& V) {
             auto& obj = Self<TvrComponent>(I);
             TvrComponent* parent = vsVariantToObjectAs<TvrComponent>(V);
             for (TvrComponent* p = parent; p; p = p->Parent())
                 if (p == &obj)
                     throw EvsScriptError(parent == &obj ? "A report object cannot be its own parent"
                                                         : "A report object cannot have one of its own objects as its parent");
             obj.SetParent(parent);
         }},
        {{"TvrView", "TAGSTR"}, [](TObject* I, const Variant& V) { Self<TvrView>(I).TagStr = VarToStr(V); }},
        {{"TvrCustomMemoView", "TEXT"},
         [](TObject* I, const Variant& V) {
             auto& memo = Self<TvrCustomMemoView>(I);
             memo.SetText(MemoTextOf(memo, V));
         }},
        {{"TvrCustomMemoView", "ANSITEXT"},
         [](TObject* I, const Variant& V) { Self<TvrCustomMemoView>(I).SetAnsiText(VarToStr(V)); }},
        {{"TvrCustomMemoView", "LINES"},
         [](TObject* I, const Variant& V) {
             TObject* source = vsVariantToObject(V);
             if (!source) throw EvsScriptError("TvrCustomMemoView.Lines: Value is nil");
             auto& memo = Self<TvrCustomMemoView>(I);
             if (auto* wide = dynamic_cast<TWideStrings*>(source))
                 memo.SetMemo(wide);
             else if (auto* strings = dynamic_cast<TStrings*>(source))
                 memo.SetText(Utf8ToWide(strings->Text()));
             else
                 throw EInvalidCast("Invalid class typecast");
         }},
        {{"TvrDialogPage", "MODALRESULT"},
         [](TObject* I, const Variant& V) { Self<TvrDialogPage>(I).SetModalResult(V.AsInteger()); }},
        {{"TvrEngineOptions", "DESTROYFORMS"},
         [](TObject* I, const Variant& V) { Self<TvrEngineOptions>(I).DestroyForms = V.AsBoolean(); }},
        {{"TvrReport", "TERMINATED"},
         [](TObject* I, const Variant& V) {
             auto& report = Self<TvrReport>(I);
             report.Terminated = V.AsBoolean();
             if (report.Terminated) report.ReportScript()->Terminate();
         }},
    };
    return setters;
}

} // namespace vrclassrtti

TvrClassFunctions::TvrClassFunctions(TvsScript* Script) : TvsRTTIModule(Script) {
    TvsScript& s = *Script;
    auto method = [this](TObject* i, const TvsClassRef* c, const String& n, TvsMethodHelper* h) {
        return CallMethod(i, c, n, h);
    };
    auto get = [this](TObject* i, const TvsClassRef* c, const String& n) { return GetProp(i, c, n); };
    auto set = [this](TObject* i, const TvsClassRef* c, const String& n, const Variant& v) { SetProp(i, c, n, v); };

    for (const auto& [name, value] : std::initializer_list<std::pair<const char*, Extended>>{
             {"fr01cm", fr01cm}, {"fr1cm", fr1cm}, {"fr01in", fr01in}, {"fr1in", fr1in},
             {"fr1CharX", fr1CharX}, {"fr1CharY", fr1CharY}})
        s.AddConst(name, "Extended", Variant(value));
    s.AddConst("clTransparent", "Integer", Variant(static_cast<Integer>(clTransparent)));
    s.AddConst("crHand", "Integer", Variant(crHand));
    s.AddConst("crZoom", "Integer", Variant(crZoom));
    s.AddConst("crFormat", "Integer", Variant(crFormat));

    s.AddEnum("TvrStretchMode", "smDontStretch, smActualHeight, smMaxHeight");
    s.AddEnum("TvrShiftMode", "smDontShift, smAlways, smWhenOverlapped");
    s.AddEnum("TvrDuplexMode", "dmNone, dmVertical, dmHorizontal, dmSimplex");
    s.AddEnum("TvrAlign", "baNone, baLeft, baRight, baCenter, baWidth, baBottom");
    s.AddEnum("TvrFrameStyle", "fsSolid, fsDash, fsDot, fsDashDot, fsDashDotDot, fsDouble");
    s.AddEnumSet("TvrFrameTypes", "ftLeft, ftRight, ftTop, ftBottom");
    s.AddEnum("TvrHAlign", "haLeft, haRight, haCenter, haBlock");
    s.AddEnum("TvrVAlign", "vaTop, vaBottom, vaCenter");
    s.AddEnumSet("TvrRestrictions", "rfDontModify, rfDontSize, rfDontMove, rfDontDelete");
    s.AddEnum("TvrShapeKind", "skRectangle, skRoundRectangle, skEllipse, skTriangle, skDiamond, skDiagonal1, skDiagonal2");
    // The preview's own buttons in its own order, so a script's mask selects the buttons it names:
    // pbTree is the outline, and the preview has no refresh button.
    s.AddEnumSet("TvrPreviewButtons", "pbPrint, pbLoad, pbSave, pbExport, pbZoom, pbFind, pbTree, pbPageSetup, pbTools, "
                                      "pbEdit, pbNavigator, pbExportQuick, pbNoClose, pbNoFullScreen, pbNoEmail");
    s.AddConst("pbRefresh", "Integer", Variant(0));
    s.AddEnum("TvrZoomMode", "zmDefault, zmWholePage, zmPageWidth, zmManyPages");
    s.AddEnum("TvrPrintPages", "ppAll, ppOdd, ppEven");
    s.AddEnumSet("TvrDMPFontStyles",
                 "fsxBold, fsxItalic, fsxUnderline, fsxSuperScript, fsxSubScript, fsxCondensed, fsxWide, fsx12cpi, fsx15cpi");
    s.AddEnum("TvrRangeBegin", "rbFirst, rbCurrent");
    s.AddEnum("TvrRangeEnd", "reLast, reCurrent, reCount");
    s.AddEnum("TvrFieldType", "fftNumeric, fftString, fftBoolean");
    s.AddEnum("TvrFormatKind", "fkText, fkNumeric, fkDateTime, fkBoolean");

    s.AddClass(vsClassOf<TJPEGImage>("TJPEGImage"), "TGraphic");
    s.AddClass(vsClassOf<TPNGObject>("TPNGObject"), "TGraphic");
    if (s.Find("TPersistent"))
        if (TvsClassVariable* c = s.AddClass(vsClassOf<TWideStrings>(), "TPersistent")) {
            c->AddConstructor("constructor Create", method);
            for (const char* d :
                 {"function Add(const S: string): Integer",
                  "function AddObject(const S: string; AObject: TObject): Integer", "procedure Clear",
                  "procedure Delete(Index: Integer)", "function IndexOf(const S: string): Integer",
                  "procedure Insert(Index: Integer; const S: string)", "procedure LoadFromFile(const FileName: string)",
                  "procedure LoadFromStream(Stream: TStream)", "procedure SaveToFile(const FileName: string)",
                  "procedure SaveToStream(Stream: TStream)"})
                c->AddMethod(d, method);
            c->AddProperty("Count", "Integer", get);
            c->AddIndexProperty("Objects", "Integer", "TObject", method);
            c->AddDefaultProperty("Strings", "Integer", "string", method);
            c->AddProperty("Text", "string", get, set);
        }
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TvrDataSet>(), "TComponent")) {
        for (const char* d : {"procedure Open", "procedure Close", "procedure First", "procedure Next", "procedure Prior",
                              "function Eof: Boolean", "function FieldsCount: Integer",
                              "function HasField(const fName: String): Boolean",
                              "function IsBlobField(const fName: String): Boolean", "function RecordCount: Integer",
                              "procedure GetFieldList(List: TStrings)"})
            c->AddMethod(d, method);
        c->AddProperty("RecNo", "Integer", get);
        c->AddIndexProperty("DisplayText", "String", "String", method, true);
        c->AddIndexProperty("DisplayWidth", "String", "Integer", method, true);
        c->AddIndexProperty("FieldType", "String", "TvrFieldType", method, true);
        c->AddIndexProperty("Value", "String", "Variant", method, true);
    }
    s.AddClass(vsClassOf<TvrUserDataSet>(), "TvrDataSet");
    s.AddClass(vsClassOf<TvrCustomDBDataSet>(), "TvrDataSet");
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TvrComponent>(), "TComponent")) {
        for (const char* d : {"procedure Clear", "function FindObject(s: String): TvrComponent",
                              "procedure LoadFromStream(Stream: TStream)",
                              "procedure SaveToStream(Stream: TStream; SaveChildren: Boolean = True)",
                              "procedure SetBounds(ALeft, ATop, AWidth, AHeight: Extended)"})
            c->AddMethod(d, method);
        c->AddProperty("Objects", "TList", get);
        c->AddProperty("AllObjects", "TList", get);
        c->AddProperty("Parent", "TvrComponent", get, set);
        c->AddProperty("Page", "TvrPage", get);
        c->AddProperty("AbsLeft", "Extended", get);
        c->AddProperty("AbsTop", "Extended", get);
    }
    s.AddClass(vsClassOf<TvrReportComponent>(), "TvrComponent");
    s.AddClass(vsClassOf<TvrDialogComponent>(), "TvrReportComponent");
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TvrDialogControl>(), "TvrReportComponent"))
        c->AddMethod("procedure SetFocus", method);
    s.AddClass(vsClassOf<TvrFrameLine>(), "TPersistent");
    s.AddClass(vsClassOf<TvrFrame>(), "TPersistent");
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TvrView>(), "TvrReportComponent"))
        c->AddProperty("TagStr", "String", get, set);
    s.AddClass(vsClassOf<TvrShapeView>(), "TvrView");
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TvrStretcheable>(), "TvrView"))
        c->AddMethod("function CalcHeight: Extended", method);
    s.AddClass(vsClassOf<TvrHighlight>(), "TPersistent");
    s.AddClass(vsClassOf<TvrFormat>(), "TPersistent");
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TvrCustomMemoView>(), "TvrStretcheable")) {
        c->AddMethod("function CalcWidth: Extended", method);
        c->AddProperty("Text", "String", get, set);
        c->AddProperty("AnsiText", "String", get, set);
        c->AddProperty("Lines", "TWideStrings", get, set);
        c->AddProperty("Value", "Variant", get);
    }
    s.AddClass(vsClassOf<TvrMemoView>(), "TvrCustomMemoView");
    s.AddClass(vsClassOf<TvrSysMemoView>(), "TvrCustomMemoView");
    s.AddClass(vsClassOf<TvrDMPMemoView>(), "TvrCustomMemoView");
    s.AddClass(vsClassOf<TvrCustomLineView>(), "TvrStretcheable");
    s.AddClass(vsClassOf<TvrLineView>(), "TvrCustomLineView");
    s.AddClass(vsClassOf<TvrDMPLineView>(), "TvrCustomLineView");
    s.AddClass(vsClassOf<TvrDMPCommand>(), "TvrView");
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TvrPictureView>(), "TvrView"))
        c->AddMethod("procedure LoadFromFile(filename: String)", method);
    s.AddClass(vsClassOf<TvrSubreport>(), "TvrView");
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TvrBand>(), "TvrReportComponent"))
        c->AddProperty("Overflow", "Boolean", get);
    s.AddClass(vsClassOf<TvrDataBand>(), "TvrBand");
    s.AddClass(vsClassOf<TvrHeader>(), "TvrBand");
    s.AddClass(vsClassOf<TvrFooter>(), "TvrBand");
    for (const TvsClassRef* data :
         {&vsClassOf<TvrMasterData>(), &vsClassOf<TvrDetailData>(), &vsClassOf<TvrSubdetailData>(),
          &vsClassOf<TvrDataBand4>(), &vsClassOf<TvrDataBand5>(), &vsClassOf<TvrDataBand6>()})
        s.AddClass(*data, "TvrDataBand");
    for (const TvsClassRef* band :
         {&vsClassOf<TvrPageHeader>(), &vsClassOf<TvrPageFooter>(), &vsClassOf<TvrColumnHeader>(),
          &vsClassOf<TvrColumnFooter>(), &vsClassOf<TvrGroupHeader>(), &vsClassOf<TvrGroupFooter>(),
          &vsClassOf<TvrReportTitle>(), &vsClassOf<TvrReportSummary>(), &vsClassOf<TvrChild>(),
          &vsClassOf<TvrOverlay>()})
        s.AddClass(*band, "TvrBand");
    s.AddClass(vsClassOf<TvrPage>(), "TvrComponent");
    s.AddClass(vsClassOf<TvrReportPage>(), "TvrPage");
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TvrDialogPage>(), "TvrPage")) {
        c->AddMethod("function ShowModal: Integer", method);
        c->AddProperty("ModalResult", "Integer", get, set);
    }
    s.AddClass(vsClassOf<TvrDMPPage>(), "TvrReportPage");
    s.AddClass(vsClassOf<TvrDataPage>(), "TvrPage");
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TvrEngineOptions>(), "TPersistent"))
        c->AddProperty("DestroyForms", "Boolean", get, set);
    s.AddClass(vsClassOf<TvrPrintOptions>(), "TPersistent");
    s.AddClass(vsClassOf<TvrPreviewOptions>(), "TPersistent");
    s.AddClass(vsClassOf<TvrReportOptions>(), "TPersistent");
    s.AddClass(vsClassOf<TvrVariable>(), "TCollectionItem");
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TvrVariables>(), "TCollection")) {
        c->AddConstructor("constructor Create", method);
        c->AddDefaultProperty("Variables", "String", "Variant", method);
    }
    s.AddClass(vsClassOf<TvrStyleItem>(), "TCollectionItem");
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TvrStyles>(), "TCollection")) {
        c->AddConstructor("constructor Create(AReport: TvrReport)", method);
        c->AddDefaultProperty("Items", "Integer", "TvrStyleItem", method);
        for (const char* d :
             {"function Add: TvrStyleItem", "function Find(const Name: String): TvrStyleItem", "procedure Apply",
              "procedure GetList(List: TStrings)", "procedure LoadFromFile(const FileName: String)",
              "procedure LoadFromStream(Stream: TStream)", "procedure SaveToFile(const FileName: String)",
              "procedure SaveToStream(Stream: TStream)"})
            c->AddMethod(d, method);
    }
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TvrArray>(), "TCollection")) {
        c->AddConstructor("constructor Create", method);
        c->AddDefaultProperty("Variables", "Variant", "Variant", method);
    }
    s.AddObject("vrGlobalVariables", vrGlobalVariables());
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TvrReport>(), "TvrComponent")) {
        for (const char* d : {"function Calc(const Expr: String): Variant",
                              "function GetDataset(const Alias: String): TvrDataset",
                              "function LoadFromFile(const FileName: String): Boolean",
                              "procedure SaveToFile(const FileName: String)", "procedure ShowReport"})
            c->AddMethod(d, method);
        c->AddProperty("Terminated", "Boolean", get, set);
        c->AddProperty("Variables", "TvrVariables", get);
        c->AddProperty("Styles", "TvrStyles", get);
    }
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TvrCustomEngine>(), "TPersistent")) {
        for (const char* d :
             {"procedure AddAnchor(const Text: String)", "procedure NewPage", "procedure NewColumn",
              "procedure ShowBand(Band: TvrBand)", "procedure StopReport", "function FreeSpace: Extended",
              "function GetAnchorPage(const Text: String): Integer"})
            c->AddMethod(d, method);
    }
    s.AddClass(vsClassOf<TvrEngine>(), "TvrCustomEngine");
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TvrCustomOutline>(), "TPersistent")) {
        c->AddMethod("procedure AddItem(const Text: String)", method);
        c->AddMethod("procedure LevelRoot", method);
        c->AddMethod("procedure LevelUp", method);
    }
    s.AddClass(vsClassOf<TvrOutline>(), "TvrCustomOutline");

    s.AddMethod("function DayOf(Date: TDateTime): Integer", method, "ctDate");
    s.AddMethod("function MonthOf(Date: TDateTime): Integer", method, "ctDate");
    s.AddMethod("function YearOf(Date: TDateTime): Integer", method, "ctDate");
    s.AddMethod("function IIF(Expr: Boolean; TrueValue, FalseValue: Variant): Variant", method, "ctOther");
    for (const char* fn : {"SUM", "AVG", "MIN", "MAX"})
        s.AddMethod("function " + String(fn) + "(Expr: Variant; Band: Variant = 0; Flags: Integer = 0): Variant", method,
                    "ctAggregate");
    s.AddMethod("function COUNT(Band: Variant = 0; Flags: Integer = 0): Variant", method, "ctAggregate");
}

Variant TvrClassFunctions::CallMethod(TObject* Instance, const TvsClassRef* ClassType, const String& M,
                                      TvsMethodHelper* Caller) {
    const auto& methods = vrclassrtti::Methods();
    const auto it = methods.find({ClassType ? ClassType->Name() : String(), M});
    if (it == methods.end()) return Variant(0);
    return it->second(Script(), Instance, Caller);
}

Variant TvrClassFunctions::GetProp(TObject* Instance, const TvsClassRef* ClassType, const String& P) {
    const auto& getters = vrclassrtti::Getters();
    const auto it = getters.find({ClassType->Name(), P});
    if (it == getters.end() || !Instance) return Variant(0);
    return it->second(Script(), Instance);
}

void TvrClassFunctions::SetProp(TObject* Instance, const TvsClassRef* ClassType, const String& P, const Variant& V) {
    const auto& setters = vrclassrtti::Setters();
    const auto it = setters.find({ClassType->Name(), P});
    if (it != setters.end() && Instance) it->second(Instance, V);
}

namespace {

const TvsRTTIModuleClass ReportModules[] = {&vsModuleClass<TvrClassFunctions>, &vsModuleClass<TvsChartFunctions>,
                                            &vsModuleClass<TvrChartFunctions>,
                                            &vsModuleClass<TvrCheckBoxFunctions>};

} // namespace

void vrRegisterScriptModules() {
    std::vector<TvsRTTIModuleClass>* list = RTTIModuleClassList();
    if (!list) return;
    for (TvsRTTIModuleClass m : ReportModules)
        if (std::find(list->begin(), list->end(), m) == list->end()) RegisterRTTIModule(m);
}

void vrUnregisterScriptModules() {
    for (TvsRTTIModuleClass m : ReportModules)
        UnregisterRTTIModule(m);
}
