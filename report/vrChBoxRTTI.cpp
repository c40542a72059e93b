#include "report/vrChBox.h"
#include "report/vrClassRTTI.h"
#include "script/vs_iinterpreter_items.h"

TvrCheckBoxFunctions::TvrCheckBoxFunctions(TvsScript* Script) : TvsRTTIModule(Script) {
    TvsScript& s = *Script;
    s.AddEnum("TvrCheckStyle", "csCross, csCheck, csLineCross, csPlus");
    s.AddEnum("TvrUncheckStyle", "usEmpty, usCross, usLineCross, usMinus");
    s.AddClass(vsClassOf<TvrCheckBoxView>(), "TvrView");
}
