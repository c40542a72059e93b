#include "DesignerFixture.h"

#include "app/core/DefaultDatabase.h"
#include "report/designer/vrrcDesign.h"
#include "rtl/Format.h"

const char* const DesignerTest::Estates[3] = {"翠湖花园", "金桂苑", "银杏小区"};

void DesignerTest::SetUp() {
    DbTest::SetUp();
    vrStartUp();
    vrrcDesignStartUp();
    Cnn->BeginTrans();
    for (const String& statement : DefaultDatabaseStatements())
        Run(statement);
    for (int e = 0; e < 3; ++e) {
        Run(Format("insert into T_XQinfo (F_code, F_name, F_LDamount) values ('%.3d', '%s', 3)",
                   {e + 1, Estates[e]}));
        for (int k = 0; k < 12; ++k)
            Run(Format("insert into T_FCinfo (F_XQname, F_LDcode, F_DYcode, F_code, F_FXtype, F_curStatus, "
                       "F_buildArea, F_useArea) values ('%s', '%d号楼', '%d单元', '%d', '%s', '%s', %s, %s)",
                       {Estates[e], k / 4 + 1, k % 2 + 1, 101 + k, k % 2 ? "三室一厅" : "两室一厅",
                        k % 3 ? "已入住" : "未销售", FloatToStr(Area(e, k)), FloatToStr(Area(e, k) - 10)}));
    }
    Cnn->CommitTrans();
    Houses = Query("select * from T_FCinfo order by F_ID");
    vrDM = new TvrDBDataset(&Module);
    vrDM->SetName("vrDM");
    vrDM->SetDataSet(Houses.get());
    Report = std::make_unique<TvrReport>(nullptr);
    Report->Datasets()->Add(vrDM);
}

void DesignerTest::TearDown() {
    Report.reset();
    delete vrDM;
    vrDM = nullptr;
    Houses.reset();
    DbTest::TearDown();
}
