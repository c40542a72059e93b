// Importing text and the grid-data stream, the clipboard's copy, paste, cut and delete, the
// error trap, and malformed input.
#include "ImpExpFixture.h"
#include "gui/Clipbrd.h"
#include "gui/Controls.h"
#include "gui/Dialogs.h"
#include "gui/Interaction.h"
#include "rtl/CodePage.h"

#include <cstring>

namespace {

// Clipboard text as the importer reads it: the bytes and a terminating zero.
std::string Z(const std::string& text) {
    return text + std::string(1, '\0');
}

class ImportTest : public ImpExpTest {
protected:
    void SetUp() override {
        ImpExpTest::SetUp();
        Run("create table T_imp (F_ID counter, F_int long, F_float double, F_date datetime, "
            "F_text text(50), F_blob longbinary)");
        Target = Query("select * from T_imp order by F_ID");
        Target->Open();
        Into = std::make_unique<TTestImpExpGrid>(Target.get());
        Into->Visible = {true, true, false, false, true, true}; // F_ID, F_int, F_text, F_blob
        // Any box a test does not answer itself fails instead of waiting for a user.
        Strict = std::make_unique<TInteractionScope>(NoUser);
    }
    void TearDown() override {
        Strict.reset();
        ImpExpTest::TearDown();
    }
    void Seed(int rows) {
        for (int i = 1; i <= rows; ++i) {
            Target->Append();
            Target->FieldByName("F_int")->SetAsInteger(i * 10);
            Target->FieldByName("F_text")->SetAsString("t" + std::to_string(i));
            Target->Post();
        }
        Target->First();
    }
    // F_int and F_text of every row, "int/text" joined by ",".
    String Table() { return Rows("select F_int, F_text from T_imp order by F_ID"); }
    template <class TImporter> void Import(const std::string& bytes, bool all = false) {
        TMemoryStream s;
        s.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
        s.SetPosition(0);
        ReadGridImport<TImporter>(Into.get(), s, all);
    }
    std::string Stream(int columns, const std::string& values) {
        std::string h("VCLDBIF\x01", 8);
        h.append(reinterpret_cast<const char*>(&columns), 4);
        for (int i = 0; i < columns && i < 16; ++i)
            h += std::string("\x01\x00", 2);
        return h + values;
    }
    static std::string Int(int v) {
        std::string s("\x03", 1);
        s.append(reinterpret_cast<const char*>(&v), 4);
        return s;
    }
    static std::string Str(const std::string& v) {
        std::string s("\x05", 1);
        int n = static_cast<int>(v.size());
        s.append(reinterpret_cast<const char*>(&n), 4);
        return s + v;
    }
    std::unique_ptr<TADOQuery> Target;
    std::unique_ptr<TTestImpExpGrid> Into;
    TScriptedResponder NoUser;
    std::unique_ptr<TInteractionScope> Strict;
};

TEST_F(ImportTest, TheFixtureRoundTripsThroughTheStreamIntoAnEmptyTable) {
    const std::string stream = Export<TDBGridGxExportAsVCLDBIF>(true);
    Into->Append = true;
    Into->Visible = {true, true, true, true, true, true};
    Import<TDBGridGxImportAsVCLDBIF>(stream, true);
    EXPECT_EQ(Rows("select F_int, F_float, F_date, F_text, F_blob from T_imp order by F_ID"),
              Rows("select F_int, F_float, F_date, F_text, F_blob from T_exp order by F_ID"));
    EXPECT_EQ(Target->State(), dsBrowse);
    Target->Close();
    Target->Open();
    Target->Last();
    EXPECT_EQ(Target->FieldByName("F_date")->AsFloat(), 46083.4375);
    Target->First();
    EXPECT_EQ(Target->FieldByName("F_blob")->AsString(), std::string("\x01\x00\xff", 3));
}

TEST_F(ImportTest, PastingTextWithoutSelection) {
    Seed(2);
    Into->Focused = 4; // F_text
    Target->SetRecNo(2);
    Import<TDBGridGxImportAsText>(AnsiFromUtf8("新") + std::string(1, '\0'));
    EXPECT_EQ(Table(), "10,t1;20,新");

    // More lines than records from the current one on: appended only with alopAppendGx.
    Into->Focused = 1;
    Target->SetRecNo(2);
    Import<TDBGridGxImportAsText>(Z("21\tx\r\n31\ty\r\n41\tz"));
    EXPECT_EQ(Table(), "10,t1;21,x");
    Into->Append = true;
    Target->SetRecNo(2);
    Import<TDBGridGxImportAsText>(Z("22\r\n32\t\ty\r\n\r\n42\tz"));
    EXPECT_EQ(Table(), "10,t1;22,x;32,;null,null;42,z"); // an empty line appends an empty record
    EXPECT_EQ(Rows("select F_blob from T_imp where F_int = 32"), "y");
}

TEST_F(ImportTest, PastingIntoARectangleFillsAtMostTheRectangle) {
    Seed(4);
    Into->Kind = gstRectangle;
    Into->Left = 1;
    Into->Right = 2;
    Into->Visible = {true, true, false, true, true, true}; // F_float hidden: the rectangle is F_int only
    Target->SetRecNo(2);
    Into->Top = Target->GetBookmark();
    Target->SetRecNo(3);
    Into->Bottom = Target->GetBookmark();
    Import<TDBGridGxImportAsText>(Z("1\t2\r\n3\r\n5\r\n7"));
    EXPECT_EQ(Table(), "10,t1;1,t2;3,t3;40,t4");
    Into->Right = 4;
    Target->First();
    Import<TDBGridGxImportAsText>(Z("8\r\n"));
    EXPECT_EQ(Table(), "10,t1;8,t2;3,t3;40,t4");
}

TEST_F(ImportTest, AStreamOfThreeColumnsIntoTwoAndFour) {
    Seed(2);
    Into->Kind = gstColumns;
    const std::string values = Int(1) + Str("a") + Int(9) + Int(2) + Str("b") + Int(9) + std::string(1, '\0');
    Into->Selected = {1, 4};
    Import<TDBGridGxImportAsVCLDBIF>(Stream(3, values));
    EXPECT_EQ(Table(), "1,a;2,b");
    Into->Selected = {4, 1, 2, 3};
    Target->Last();
    Target->Edit();
    Target->FieldByName("F_float")->SetAsFloat(0.5);
    Target->Post();
    Import<TDBGridGxImportAsVCLDBIF>(Stream(3, Int(7) + Str("5") + Int(9) + Str("x") + Str("6") +
                                                   std::string("\x07", 1) + std::string(1, '\0')));
    EXPECT_EQ(Table(), "5,7;6,x");
    EXPECT_EQ(Rows("select F_float from T_imp order by F_ID"), "9;0.5"); // tag 7 leaves the cell
    EXPECT_EQ(Rows("select F_date from T_imp order by F_ID"), "null;null");
}

TEST_F(ImportTest, MalformedStreamsFailBeforeAnythingIsStored) {
    Seed(1);
    Into->Append = true;
    Into->Focused = 1;
    auto expectFormatError = [&](const std::string& bytes, const char* what) {
        try {
            Import<TDBGridGxImportAsVCLDBIF>(bytes);
            ADD_FAILURE() << what;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "TDBGridGxImportAsVCLDBIF.ReadPrefix: Invalid VCLDBIF format") << what;
        }
        EXPECT_EQ(Table(), "10,t1") << what;
        EXPECT_EQ(Target->State(), dsBrowse) << what;
    };
    int negative = -1, huge = 0x7FFFFFF0;
    expectFormatError("VCLDBIF", "a short header");
    expectFormatError(Stream(1, "").replace(0, 1, "X"), "another signature");
    expectFormatError(Stream(-1, ""), "a negative column count");
    expectFormatError(Stream(0, Int(5) + std::string(1, '\0')), "no columns but values");
    expectFormatError(
        Stream(1, std::string("\x05", 1) + std::string(reinterpret_cast<char*>(&negative), 4) + "ab"),
        "a negative length");
    expectFormatError(
        Stream(1, std::string("\x06", 1) + std::string(reinterpret_cast<char*>(&huge), 4) + "ab"),
        "a length beyond the bytes left");
    // A value cut short in the second row: the first row stays stored, the half-filled appended
    // record goes.
    EXPECT_THROW(Import<TDBGridGxImportAsVCLDBIF>(
                     Stream(2, Int(11) + Str("p") + Int(12) + std::string("\x03\x01", 2))),
                 Exception);
    EXPECT_EQ(Target->State(), dsBrowse);
    EXPECT_EQ(Table(), "11,p");
}

TEST_F(ImportTest, AFormatErrorCancelsTheRecordBeingFilled) {
    Seed(2);
    Into->Focused = 1;
    EXPECT_THROW(Import<TDBGridGxImportAsText>(Z("5\t\x61\r\n6\tb\rx")), Exception);
    EXPECT_EQ(Target->State(), dsBrowse);
    EXPECT_EQ(Table(), "5,a;20,t2");
    // A CR right before the terminating byte is malformed as well.
    try {
        Import<TDBGridGxImportAsText>(Z("7\r"));
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "TDBGridGxImportAsText.CheckState: Invalid text format");
    }
    EXPECT_EQ(Table(), "5,a;20,t2");
}

TEST_F(ImportTest, TheErrorTrapAnsweredYesNoAndAll) {
    Seed(3);
    Into->Visible = {false, true, false, false, true, false};
    Into->Kind = gstAll;
    const std::string text = Z("x1\ta\r\nx2\tb\r\nx3\tc");
    {
        TScriptedResponder user;
        TInteractionScope scope(user);
        user.Answer(mrYes).Answer(mrAll);
        Import<TDBGridGxImportAsText>(text);
        ASSERT_EQ(user.Requests().size(), 2u);
        EXPECT_EQ(user.Requests()[0].Text.rfind("Error during insert value:\n", 0), 0u);
        EXPECT_NE(user.Requests()[0].Text.find("\n\nIgnore error?"), std::string::npos);
        EXPECT_EQ(user.Requests()[0].DlgType, mtError);
    }
    EXPECT_EQ(Table(), "10,a;20,b;30,c");
    {
        TScriptedResponder user;
        TInteractionScope scope(user);
        user.Answer(mrNo);
        EXPECT_THROW(Import<TDBGridGxImportAsText>(Z("4\td\r\nx5\te\r\n6\tf")), EAbort);
        EXPECT_EQ(user.Requests().size(), 1u);
    }
    EXPECT_EQ(Target->State(), dsBrowse);
    EXPECT_EQ(Table(), "4,d;20,b;30,c"); // the record being filled when No was answered is dropped
}

TEST_F(ImportTest, PickListColumnsStoreTheKey) {
    Seed(2);
    Into->Focused = 4;
    Into->PickCol = 4;
    Into->Picks.SetCommaText("Water,Power");
    Into->Keys.SetCommaText("W,P");
    Import<TDBGridGxImportAsText>(Z("Power\r\nGas"));
    EXPECT_EQ(Table(), "10,P;20,null");
}

TEST_F(ImportTest, CopyAndPasteThroughTheClipboard) {
    Grid->Kind = gstColumns;
    Grid->Selected = {1, 4};
    CopyGridToClipboard(Grid.get(), false);
    TClipboard* clip = Clipboard();
    EXPECT_TRUE(clip->HasFormat(GridDataClipboardFormat()));
    EXPECT_TRUE(clip->HasFormat(CsvClipboardFormat()));
    EXPECT_TRUE(clip->HasFormat(RtfClipboardFormat()));
    EXPECT_EQ(clip->AsText(), "F_int\tF_text\r\n7\tsay \"hi\"; ok\r\n-3\ta\tb\r\nc}\r\n\t物业费");
    const std::vector<Byte> csv = clip->GetAsBytes(CsvClipboardFormat());
    EXPECT_EQ(csv.back(), 0);
    EXPECT_EQ(std::string(csv.begin(), csv.begin() + 16), "\"F_int\";\"F_text\"");
    const std::vector<Byte> rtf = clip->GetAsBytes(RtfClipboardFormat());
    EXPECT_EQ(std::string(rtf.end() - 2, rtf.end()), Z("}"));

    Into->Kind = gstAll;
    Into->Selected = {1, 4};
    Seed(3);
    Into->Kind = gstColumns;
    PasteGridFromClipboard(Into.get(), false); // the stream: no title line, texts intact
    EXPECT_EQ(Table(), "7,say \"hi\"; ok;-3,a\tb\r\nc};null,物业费");

    // Text only, with lone LF line ends: every line arrives.
    clip->SetAsText("1\tp\n2\tq\n3\t中");
    PasteGridFromClipboard(Into.get(), false);
    EXPECT_EQ(Table(), "1,p;2,q;3,中");
}

// Characters that GBK lacks: the text and CSV exports write them as GB18030, and the grid's own
// clipboard format carries them into the database unchanged.
TEST_F(ImportTest, CharactersOutsideGbkSurviveExportAndPaste) {
    Q->SetRecNo(3);
    Q->Edit();
    Q->FieldByName("F_text")->SetAsString("刘䶮 😀");
    Q->Post();
    const std::string gb = "\xC1\xF5\xFE\x9F \x94\x39\xFC\x36";
    EXPECT_NE(Export<TDBGridGxExportAsText>(true).find(gb), std::string::npos);
    EXPECT_NE(Export<TDBGridGxExportAsCSV>(true).find(gb), std::string::npos);
    EXPECT_EQ(Utf8FromAnsi(Export<TDBGridGxExportAsText>(true)).find("?"), std::string::npos);

    Grid->Kind = gstColumns;
    Grid->Selected = {1, 4};
    CopyGridToClipboard(Grid.get(), false);
    Into->Kind = gstAll;
    Into->Selected = {1, 4};
    Seed(3);
    Into->Kind = gstColumns;
    PasteGridFromClipboard(Into.get(), false);
    EXPECT_EQ(Table(), "7,say \"hi\"; ok;-3,a\tb\r\nc};null,刘䶮 😀");
}

TEST_F(ImportTest, DeleteAndCutPerSelectionKind) {
    Seed(4);
    Into->Confirm = true;
    TScriptedResponder user;
    TInteractionScope scope(user);

    Into->Kind = gstRecordBookmarks;
    Target->SetRecNo(3);
    Into->Marks.SetCurrentRowMarked(true);
    user.Answer(mrCancel);
    DeleteGridSelection(Into.get(), false);
    EXPECT_EQ(user.Requests().back().Text, "Delete record?");
    EXPECT_EQ(Table(), "10,t1;20,t2;30,t3;40,t4");
    Target->SetRecNo(1);
    Into->Marks.SetCurrentRowMarked(true);
    user.Answer(mrOk);
    DeleteGridSelection(Into.get(), false);
    EXPECT_EQ(user.Requests().back().Text, "Delete all selected records?");
    EXPECT_EQ(Table(), "20,t2;40,t4");
    EXPECT_EQ(Into->Kind, gstNon);

    Into->Kind = gstColumns;
    Into->Selected = {4};
    user.Answer(mrOk);
    DeleteGridSelection(Into.get(), false);
    EXPECT_EQ(user.Requests().back().Text, "Clear selected cells?");
    EXPECT_EQ(Table(), "20,null;40,null");

    Into->Kind = gstRectangle;
    Into->Left = Into->Right = 1;
    Target->First();
    Into->Top = Into->Bottom = Target->GetBookmark();
    user.Answer(mrOk);
    CutGridToClipboard(Into.get(), false);
    EXPECT_EQ(user.Requests().back().Text, "Clear selected cells?");
    EXPECT_EQ(Clipboard()->AsText(), "F_int\r\n20");
    EXPECT_EQ(Table(), "null,null;40,null");

    Into->Kind = gstNon;
    user.Answer(mrOk);
    DeleteGridSelection(Into.get(), true);
    EXPECT_EQ(user.Requests().back().Text, "Delete all selected records?");
    EXPECT_EQ(Table(), "");
    EXPECT_EQ(user.Pending(), 0);
}

} // namespace
