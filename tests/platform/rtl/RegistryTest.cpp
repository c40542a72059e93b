#include "rtl/Registry.h"
#include "rtl/StringList.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

std::vector<String> Items(const TStrings& l) {
    std::vector<String> v;
    for (Integer i = 0; i < l.Count(); ++i)
        v.push_back(l.Strings(i));
    return v;
}

// Points the registry at a file of the test's own.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { TRegistry::SetStorageFile(dir.File("cfg/orvanta/registry.ini")); }
    void TearDown() override { TRegistry::SetStorageFile(""); }
    TempDir dir;
};

const String kZhong = "\xE4\xB8\xAD"; // 中

} // namespace

TEST_F(RegistryTest, RoundTripOfValues) {
    {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        EXPECT_FALSE(reg.OpenKey("\\Software\\Vure Vuviror\\Connections", false));
        ASSERT_TRUE(reg.OpenKey("\\Software\\Vure Vuviror\\Connections", true));
        EXPECT_EQ(reg.CurrentPath(), "Software\\Vure Vuviror\\Connections");
        reg.WriteString("Main", "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + kZhong + ".mdb");
        reg.WriteString("Spaces", "  padded \"quoted\" back\\slash\r\nnext line ");
        reg.WriteString("", "default value");
        reg.WriteString("=odd; name", "x");
        reg.WriteInteger("Count", -5);
        reg.WriteBool("Flag", true);
        reg.CloseKey();
        EXPECT_EQ(reg.CurrentPath(), "");
    }
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKeyReadOnly("software\\VURE VUVIROR\\connections"));
    EXPECT_EQ(reg.ReadString("MAIN"), "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + kZhong + ".mdb");
    EXPECT_EQ(reg.ReadString("Spaces"), "  padded \"quoted\" back\\slash\r\nnext line ");
    EXPECT_EQ(reg.ReadString(""), "default value");
    EXPECT_EQ(reg.ReadString("=odd; name"), "x");
    EXPECT_EQ(reg.ReadInteger("count"), -5);
    EXPECT_TRUE(reg.ReadBool("Flag"));
    EXPECT_EQ(reg.ReadString("Missing"), "");
    EXPECT_EQ(reg.GetDataType("Count"), TRegDataType::rdInteger);
    EXPECT_EQ(reg.GetDataType("Main"), TRegDataType::rdString);
    EXPECT_EQ(reg.GetDataType("Missing"), TRegDataType::rdUnknown);
    TStringList names;
    reg.GetValueNames(names);
    EXPECT_EQ(Items(names), (std::vector<String>{"Main", "Spaces", "", "=odd; name", "Count", "Flag"}));

    // The same path under the other root is another key.
    reg.SetRootKey(HKEY_CURRENT_USER);
    EXPECT_FALSE(reg.KeyOpen());
    EXPECT_FALSE(reg.KeyExists("\\Software\\Vure Vuviror\\Connections"));
}

TEST_F(RegistryTest, TypeAndAccessErrors) {
    TRegistry reg;
    try {
        reg.WriteString("x", "y"); // no key open
        FAIL() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), "Failed to set data for 'x'");
    }
    ASSERT_TRUE(reg.OpenKey("Software\\Test", true));
    reg.WriteString("Text", "12");
    reg.WriteInteger("Number", 12);
    try {
        reg.ReadInteger("Text");
        FAIL() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), "Invalid data type for 'Text'");
    }
    try {
        reg.ReadInteger("Nothing");
        FAIL() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), "Failed to get data for 'Nothing'");
    }
    EXPECT_THROW(reg.ReadString("Number"), ERegistryException);
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\Test"));
    EXPECT_THROW(reg.WriteInteger("Number", 1), ERegistryException);
    EXPECT_FALSE(reg.DeleteValue("Number"));
    EXPECT_EQ(reg.ReadInteger("Number"), 12);
}

TEST_F(RegistryTest, KeysRelativePathsAndDeletion) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\App", true));
    ASSERT_TRUE(reg.OpenKey("Settings\\Window", true)); // relative to the open key
    EXPECT_EQ(reg.CurrentPath(), "Software\\App\\Settings\\Window");
    reg.WriteInteger("Left", 10);
    ASSERT_TRUE(reg.OpenKey("\\Software\\App\\Recent", true));
    reg.WriteString("File1", "a.vrf");

    ASSERT_TRUE(reg.OpenKey("\\Software", false)); // exists through its sub-keys
    TStringList keys;
    reg.GetKeyNames(keys);
    EXPECT_EQ(Items(keys), (std::vector<String>{"App"}));
    EXPECT_TRUE(reg.HasSubKeys());
    ASSERT_TRUE(reg.OpenKey("App", false));
    reg.GetKeyNames(keys);
    EXPECT_EQ(Items(keys), (std::vector<String>{"Settings", "Recent"}));
    EXPECT_TRUE(reg.KeyExists("settings\\WINDOW"));
    EXPECT_TRUE(reg.KeyExists("\\software\\app\\recent"));
    EXPECT_FALSE(reg.KeyExists("Nope"));

    ASSERT_TRUE(reg.OpenKey("\\Software\\App\\Recent", false));
    EXPECT_TRUE(reg.ValueExists("file1"));
    EXPECT_TRUE(reg.DeleteValue("FILE1"));
    EXPECT_FALSE(reg.DeleteValue("FILE1"));
    EXPECT_FALSE(reg.ValueExists("file1"));

    EXPECT_TRUE(reg.DeleteKey("\\Software\\App\\Settings")); // with its sub-key
    EXPECT_FALSE(reg.KeyExists("\\Software\\App\\Settings\\Window"));
    EXPECT_TRUE(reg.KeyExists("\\Software\\App\\Recent"));
    EXPECT_FALSE(reg.DeleteKey("\\Software\\App\\Settings"));
    EXPECT_TRUE(reg.DeleteKey("\\Software"));
    EXPECT_FALSE(reg.KeyExists("\\Software\\App\\Recent"));
    EXPECT_FALSE(reg.KeyOpen()); // the open key went with its parent
}

TEST(Registry, StorageFileFollowsTheEnvironment) {
    TempDir dir;
    const char* old = std::getenv("ORVANTA_CONFIG_HOME");
    const String saved = old ? old : "";
    ::setenv("ORVANTA_CONFIG_HOME", dir.Path().c_str(), 1);
    EXPECT_EQ(TRegistry::StorageFile(), dir.Path() + "/orvanta/registry.ini");
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("Software\\X", true));
        reg.WriteInteger("N", 1);
    }
    EXPECT_EQ(TempDir::ReadAll(dir.File("orvanta/registry.ini")),
              "[HKEY_CURRENT_USER\\Software\\X]\r\nN=dword:00000001\r\n");
    TRegistry::SetStorageFile(dir.File("other.ini"));
    EXPECT_EQ(TRegistry::StorageFile(), dir.File("other.ini"));
    TRegistry::SetStorageFile("");
    if (old)
        ::setenv("ORVANTA_CONFIG_HOME", saved.c_str(), 1);
    else
        ::unsetenv("ORVANTA_CONFIG_HOME");
}
