// The object inspector's property editors and lists: typed editors, sets with their element rows,
// class rows, selections of several objects, hidden properties, the component editor's menu.
#include "classes/MetaBuilder.h"
#include "gui/Bitmap.h"
#include "gui/Interaction.h"
#include "gui/Menus.h"
#include "report/vrClass.h"
#include "report/vrClassMemo.h"
#include "report/vrClassPicture.h"
#include "report/vrClassObjects.h"
#include "report/vrDsgnIntf.h"
#include "report/vrRes.h"
#include "rtl/StrUtils.h"
#include "vrClassTestObjects.h"

#include <gtest/gtest.h>

// An object with a property of each type the standard editors serve.
class TEditorSample : public TvrReportComponent {
    ORV_META(TEditorSample, TvrReportComponent)
    explicit TEditorSample(TComponent* AOwner) : TvrReportComponent(AOwner) {}
    char Letter = ' ';
    Integer Result = 0;
    Integer Key = 0;
    Integer Color = 0;
    Integer Cursor = 0;
    double Stamp = 0;
    TFont* Extra = nullptr; // a sub-object left unassigned
    TTestBand* Band = nullptr;
};

ORV_META_IMPL(TEditorSample)
void TEditorSample::DeclareMeta(meta::Class<TEditorSample>& c) {
    using T = TEditorSample;
    c.Property("Letter", &T::Letter, &T::Letter);
    c.Property("Result", &T::Result, &T::Result).TypeName("TModalResult");
    c.Property("Key", &T::Key, &T::Key).TypeName("TShortCut");
    c.Property("Color", &T::Color, &T::Color).TypeName("TColor");
    c.Property("Cursor", &T::Cursor, &T::Cursor).TypeName("TCursor");
    c.Property("Stamp", &T::Stamp, &T::Stamp).TypeName("TDateTime");
    c.Property("Extra", &T::Extra, &T::Extra);
    c.Property("Band", &T::Band, &T::Band);
}

namespace {

struct PropertyEditors : ::testing::Test {
    void SetUp() override {
        RegisterTestObjects();
        FreeRegistries();
        vrRegisterStandardPropertyEditors();
    }
    // The registries as the start-up left them, for the tests that follow.
    void TearDown() override {
        FreeRegistries();
        vrRegisterObjectClasses();
        vrRegisterStandardPropertyEditors();
    }

    TvrPropertyItem* Row(TvrPropertyList& list, const String& name) {
        for (int i = 0; i < list.Count(); ++i)
            if (list.Items(i)->Editor->GetName() == name) return list.Items(i);
        return nullptr;
    }
    std::vector<String> Names(const TvrPropertyList& list) {
        std::vector<String> names;
        for (int i = 0; i < list.Count(); ++i)
            names.push_back(list.Items(i)->Editor->GetName());
        return names;
    }
    const String Invalid = GetResources().GetString("prInvProp");
};

TEST_F(PropertyEditors, RowsAreSortedByNameWithTheRegisteredEditors) {
    TEditorSample sample(nullptr);
    TvrPropertyList list;
    list.SetComponent(&sample);
    const std::vector<String> names = Names(list);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](const String& a, const String& b) {
        return CompareText(a, b) < 0;
    }));
    const std::pair<const char*, const char*> editors[] = {
        {"Name", "TvrNameProperty"},          {"Color", "TvrColorProperty"},
        {"Result", "TvrModalResultProperty"}, {"Key", "TvrShortCutProperty"},
        {"Cursor", "TvrCursorProperty"},      {"Stamp", "TvrDateTimeProperty"},
        {"Letter", "TvrCharProperty"},
        {"Band", "TvrComponentProperty"},     {"Extra", "TvrFontProperty"},
        {"Tag", "TvrIntegerProperty"},
    };
    for (const auto& [name, editor] : editors) {
        TvrPropertyItem* row = Row(list, name);
        ASSERT_NE(row, nullptr) << name;
        EXPECT_EQ(row->Editor->ClassName(), editor) << name;
    }
    // A font's own rows, but none for a font left unassigned.
    TTestView view(nullptr);
    TvrPropertyList viewList;
    viewList.SetComponent(&view);
    TvrPropertyItem* font = Row(viewList, "Font");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->Editor->ClassName(), "TvrFontProperty");
    ASSERT_NE(font->SubProperties, nullptr);
    ASSERT_NE(Row(*font->SubProperties, "Name"), nullptr);
    EXPECT_EQ(Row(*font->SubProperties, "Name")->Editor->ClassName(), "TvrFontNameProperty");
    EXPECT_EQ(Row(list, "Extra")->SubProperties, nullptr);
    EXPECT_EQ(Row(list, "Extra")->Editor->ValueText(), "(TFont)");
}

// The names are offered sorted: tkOne, tkThree, tkTwo.
TEST_F(PropertyEditors, EnumerationEditAfterTheLastNameSetsTheFirst) {
    TTestView view(nullptr);
    view.Kind = tkTwo;
    TvrPropertyList list;
    list.SetComponent(&view);
    TvrPropertyEditor& kind = *Row(list, "Kind")->Editor;
    EXPECT_EQ(kind.GetAttributes(), 11);
    EXPECT_TRUE(kind.Edit());
    EXPECT_EQ(view.Kind, tkOne);
    EXPECT_TRUE(kind.Edit());
    EXPECT_EQ(kind.ValueText(), "tkThree");
    EXPECT_THROW(kind.ApplyValueText("tkFour"), Exception);
    EXPECT_EQ(view.Kind, tkThree);
}

TEST_F(PropertyEditors, CharactersShowControlCodesAndRefuseWhatDoesNotFit) {
    TEditorSample sample(nullptr);
    TvrPropertyList list;
    list.SetComponent(&sample);
    TvrPropertyEditor& letter = *Row(list, "Letter")->Editor;
    EXPECT_EQ(letter.ValueText(), "#32");
    letter.ApplyValueText("#65");
    EXPECT_EQ(sample.Letter, 'A');
    EXPECT_EQ(letter.ValueText(), "A");
    letter.ApplyValueText("z");
    EXPECT_EQ(sample.Letter, 'z');
    for (const char* bad : {"AB", "#300", "#-1", "#x"}) {
        try {
            letter.ApplyValueText(bad);
            ADD_FAILURE() << bad << " was taken";
        } catch (const Exception& e) {
            EXPECT_EQ(String(e.what()), Invalid) << bad;
        }
        EXPECT_EQ(sample.Letter, 'z') << bad << " is refused, never cut";
    }
    letter.ApplyValueText("");
    EXPECT_EQ(sample.Letter, '\0');
    EXPECT_EQ(Invalid, "无效属性值");
}

// Edit asks the font dialog on the current font and gives the chosen font to every object.
TEST_F(PropertyEditors, FontsAreChosenInTheFontDialog) {
    TTestView a(nullptr), b(nullptr);
    a.Font()->SetName("宋体");
    std::unique_ptr<TvrPropertyList> both = BuildSelectionPropertyList({&a, &b}, nullptr);
    TvrPropertyItem* font = Row(*both, "Font");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->Editor->GetAttributes(), 60);
    TScriptedResponder user;
    TInteractionScope scope(user);
    TInteractionAnswer chosen;
    chosen.Result = 1;
    chosen.FontName = "黑体";
    chosen.FontSize = 14;
    user.Add(chosen).Cancel();
    EXPECT_TRUE(font->Editor->Edit());
    EXPECT_EQ(a.Font()->Name(), "黑体");
    EXPECT_EQ(b.Font()->Size(), 14);
    EXPECT_FALSE(font->Editor->Edit());
    EXPECT_EQ(user.Requests()[0].Kind, TInteractionKind::Font);
}

TEST_F(PropertyEditors, SetShowsItsMembersWithOneRowPerElement) {
    TTestView view(nullptr);
    view.Kinds = TTestKinds{tkOne, tkThree};
    TvrPropertyList list;
    list.SetComponent(&view);
    TvrPropertyItem* kinds = Row(list, "Kinds");
    EXPECT_EQ(kinds->Editor->ValueText(), "[tkOne,tkThree]");
    EXPECT_EQ(kinds->Editor->GetAttributes(), 56);
    ASSERT_NE(kinds->SubProperties, nullptr);
    ASSERT_EQ(kinds->SubProperties->Count(), 3);
    std::vector<String> shown;
    for (int i = 0; i < 3; ++i)
        shown.push_back(kinds->SubProperties->Items(i)->Editor->GetName() + "=" +
                        kinds->SubProperties->Items(i)->Editor->ValueText());
    EXPECT_EQ(shown, (std::vector<String>{"tkOne=True", "tkTwo=False", "tkThree=True"}));
    kinds->SubProperties->Items(1)->Editor->ApplyValueText("true");
    kinds->SubProperties->Items(0)->Editor->ApplyValueText("FALSE");
    EXPECT_EQ(kinds->Editor->ValueText(), "[tkTwo,tkThree]");
    EXPECT_THROW(kinds->SubProperties->Items(0)->Editor->ApplyValueText("yes"), Exception);
}

TEST_F(PropertyEditors, ASelectionKeepsSharedPropertiesAndWritesEveryObject) {
    TvrReport report(nullptr);
    auto* page = new TTestReportPage(&report);
    auto* memo = new TvrMemoView(page);
    auto* picture = new TvrPictureView(page);
    memo->SetName("Memo1");
    picture->SetName("Picture1");
    TvrPropertyList memoList, pictureList;
    memoList.SetComponent(memo);
    pictureList.SetComponent(picture);
    std::unique_ptr<TvrPropertyList> both = BuildSelectionPropertyList({memo, picture}, &report);
    ASSERT_NE(both, nullptr);
    EXPECT_EQ(Row(*both, "Name"), nullptr) << "a name is not offered for several objects";
    for (int i = 0; i < both->Count(); ++i) {
        const String name = both->Items(i)->Editor->GetName();
        EXPECT_NE(Row(memoList, name), nullptr) << name;
        EXPECT_NE(Row(pictureList, name), nullptr) << name;
        EXPECT_EQ(both->Items(i)->Editor->ObjectCount(), 2) << name;
    }
    EXPECT_LT(both->Count(), std::min(memoList.Count(), pictureList.Count()));
    TvrPropertyItem* left = Row(*both, "Left");
    ASSERT_NE(left, nullptr);
    left->Editor->ApplyValueText("12.5");
    EXPECT_EQ(memo->Left(), 12.5);
    EXPECT_EQ(picture->Left(), 12.5);
    // Sub-rows merge the same way: the frame or font rows edit both objects.
    for (int i = 0; i < both->Count(); ++i) {
        TvrPropertyList* sub = both->Items(i)->SubProperties.get();
        for (int k = 0; sub && k < sub->Count(); ++k) {
            EXPECT_EQ(sub->Items(k)->Editor->ObjectCount(), 2) << both->Items(i)->Editor->GetName();
        }
    }
    EXPECT_EQ(BuildSelectionPropertyList({}, nullptr), nullptr);
}

TEST_F(PropertyEditors, TypedTextsOfTheStandardEditors) {
    TEditorSample sample(nullptr);
    TvrPropertyList list;
    list.SetComponent(&sample);
    TvrPropertyEditor& result = *Row(list, "Result")->Editor;
    result.ApplyValueText("MROK");
    EXPECT_EQ(sample.Result, 1);
    EXPECT_EQ(result.ValueText(), "mrOk");
    result.ApplyValueText("11");
    EXPECT_EQ(result.ValueText(), "11");
    result.ApplyValueText("");
    EXPECT_EQ(sample.Result, 0);
    result.GetValues();
    EXPECT_EQ(result.Values().Count(), 11);

    TvrPropertyEditor& stamp = *Row(list, "Stamp")->Editor;
    EXPECT_EQ(stamp.ValueText(), "");
    stamp.ApplyValueText("2026-12-11 10:30:00");
    EXPECT_EQ(stamp.ValueText(), "2026-12-11 10:30:00");
    stamp.ApplyValueText("");
    EXPECT_EQ(sample.Stamp, 0);

    TvrPropertyEditor& cursor = *Row(list, "Cursor")->Editor;
    cursor.ApplyValueText("crHourGlass");
    EXPECT_EQ(sample.Cursor, -11);
    cursor.ApplyValueText("crSize");
    EXPECT_EQ(cursor.ValueText(), "crSizeAll");
    cursor.ApplyValueText("-5");
    EXPECT_EQ(cursor.ValueText(), "-5");
}

TEST_F(PropertyEditors, ColoursListTheirNamesAndPaintASwatch) {
    TEditorSample sample(nullptr);
    TvrPropertyList list;
    list.SetComponent(&sample);
    TvrPropertyEditor& color = *Row(list, "Color")->Editor;
    EXPECT_EQ(color.GetAttributes(), 73);
    color.GetValues();
    ASSERT_EQ(color.Values().Count(), 52);
    EXPECT_EQ(color.Values().Strings(0), "clBlack");
    color.ApplyValueText("clRed");
    EXPECT_EQ(sample.Color, clRed);
    EXPECT_EQ(color.ValueText(), "clRed");
    color.ApplyValueText("1234");
    EXPECT_EQ(color.ValueText(), "1234");
    color.ApplyValueText("clLime");
    TBitmap bitmap(60, 16);
    bitmap.Canvas()->Brush()->SetColor(clWhite);
    bitmap.Canvas()->FillRect(TRect(0, 0, 60, 16));
    color.RowHeight = 16;
    color.PaintValue(bitmap.Canvas(), TRect(0, 0, 60, 16));
    EXPECT_EQ(ColorToPixelRGB(bitmap.Canvas()->Pixels(4, 5)), ColorToPixelRGB(clLime)) << "inside the swatch";
    EXPECT_EQ(ColorToPixelRGB(bitmap.Canvas()->Pixels(0, 1)), 0x808080u) << "its frame";
    // Edit asks the colour dialog, starting from the current colour.
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.PickColor(clBlue).Cancel();
    EXPECT_TRUE(color.Edit());
    EXPECT_EQ(sample.Color, clBlue);
    EXPECT_FALSE(color.Edit());
    EXPECT_EQ(sample.Color, clBlue);
    ASSERT_EQ(user.Requests().size(), 2u);
    EXPECT_EQ(user.Requests()[0].Kind, TInteractionKind::Color);
    EXPECT_EQ(user.Requests()[0].Color, clLime);
}

TEST_F(PropertyEditors, ShortCutsOfferNoneAndTheStandardKeys) {
    TEditorSample sample(nullptr);
    TvrPropertyList list;
    list.SetComponent(&sample);
    TvrPropertyEditor& key = *Row(list, "Key")->Editor;
    EXPECT_EQ(key.ValueText(), "(None)");
    key.GetValues();
    ASSERT_EQ(key.Values().Count(), 109);
    EXPECT_EQ(key.Values().Strings(0), "(None)");
    EXPECT_EQ(key.Values().Strings(1), ShortCutToText(ShortCut('A', TShiftState{ssCtrl})));
    EXPECT_EQ(key.Values().Strings(108), ShortCutToText(ShortCut(VK_BACK, TShiftState{ssShift, ssAlt})));
    key.ApplyValueText(key.Values().Strings(1));
    EXPECT_EQ(sample.Key, ShortCut('A', TShiftState{ssCtrl}));
    key.ApplyValueText("(none)");
    EXPECT_EQ(sample.Key, 0);
}

TEST_F(PropertyEditors, AHiddenPropertyHasNoRow) {
    TTestView view(nullptr);
    PropertyEditorRegistry()->HideProperties(&TTestView::StaticClassInfo(), "Number;Caption");
    TvrPropertyList list;
    list.SetComponent(&view);
    EXPECT_EQ(Row(list, "Number"), nullptr);
    EXPECT_EQ(Row(list, "Caption"), nullptr);
    EXPECT_NE(Row(list, "Ratio"), nullptr);
}

// A reference is taken only from the edited object's report and only of the property's class;
// an object without a report refuses every name.
TEST_F(PropertyEditors, ComponentReferencesComeFromTheReportAndFitTheClass) {
    TvrReport report(nullptr);
    auto* page = new TTestReportPage(&report);
    auto* sample = new TEditorSample(page);
    auto* band = new TTestBand(page);
    auto* view = new TTestView(page);
    sample->SetName("Sample1");
    band->SetName("Band1");
    view->SetName("View1");
    TvrPropertyList list;
    list.SetComponent(sample);
    TvrPropertyEditor& ref = *Row(list, "Band")->Editor;
    ref.GetValues();
    EXPECT_EQ(ref.Values().Count(), 1);
    EXPECT_EQ(ref.Values().Strings(0), "Band1");
    ref.ApplyValueText("Band1");
    EXPECT_EQ(sample->Band, band);
    EXPECT_EQ(ref.ValueText(), "Band1");
    for (const char* bad : {"View1", "Missing"}) {
        EXPECT_THROW(ref.ApplyValueText(bad), Exception) << bad;
        EXPECT_EQ(sample->Band, band) << bad;
    }
    ref.ApplyValueText("");
    EXPECT_EQ(sample->Band, nullptr);

    TEditorSample loose(nullptr);
    TvrPropertyList looseList;
    looseList.SetComponent(&loose);
    try {
        Row(looseList, "Band")->Editor->ApplyValueText("Band1");
        ADD_FAILURE() << "a name was taken without a report";
    } catch (const Exception& e) {
        EXPECT_EQ(String(e.what()), Invalid);
    }
}

TEST_F(PropertyEditors, ComponentEditorsFillTheirMenu) {
    TPopupMenu menu(nullptr);
    TTestView view(nullptr);
    TvrComponentEditor editor(&view, nullptr, &menu);
    TMenuItem* item = editor.AddMenuItem("Edit...", 7, true);
    ASSERT_EQ(menu.Items()->Count(), 1);
    EXPECT_EQ(menu.Items()->Items(0), item);
    EXPECT_EQ(item->Caption(), "Edit...");
    EXPECT_EQ(item->Tag(), 7);
    EXPECT_TRUE(item->Checked());
    EXPECT_EQ(item->Owner(), &menu);
    EXPECT_FALSE(editor.Edit());
}

} // namespace
