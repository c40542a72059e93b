// The plug-in registries.
#include "report/vrClass.h"
#include "report/vrClassObjects.h"
#include "report/vrDsgnIntf.h"
#include "vrClassTestObjects.h"

#include <gtest/gtest.h>

namespace {

class TTestControl : public TvrReportComponent {
    ORV_META(TTestControl, TvrReportComponent)
    explicit TTestControl(TComponent* AOwner) : TvrReportComponent(AOwner) {}
};

struct Registries : ::testing::Test {
    void SetUp() override {
        RegisterTestObjects();
        FreeRegistries();
    }
    // The registries as the start-up left them, for the tests that follow.
    void TearDown() override {
        FreeRegistries();
        vrRegisterObjectClasses();
        vrRegisterStandardPropertyEditors();
    }
};

TEST_F(Registries, ObjectVariantsByGroupIndexAndDerivedFlags) {
    TvrObjectCollection* r = ReportObjectRegistry();
    r->RegisterObject(&TTestView::StaticClassInfo(), nullptr, "", "", 0);
    r->RegisterObject(&TTestView::StaticClassInfo(), nullptr, "", "", 1);
    r->RegisterObject(&TTestView::StaticClassInfo(), nullptr, "", "", 1);
    EXPECT_EQ(r->Count(), 2);
    EXPECT_EQ(r->Items(0)->CategoryFlags, vrcfReportObjects);
    r->RegisterObject(&TvrUserDataSet::StaticClassInfo(), nullptr, "", "");
    EXPECT_EQ(r->Items(2)->CategoryFlags, vrcfDataSets);
    r->RegisterObject(&TvrDialogComponent::StaticClassInfo(), nullptr, "", "");
    EXPECT_EQ(r->Items(3)->CategoryFlags, vrcfDialogControls);
    r->RegisterObject(&TTestBand::StaticClassInfo(), nullptr, "", "", 0, -1, vrcfDotMatrix);
    EXPECT_EQ(r->Items(4)->CategoryFlags, vrcfDotMatrix);
    r->RegisterCategory("Other", nullptr, "hint");
    EXPECT_EQ(r->Items(5)->ClassRef, nullptr);
    r->Unregister(&TTestView::StaticClassInfo());
    EXPECT_EQ(r->Count(), 4);
}

TEST_F(Registries, ComponentEditorsExactClassFirstElseTheLastAncestor) {
    static const TvrComponentEditorClass viewEditor{"View", nullptr}, memoEditor{"Memo", nullptr},
        pictureEditor{"Picture", nullptr};
    TvrComponentEditorCollection* r = ComponentEditorRegistry();
    r->Register(&TTestBand::StaticClassInfo(), &pictureEditor);
    r->Register(&TvrReportComponent::StaticClassInfo(), &viewEditor);
    r->Register(&TTestView::StaticClassInfo(), &memoEditor);
    TTestView memo(nullptr);
    TTestBand band(nullptr);
    TTestControl other(nullptr);
    EXPECT_EQ(r->FindEditorClass(&memo), &memoEditor);
    EXPECT_EQ(r->FindEditorClass(&band), &pictureEditor);
    EXPECT_EQ(r->FindEditorClass(&other), &viewEditor);
    EXPECT_EQ(r->MakeComponentEditor(&memo, nullptr, nullptr), nullptr);
}

TEST_F(Registries, PropertyEditorLookup) {
    static const TvrPropertyEditorClass color{"TvrColorProperty"}, events{"TvrEventProperty"},
        name{"TvrNameProperty"};
    TvrPropertyEditorCollection* r = PropertyEditorRegistry();
    TTestView view(nullptr);
    EXPECT_EQ(r->GetEditorIndex("TvrNotifyEvent", &view, "OnBeforePrint"), -1);
    r->Register("TColor", nullptr, "", &color);
    r->Register("TComponentName", nullptr, "Name", &name);
    r->RegisterEventEditor(&events);
    EXPECT_EQ(r->GetEditorIndex("TvrNotifyEvent", &view, "OnBeforePrint"), r->EventEditorIndex);
    EXPECT_EQ(r->GetEditorIndex("TColor", &view, "Color"), 0);
    EXPECT_EQ(r->GetEditorIndex("TComponentName", &view, "name"), 1);
    EXPECT_EQ(r->GetEditorIndex("Integer", &view, "Tag"), -1);
    r->HideProperties(&TvrReportComponent::StaticClassInfo(), "Color; Tag");
    const int hidden = r->GetEditorIndex("TColor", &view, "Color");
    EXPECT_EQ(r->Items(hidden)->EditorClass, nullptr);
    EXPECT_EQ(r->Items(hidden)->PropertyName, "Color");
    TvrReport report(nullptr);
    EXPECT_EQ(r->GetEditorIndex("TColor", &report, "Color"), 0); // not a descendant
}

TEST_F(Registries, ExportFiltersListThemselvesUnlessUnlisted) {
    class TFilter : public TvrCustomExportFilter {
    public:
        using TvrCustomExportFilter::TvrCustomExportFilter;
    };
    {
        TFilter f(nullptr);
        ExportFilterRegistry()->Register(&f);
        EXPECT_EQ(ExportFilterRegistry()->Count(), 1);
        EXPECT_EQ(f.ShowModal(), 1);
        EXPECT_TRUE(f.Start());
    }
    EXPECT_EQ(ExportFilterRegistry()->Count(), 0);
    auto unlisted = TvrCustomExportFilter::CreateNoRegister();
    EXPECT_EQ(ExportFilterRegistry()->Count(), 0);
    unlisted.reset();
    EXPECT_EQ(ExportFilterRegistry()->Count(), 0);
    WizardRegistry()->Register(&TTestView::StaticClassInfo(), 3);
    WizardRegistry()->Register(&TTestView::StaticClassInfo(), 4);
    EXPECT_EQ(WizardRegistry()->Count(), 1);
}

} // namespace

#include "classes/MetaBuilder.h"
ORV_META_IMPL(TTestControl)
void TTestControl::DeclareMeta(meta::Class<TTestControl>&) {}
