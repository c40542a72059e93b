// The grid printer component: defaults, units and margins, header and footer blocks, the grid
// reference, the rich text properties and the page macros.
#include "gridprint/PrnDbggx.h"
#include "gridprint/PrnDbggxMacros.h"

#include "classes/Filer.h"
#include "classes/MetaProps.h"
#include "grid/DBGridGx.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

namespace {

String Margins(const TPageParams& p) {
    return CurrToStr(p.TopMargin()) + " " + CurrToStr(p.BottomMargin()) + " " + CurrToStr(p.LeftMargin()) +
           " " + CurrToStr(p.RightMargin());
}

TEST(PrintDBGridGx, NewComponentDefaults) {
    TPrintDBGridGx c(nullptr);
    EXPECT_EQ(c.Options(), 0);
    EXPECT_EQ(c.Units(), MM);
    EXPECT_EQ(c.PrintFontName(), "");
    EXPECT_EQ(c.Title()->Count(), 0);
    EXPECT_EQ(Margins(*c.Page()), "2 2 2 2");
    EXPECT_EQ(c.PageHeader()->LineType(), pcltNon);
    EXPECT_FALSE(c.HasBeforeGridText());
    EXPECT_EQ(c.BeforeGridText()->Count(), 0); // created on first read
}

// 2 cm -> 0.7874 in -> 2.0000 cm (0.7874 x 2.54 = 1.999996, rounded to four decimals).
TEST(PrintDBGridGx, UnitConversionTable) {
    struct Step {
        TMeasureUnits to;
        const char* margins;
    } steps[] = {
        {Inches, "0.7874 0.7874 0.7874 0.7874"}, {Inches, "0.7874 0.7874 0.7874 0.7874"}, {MM, "2 2 2 2"}};
    TPrintDBGridGx c(nullptr);
    for (const Step& s : steps) {
        c.SetUnits(s.to);
        EXPECT_EQ(Margins(*c.Page()), s.margins);
    }
    c.Page()->SetLeftMargin(Currency::FromDouble(1.5));
    c.SetUnits(Inches);
    EXPECT_EQ(CurrToStr(c.Page()->LeftMargin()), "0.5906"); // 1.5 x 0.3937 = 0.59055
}

TEST(PrintDBGridGx, UnitsReadWhileLoadingConvertNothing) {
    TPrintDBGridGx c(nullptr);
    c.BeginLoading();
    c.SetUnits(Inches);
    c.Loaded();
    EXPECT_EQ(c.Units(), Inches);
    EXPECT_EQ(Margins(*c.Page()), "2 2 2 2");
}

TEST(PrintDBGridGx, MarginOfTwoIsNotStored) {
    TPageParams p;
    EXPECT_FALSE(IsStoredProp(&p, "LeftMargin"));
    p.SetLeftMargin(Currency::FromDouble(2.0001));
    EXPECT_TRUE(IsStoredProp(&p, "LeftMargin"));
}

TEST(PrintDBGridGx, AssignedHeaderIsACopy) {
    TPrintDBGridGx a(nullptr), b(nullptr);
    a.PageHeader()->LeftText()->Add("left");
    a.PageHeader()->Font()->SetName("Arial");
    a.PageHeader()->SetLineType(pcltDoubleLine);
    b.SetPageHeader(a.PageHeader());
    a.PageHeader()->LeftText()->Add("later");
    EXPECT_EQ(b.PageHeader()->LeftText()->Text(), "left\r\n");
    EXPECT_EQ(b.PageHeader()->Font()->Name(), "Arial");
    EXPECT_EQ(b.PageHeader()->LineType(), pcltDoubleLine);
    TPageParams page;
    EXPECT_THROW(page.Assign(a.PageHeader()), EConvertError);
}

TEST(PrintDBGridGx, DestroyingTheGridClearsTheReference) {
    TPrintDBGridGx c(nullptr);
    auto grid = std::make_unique<TDBGridGx>(nullptr);
    c.SetDBGridGx(grid.get());
    EXPECT_EQ(c.DBGridGx(), grid.get());
    grid.reset();
    EXPECT_EQ(c.DBGridGx(), nullptr);
}

TEST(PrintDBGridGx, RichTextDataIsWrittenOnlyWhenThereAreLines) {
    TPrintDBGridGx c(nullptr);
    auto written = [&c] {
        TMemoryStream s;
        TWriter w(s);
        w.WriteProperties(c);
        return std::string(reinterpret_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
    };
    EXPECT_EQ(written().find("BeforeGridText_Data"), std::string::npos);
    c.BeforeGridText()->Add("before");
    std::string bytes = written();
    EXPECT_NE(bytes.find("BeforeGridText_Data"), std::string::npos);
    EXPECT_EQ(bytes.find("AfterGridText_Data"), std::string::npos);
    // Setting from a rich text list keeps its text.
    TPrintDBGridGx d(nullptr);
    d.SetAfterGridText(c.BeforeGridText());
    EXPECT_EQ(d.AfterGridText()->Strings(0), "before");
}

TEST(PageMacros, ExpansionTable) {
    TClockOverride clock(EncodeDateTime(2026, 3, 7, 14, 5, 9, 0));
    TPageMacroValues v = ComputePageMacroValues(12);
    struct Case {
        const char* text;
        const char* expanded;
    } cases[] = {
        {"&[Page] of &[Pages]", "3 of 12"},
        {"&[page] of &[PAGES]", "3 of 12"},
        {"&[Date] &[ShortDate]", "2026-03-07 2026-03-07"},
        {"&[LongDate]", "2026年3月7日"},
        {"&[Time]", "14:05:09"},
        {"&&[Page]", "&&[Page]"},
        {"&&[page] &[Page]", "&&[Page] 3"},
        {"no macro & text", "no macro & text"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExpandPageMacros(c.text, v, 3), c.expanded) << c.text;
}

// The page total is counted whatever the letter case of its name.
TEST(PageMacros, PageCountTestIgnoresCase) {
    TPageColontitle header, footer;
    EXPECT_FALSE(UsesPageCountMacro(header, footer));
    footer.RightText()->Add("Page &[Page] of &[pages]");
    EXPECT_TRUE(UsesPageCountMacro(header, footer));
    footer.RightText()->Clear();
    header.CenterText()->Add("&[Pages]");
    EXPECT_TRUE(UsesPageCountMacro(header, footer));
}

} // namespace
