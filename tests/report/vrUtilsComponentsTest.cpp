#include "report/vrUtils.h"

#include "classes/Component.h"
#include "classes/MetaBuilder.h"

#include <gtest/gtest.h>

namespace {

// Stand-ins carrying the class names the lookup recognises.
class TCustomForm : public TComponent {
    ORV_META(TCustomForm, TComponent)
    using TComponent::TComponent;
};
class TCustomFrame : public TComponent {
    ORV_META(TCustomFrame, TComponent)
    using TComponent::TComponent;
};
class TvrReport : public TComponent {
    ORV_META(TvrReport, TComponent)
    using TComponent::TComponent;
};
ORV_META_IMPL(TCustomForm)
void TCustomForm::DeclareMeta(meta::Class<TCustomForm>&) {}
ORV_META_IMPL(TCustomFrame)
void TCustomFrame::DeclareMeta(meta::Class<TCustomFrame>&) {}
ORV_META_IMPL(TvrReport)
void TvrReport::DeclareMeta(meta::Class<TvrReport>&) {}

template <class T> T* Make(TComponent* owner, const String& name) {
    auto* c = new T(owner); // owned by owner
    c->SetName(name);
    return c;
}

// Two forms: Form1 holds a report, a table and a frame with a query; Form2 holds a database.
struct TFixture {
    TCustomForm form1{nullptr}, form2{nullptr};
    TvrReport* report;
    TComponent *table, *query, *database, *plain;
    TCustomFrame* frame;
    int procId;
    TFixture() {
        form1.SetName("Form1");
        form2.SetName("Form2");
        report = Make<TvrReport>(&form1, "vrReport1");
        table = Make<TComponent>(&form1, "Table1");
        frame = Make<TCustomFrame>(&form1, "Frame1");
        query = Make<TComponent>(frame, "Query1");
        database = Make<TComponent>(&form2, "Database1");
        plain = Make<TComponent>(report, "Memo1");
        procId = RegisterFindGlobalComponentProc([this](const String& name) -> TComponent* {
            if (name == "Form1") return &form1;
            if (name == "Form2") return &form2;
            if (name == "Broken") throw Exception("lookup failed");
            return nullptr;
        });
    }
    ~TFixture() { UnregisterFindGlobalComponentProc(procId); }
};

} // namespace

TEST(vrUtilsComponents, FindComponentByPathFollowsOwnersFormsAndFrames) {
    TFixture f;
    EXPECT_EQ(FindComponentByPath(f.report, "Memo1"), f.plain);
    EXPECT_EQ(FindComponentByPath(f.report, "Table1"), f.table); // a report looks in its owner too
    EXPECT_EQ(FindComponentByPath(f.table, "Memo1"), nullptr);
    EXPECT_EQ(FindComponentByPath(nullptr, "Table1"), nullptr);
    EXPECT_EQ(FindComponentByPath(f.report, "Form2.Database1"), f.database);
    EXPECT_EQ(FindComponentByPath(nullptr, "Form1.Frame1.Query1"), f.query);
    EXPECT_EQ(FindComponentByPath(nullptr, "Form3.Database1"), nullptr);
    EXPECT_EQ(FindComponentByPath(nullptr, "Form1.Frame9.Query1"), nullptr);
    try {
        FindComponentByPath(nullptr, "Broken.X");
        FAIL();
    } catch (const EClassNotFound& e) {
        EXPECT_EQ(e.Message(), "Missing Broken.X");
    }
}

TEST(vrUtilsComponents, ComponentPathNameResolvesBack) {
    TFixture f;
    const std::pair<TComponent*, const char*> cases[] = {
        {f.plain, "Memo1"},
        {f.table, "Table1"},
        {f.database, "Form2.Database1"},
        {f.query, "Form1.Frame1.Query1"},
        {nullptr, ""},
    };
    for (auto [component, path] : cases) {
        EXPECT_EQ(ComponentPathName(f.report, component), path);
        if (component) {
            EXPECT_EQ(FindComponentByPath(f.report, path), component) << path;
        }
    }
    TComponent loose(nullptr);
    loose.SetName("Loose");
    EXPECT_EQ(ComponentPathName(f.report, &loose), "Loose");
    TComponent holder(nullptr);
    TComponent* inner = Make<TComponent>(&holder, "Inner");
    EXPECT_EQ(ComponentPathName(f.report, inner), ""); // an owner that is no form, frame or report
    TCustomFrame lone(nullptr);
    lone.SetName("LoneFrame");
    EXPECT_EQ(ComponentPathName(f.report, Make<TComponent>(&lone, "X")), "LoneFrame.X");
}
