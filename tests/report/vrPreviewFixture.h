// The engine tests' 120-row report shown in a preview control on a form that is never shown, or
// in the preview window, with the user played through the Interaction responder.
#pragma once

#include "vrEngineFixture.h"

#include "gui/Forms.h"
#include "gui/Interaction.h"
#include "report/vrPreview.h"

#include <memory>

class PreviewTest : public EngineTest {
protected:
    void TearDown() override;
    // Makes the table, loads the layout and prepares it.
    void Build(const String& layout = GroupedLayout);
    // A preview control filling a form whose client area is width x height, attached to the report.
    TvrPreview* Attach(int width = 1000, int height = 800);
    // The preview window of the report, initialised as the report does, never shown.
    TvrPreviewForm* OpenWindow();
    // The main workspace point of a place on page index (units from the page's paper corner).
    TPoint PointOn(Integer index, Extended x, Extended y) const;

    TScriptedResponder User;
    TInteractionScope Scope{User};
    std::unique_ptr<TForm> Host;
    TvrPreview* Control = nullptr;
    std::unique_ptr<TvrPreviewForm> Window;
};
