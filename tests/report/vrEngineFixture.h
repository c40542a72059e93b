// A report over a real SQLite table through a database data set "vrDM", and readers of the
// prepared pages the engine builds: bands with their tops and the texts of their objects.
#pragma once

#include "../platform/db/DbFixture.h"
#include "report/vrClass.h"
#include "report/vrClassObjects.h"
#include "report/vrDBSet.h"
#include "report/vrEngine.h"
#include "report/vrPreviewPages.h"

#include <tuple>
#include <vector>

// One band of a prepared page: its layout name, top and left, and its objects' texts joined by "|".
struct TPreparedBand {
    String Name;
    Extended Top = 0, Left = 0, Height = 0;
    String Text;
};

class EngineTest : public DbTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes table T (F_code, F_group, F_money) with the rows and a data set vrDM over it.
    void MakeTable(const std::vector<std::tuple<String, String, double>>& Rows);
    // Loads a layout from its text (written to a file first, as the application does).
    void LoadLayout(const String& Text);
    bool Prepare();

    TvrPreviewPages* Pages() const { return static_cast<TvrPreviewPages*>(Report->PreparedPages()); }
    TvrEngine* Engine() const { return static_cast<TvrEngine*>(Report->Engine()); }
    std::vector<TPreparedBand> BandsOf(int Page);
    // Tops of the bands of a page whose layout name starts with Prefix.
    std::vector<Extended> Tops(int Page, const String& Prefix);
    std::vector<String> Texts(int Page, const String& Prefix);

    TComponent Module{nullptr};
    std::unique_ptr<TvrReport> Report;
    std::unique_ptr<TADOQuery> Query_;
    TvrDBDataset* Data = nullptr;
};

// A layout's text: the report element with the attributes given around the page's content.
String LayoutText(const String& PageContent, const String& ReportAttrs = String(),
                  const String& PageAttrs = String());
// A band element with one text object.
String BandXml(const String& Cls, const String& Name, Extended Top, Extended Height, const String& Text,
               const String& Extra = String(), const String& MemoExtra = String());

// A grouped list on A4 with 10 mm margins (printable height 277 mm = 1046.92981 units): title,
// page header, group header reprinted on new pages, rows of 20 units (code and money), group
// footer with the sum, page footer "第 n 页，共 m 页".
extern const char* const GroupedLayout;
// GroupedLayout whose group header also gives each group an outline entry (its group name) and
// is a drill-down group, shown expanded.
String GroupedOutlineLayout();
// 120 rows, money = row number; G1 holds rows 1 to 40, G2 41 to 80, G3 81 to 120.
std::vector<std::tuple<String, String, double>> GroupedRows();
