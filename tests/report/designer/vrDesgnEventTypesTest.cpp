// The report classes publish their script events under the event types the inspector's events
// tab and the event editor tell them by.
#include "report/vrClass.h"
#include "report/vrClassObjects.h"

#include "classes/MetaProps.h"

#include <gtest/gtest.h>

TEST(DesignerEventTypes, ScriptEventsPublishTheirEventTypes) {
    struct TCase {
        const meta::TClassInfo& Class;
        const char* Property;
        const char* Type;
    } cases[] = {
        {TvrMemoView::StaticClassInfo(), "OnAfterData", "TvrNotifyEvent"},
        {TvrMemoView::StaticClassInfo(), "OnAfterPrint", "TvrNotifyEvent"},
        {TvrMemoView::StaticClassInfo(), "OnBeforePrint", "TvrNotifyEvent"},
        {TvrMemoView::StaticClassInfo(), "OnPreviewClick", "TvrPreviewClickEvent"},
        {TvrMemoView::StaticClassInfo(), "OnPreviewDblClick", "TvrPreviewClickEvent"},
        {TvrMasterData::StaticClassInfo(), "OnAfterCalcHeight", "TvrNotifyEvent"},
        {TvrMasterData::StaticClassInfo(), "OnAfterPrint", "TvrNotifyEvent"},
        {TvrMasterData::StaticClassInfo(), "OnBeforePrint", "TvrNotifyEvent"},
        {TvrReportPage::StaticClassInfo(), "OnAfterPrint", "TvrNotifyEvent"},
        {TvrReportPage::StaticClassInfo(), "OnBeforePrint", "TvrNotifyEvent"},
        {TvrReportPage::StaticClassInfo(), "OnManualBuild", "TvrNotifyEvent"},
        {TvrReport::StaticClassInfo(), "OnRunDialogs", "TvrRunDialogsEvent"},
        {TvrReport::StaticClassInfo(), "OnStartReport", "TvrNotifyEvent"},
        {TvrReport::StaticClassInfo(), "OnStopReport", "TvrNotifyEvent"},
    };
    for (const TCase& c : cases) {
        const meta::TPropInfo* info = GetPropInfo(c.Class, c.Property);
        ASSERT_NE(info, nullptr) << c.Class.Name() << "." << c.Property;
        EXPECT_EQ(info->TypeName, c.Type) << c.Class.Name() << "." << c.Property;
    }
}
