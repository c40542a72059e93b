// Every control, menu, action, timer, image list and dialog class that forms and reports name is
// registered, can be made by its name, and publishes its main properties; the graphics objects
// publish theirs in the platform's order.
#include "gui/Controls.h"
#include "gui/Forms.h"

#include "classes/ClassRegistry.h"
#include "classes/MetaProps.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct TClassCase {
    const char* Name;
    const char* Base; // a class it descends from
    std::vector<const char*> Properties;
};

const TClassCase Classes[] = {
    {"TLabel", "TGraphicControl", {"Caption", "Alignment", "AutoSize", "Font", "Transparent", "WordWrap"}},
    {"TEdit", "TWinControl", {"Text", "MaxLength", "ReadOnly", "PasswordChar", "OnChange", "TabOrder"}},
    {"TMemo", "TWinControl", {"Lines", "ScrollBars", "WordWrap", "OnChange"}},
    {"TButton", "TWinControl", {"Caption", "Default", "Cancel", "ModalResult", "OnClick"}},
    {"TBitBtn", "TButton", {"Kind", "Glyph", "NumGlyphs", "Layout", "Margin", "Spacing", "ModalResult"}},
    {"TSpeedButton", "TGraphicControl", {"GroupIndex", "Down", "AllowAllUp", "Flat", "Glyph", "Caption"}},
    {"TCheckBox", "TWinControl", {"Caption", "Checked", "State", "AllowGrayed"}},
    {"TRadioButton", "TWinControl", {"Caption", "Checked"}},
    {"TRadioGroup", "TWinControl", {"Caption", "Items", "ItemIndex", "Columns"}},
    {"TComboBox", "TWinControl", {"Items", "ItemIndex", "Style", "Text", "OnChange", "OnSelect"}},
    {"TListBox", "TWinControl", {"Items", "ItemIndex", "MultiSelect", "Sorted", "Style"}},
    {"TCheckListBox", "TCustomListBox", {"Items", "AllowGrayed", "Flat", "OnClickCheck"}},
    {"TGroupBox", "TWinControl", {"Caption"}},
    {"TPanel", "TCustomControl", {"Caption", "BevelInner", "BevelOuter", "BorderStyle", "Alignment"}},
    {"TBevel", "TGraphicControl", {"Shape", "Style"}},
    {"TSplitter", "TGraphicControl", {"MinSize", "OnMoved", "Align"}},
    {"TScrollBox", "TScrollingWinControl", {"HorzScrollBar", "VertScrollBar", "AutoScroll", "BorderStyle"}},
    {"TPageControl", "TWinControl", {"ActivePage", "Images", "OnChange", "OnChanging"}},
    {"TTabSheet", "TWinControl", {"Caption", "PageControl", "ImageIndex", "TabVisible"}},
    {"TTreeView", "TWinControl", {"Images", "ReadOnly", "ShowLines", "ShowRoot", "OnChange"}},
    {"TListView", "TWinControl", {"SmallImages", "ViewStyle", "RowSelect", "Checkboxes", "OnSelectItem"}},
    {"TDateTimePicker", "TWinControl", {"Date", "Time", "Kind", "Format", "ShowCheckbox", "OnChange"}},
    {"TStatusBar", "TWinControl", {"SimplePanel", "SimpleText"}},
    {"TToolBar", "TWinControl", {"Images", "DisabledImages", "ButtonWidth", "ButtonHeight", "ShowCaptions"}},
    {"TToolButton", "TGraphicControl", {"ImageIndex", "Style", "Down", "Grouped", "DropdownMenu"}},
    {"TProgressBar", "TWinControl", {"Min", "Max", "Position", "Step"}},
    {"TImage",
     "TGraphicControl",
     {"Picture", "Stretch", "Center", "Proportional", "Transparent", "AutoSize"}},
    {"TShape", "TGraphicControl", {"Shape", "Pen", "Brush"}},
    {"TPaintBox", "TGraphicControl", {"OnPaint", "Color"}},
    {"TScrollBar", "TWinControl", {"Kind", "Min", "Max", "Position", "OnScroll"}},
    {"TMainMenu", "TMenu", {"Images", "Items"}},
    {"TPopupMenu", "TMenu", {"Images", "AutoPopup", "OnPopup"}},
    {"TMenuItem", "TComponent", {"Caption", "ImageIndex", "ShortCut", "Checked", "OnClick"}},
    {"TActionList", "TComponent", {"Images", "OnExecute", "OnUpdate"}},
    {"TAction", "TComponent", {"Caption", "ImageIndex", "ShortCut", "Enabled", "OnExecute"}},
    {"TTimer", "TComponent", {"Enabled", "Interval", "OnTimer"}},
    {"TImageList", "TCustomImageList", {"Width", "Height", "BkColor", "Masked"}},
    {"TOpenDialog", "TCommonDialog", {"FileName", "Filter", "FilterIndex", "Options", "DefaultExt"}},
    {"TSaveDialog", "TOpenDialog", {"FileName", "Filter"}},
    {"TColorDialog", "TCommonDialog", {"Color"}},
    {"TFontDialog", "TCommonDialog", {"Font"}},
    {"TPrintDialog", "TCommonDialog", {"Copies", "FromPage", "ToPage", "PrintRange", "Collate", "Options"}},
    {"TPrinterSetupDialog", "TCommonDialog", {"HelpContext"}},
    {"TForm", "TCustomForm", {"Caption", "Menu", "KeyPreview", "OnCreate"}},
};

} // namespace

TEST(GuiClasses, RegisteredMadeByNameWithTheirProperties) {
    TForm form(nullptr);
    for (const TClassCase& k : Classes) {
        const meta::TClassInfo* cls = GetClass(k.Name);
        ASSERT_NE(cls, nullptr) << k.Name;
        EXPECT_TRUE(cls->InheritsFrom(String(k.Base))) << k.Name;
        for (const char* p : k.Properties)
            EXPECT_NE(cls->FindProperty(p), nullptr) << k.Name << "." << p;
        // Made by name, owned by the form (a form is made on its own).
        if (String(k.Name) == "TForm") continue;
        TComponent* c = cls->CreateComponent(&form);
        ASSERT_NE(c, nullptr) << k.Name;
        EXPECT_EQ(c->ClassName(), k.Name);
        if (auto* control = dynamic_cast<TControl*>(c)) control->SetParent(&form);
    }
}

TEST(GuiClasses, GraphicsObjectsPublishInThePlatformsOrder) {
    auto names = [](const meta::TClassInfo& cls) {
        std::vector<String> out;
        for (const meta::TPropInfo* p : cls.Properties())
            out.push_back(p->Name);
        return out;
    };
    const std::vector<String> font = names(TFont::StaticClassInfo());
    for (const char* p : {"Charset", "Color", "Height", "Name", "Pitch", "Size", "Style"})
        EXPECT_NE(std::find(font.begin(), font.end(), p), font.end()) << p;
    EXPECT_LT(std::find(font.begin(), font.end(), "Charset"), std::find(font.begin(), font.end(), "Style"));
    EXPECT_EQ(names(TPen::StaticClassInfo()), (std::vector<String>{"Color", "Mode", "Style", "Width"}));
    EXPECT_EQ(names(TBrush::StaticClassInfo()), (std::vector<String>{"Color", "Style"}));

    // A control's font is reached as a sub-object through its path.
    TForm form(nullptr);
    TObject* holder = nullptr;
    const meta::TPropInfo* size = FindPropPath(&form, "Font.Size", holder);
    ASSERT_NE(size, nullptr);
    SetOrdProp(holder, *size, 14);
    EXPECT_EQ(form.Font()->Size(), 14);
}
