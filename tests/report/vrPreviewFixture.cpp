#include "vrPreviewFixture.h"

#include <cmath>

void PreviewTest::TearDown() {
    if (Report) Report->SetPreview(nullptr);
    Window.reset();
    Host.reset();
    EngineTest::TearDown();
}

void PreviewTest::Build(const String& layout) {
    MakeTable(GroupedRows());
    LoadLayout(layout);
    ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
}

TvrPreview* PreviewTest::Attach(int width, int height) {
    Host = std::make_unique<TForm>(nullptr);
    Host->SetClientWidth(width);
    Host->SetClientHeight(height);
    Control = new TvrPreview(Host.get());
    Control->SetParent(Host.get());
    Control->SetAlign(alClient);
    Report->SetPreview(Control);
    return Control;
}

TvrPreviewForm* PreviewTest::OpenWindow() {
    Window = std::make_unique<TvrPreviewForm>(nullptr);
    Window->SetWindowState(wsNormal);
    Report->PreviewOptions()->Maximized = false;
    Report->SetPreview(Window->Preview());
    Window->Init();
    Control = Window->Preview();
    return Window.get();
}

TPoint PreviewTest::PointOn(Integer index, Extended x, Extended y) const {
    TvrPreviewWorkspace* w = Control->Workspace();
    const TRect r = w->ScreenBounds(index);
    return TPoint(r.Left + static_cast<int>(std::lround(x * w->Zoom)),
                  r.Top + static_cast<int>(std::lround(y * w->Zoom)));
}
