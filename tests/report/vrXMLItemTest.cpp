#include "report/vrXML.h"

#include <gtest/gtest.h>

TEST(vrXMLItem, SetPropAppendsReplacesInPlaceAndEscapes) {
    TvrXMLItem item;
    item.SetProp("Name", "x");
    EXPECT_EQ(item.AttrText, "Name=\"x\"");

    item.AttrText = "a=\"1\"";
    item.SetProp("Name", "x");
    EXPECT_EQ(item.AttrText, "a=\"1\" Name=\"x\"");

    item.AttrText = "a=\"1\" b=\"2\" c=\"3\"";
    item.SetProp("B", "<new \"value\">");
    EXPECT_EQ(item.AttrText, "a=\"1\" B=\"&#60;new &#34;value&#34;&#62;\" c=\"3\"");
    EXPECT_EQ(item.GetProp("b"), "<new \"value\">");
}

TEST(vrXMLItem, GetPropMatchesWholeNamesOnlyWithoutRegardToCase) {
    TvrXMLItem item;
    item.AttrText = "Font.Name=\"Arial\" Name=\"x\" Empty=\"\" t=\"&#38;lt;&amp;\"";
    EXPECT_EQ(item.GetProp("Name"), "x");
    EXPECT_EQ(item.GetProp("NAME"), "x");
    EXPECT_EQ(item.GetProp("Font.Name"), "Arial");
    EXPECT_EQ(item.GetProp("t"), "&lt;&");
    EXPECT_EQ(item.GetProp("ame"), "");
    EXPECT_TRUE(item.PropExists("empty"));
    EXPECT_EQ(item.GetProp("Empty"), "");
    EXPECT_FALSE(item.PropExists("Missing"));
    EXPECT_EQ(item.GetProp("Missing"), "");

    item.AttrText = "u=\"unterminated";
    EXPECT_EQ(item.GetProp("u"), "unterminated");
}

TEST(vrXMLItem, ChildListOwnsAndMovesItsElements) {
    TvrXMLItem a, b;
    TvrXMLItem* x = a.Add();
    x->Name = "Page";
    TvrXMLItem* y = a.Add();
    y->Name = "band";
    EXPECT_EQ(a.ItemCount(), 2);
    EXPECT_EQ(a.IndexOfName("PAGE"), 0);
    EXPECT_EQ(a.IndexOfName("none"), -1);
    EXPECT_EQ(a.FindItem("BAND"), y);
    TvrXMLItem* z = a.FindItem("new");
    EXPECT_EQ(a.ItemCount(), 3);
    EXPECT_EQ(z->Name, "new");

    b.AppendItem(x); // taken out of a
    EXPECT_EQ(x->Parent(), &b);
    EXPECT_EQ(a.ItemCount(), 2);
    EXPECT_EQ(a.IndexOfItem(x), -1);

    a.InsertItemAt(0, b.GetItem(0));
    EXPECT_EQ(a.GetItem(0), x);
    EXPECT_EQ(b.ItemCount(), 0);

    delete y; // destroying an element takes it out of its parent
    EXPECT_EQ(a.ItemCount(), 2);
    EXPECT_EQ(a.IndexOfItem(z), 1);

    try {
        a.GetItem(5);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (5)");
    }
    EXPECT_THROW(a.GetItem(-1), EListError);
}

TEST(vrXMLItem, ClearOfAnUnloadableElementMarksItNotLoaded) {
    TvrXMLItem page;
    page.Add()->Add();
    page.Clear();
    EXPECT_EQ(page.ItemCount(), 0);
    EXPECT_TRUE(page.IsLoaded);
    page.Add();
    page.IsUnloadable = true;
    page.Clear();
    EXPECT_FALSE(page.IsLoaded);
}
