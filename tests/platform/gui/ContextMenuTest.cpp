// The context menu a control opens where the user asks for it: through Interaction, which is
// told the screen point the menu opens at.
#include "gui/Forms.h"
#include "gui/InputSimulation.h"
#include "gui/Interaction.h"
#include "gui/Menus.h"

#include <gtest/gtest.h>

TEST(ContextMenu, OpensAtTheClickedPointThroughInteraction) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* c = new TCustomControl(&form);
    c->SetParent(&form);
    c->SetBounds(10, 10, 200, 100);
    TPopupMenu menu(&form);
    menu.SetName("pmTest");
    int clicked = 0;
    menu.Items()->Add(NewItem(&form, "Open", scNone, false, true, [&](TObject*) { ++clicked; }));
    c->SetPopupMenu(&menu);
    form.Show();
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.MenuItem("Open");
    SimulateContextMenu(c, 30, 40);
    ASSERT_EQ(user.Requests().size(), 1u);
    EXPECT_EQ(user.Requests()[0].Kind, TInteractionKind::PopupMenu);
    EXPECT_EQ(user.Requests()[0].Caption, "pmTest");
    EXPECT_EQ(user.Requests()[0].Position, c->ClientToScreen(TPoint(30, 40)));
    EXPECT_EQ(clicked, 1);
    EXPECT_EQ(menu.PopupComponent(), c);
}
