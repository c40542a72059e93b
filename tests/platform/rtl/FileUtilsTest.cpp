#include "rtl/FileUtils.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TEST(FileUtils, PathParts) {
    struct Case {
        String name, path, dir, file, ext, changed;
    };
    // changed: ChangeFileExt(name, ".bak")
    const Case cases[] = {
        {"/home/u/a.txt", "/home/u/", "/home/u", "a.txt", ".txt", "/home/u/a.bak"},
        {"data\\reports\\r.vrf", "data/reports/", "data/reports", "r.vrf", ".vrf", "data/reports/r.bak"},
        {"data\\", "data/", "data", "", "", "data/.bak"},
        {"a.tar.gz", "", "", "a.tar.gz", ".gz", "a.tar.bak"},
        {"dir.d/noext", "dir.d/", "dir.d", "noext", "", "dir.d/noext.bak"},
        {"/root.txt", "/", "/", "root.txt", ".txt", "/root.bak"},
        {".profile", "", "", ".profile", ".profile", ".bak"},
        {"", "", "", "", "", ".bak"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtractFilePath(c.name), c.path) << c.name;
        EXPECT_EQ(ExtractFileDir(c.name), c.dir) << c.name;
        EXPECT_EQ(ExtractFileName(c.name), c.file) << c.name;
        EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
        EXPECT_EQ(ChangeFileExt(c.name, ".bak"), c.changed) << c.name;
    }
    EXPECT_EQ(NormalizePath("a\\b/c\\"), "a/b/c/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("a"), "a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("a\\"), "a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("a/b/"), "a/b");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
    EXPECT_EQ(ChangeFileExt("a.txt", ""), "a");
}

TEST(FileUtils, ExpandFileName) {
    const String cwd = GetCurrentDir();
    EXPECT_EQ(ExpandFileName("/a/./b/../c"), "/a/c");
    EXPECT_EQ(ExpandFileName("/.."), "/");
    EXPECT_EQ(ExpandFileName("x.ini"), cwd + "/x.ini");
    EXPECT_EQ(ExpandFileName("data\\"), cwd + "/data/");
    EXPECT_EQ(ExpandFileName("/a//b/"), "/a/b/");
}

TEST(FileUtils, ProgramFolderCanBeSet) {
    const String real = ProgramFolder();
    ASSERT_FALSE(real.empty());
    EXPECT_EQ(real.back(), '/');
    EXPECT_TRUE(DirectoryExists(real));
    SetProgramFolder("/tmp/prog");
    EXPECT_EQ(ProgramFolder(), "/tmp/prog/");
    SetProgramFolder("");
    EXPECT_EQ(ProgramFolder(), real);
}

TEST(FileUtils, FilesAndFolders) {
    TempDir t;
    const String base = t.Path() + "/";
    EXPECT_TRUE(ForceDirectories(t.Path() + "\\a\\b\\c"));
    EXPECT_TRUE(DirectoryExists(base + "a/b/c"));
    EXPECT_FALSE(FileExists(base + "a"));
    TempDir::WriteAll(base + "a/f.txt", "hello");
    EXPECT_TRUE(FileExists(base + "a\\f.txt"));
    EXPECT_FALSE(DirectoryExists(base + "a/f.txt"));
    EXPECT_FALSE(ForceDirectories(base + "a/f.txt/sub")); // a file stands in the way
    EXPECT_EQ(FileSize(base + "a/f.txt"), 5);
    EXPECT_EQ(FileSize(base + "none"), -1);

    EXPECT_TRUE(CopyFile(base + "a/f.txt", base + "g.txt", true));
    EXPECT_EQ(TempDir::ReadAll(base + "g.txt"), "hello");
    TempDir::WriteAll(base + "a/f.txt", "changed");
    EXPECT_FALSE(CopyFile(base + "a/f.txt", base + "g.txt", true));
    EXPECT_EQ(TempDir::ReadAll(base + "g.txt"), "hello");
    EXPECT_TRUE(CopyFile(base + "a/f.txt", base + "g.txt", false));
    EXPECT_EQ(TempDir::ReadAll(base + "g.txt"), "changed");
    EXPECT_FALSE(CopyFile(base + "missing", base + "h.txt", false));

    EXPECT_FALSE(RenameFile(base + "g.txt", base + "a/f.txt")); // target exists
    EXPECT_TRUE(RenameFile(base + "g.txt", base + "h.txt"));
    EXPECT_FALSE(FileExists(base + "g.txt"));
    EXPECT_TRUE(DeleteFile(base + "h.txt"));
    EXPECT_FALSE(DeleteFile(base + "h.txt"));
    EXPECT_FALSE(RemoveDir(base + "a"));
    EXPECT_TRUE(RemoveDir(base + "a/b/c"));
}

TEST(FileUtils, RenameFileReplacingReplacesAFileButNeverAFolder) {
    TempDir dir;
    const std::string base = dir.Path() + "/";
    TempDir::WriteAll(base + "new", "new");
    TempDir::WriteAll(base + "old", "old");
    ASSERT_TRUE(ForceDirectories(base + "folder"));
    EXPECT_FALSE(RenameFileReplacing(base + "new", base + "folder"));
    EXPECT_FALSE(RenameFileReplacing(base + "folder", base + "other"));
    EXPECT_FALSE(RenameFileReplacing(base + "missing", base + "old"));
    EXPECT_EQ(TempDir::ReadAll(base + "old"), "old");
    EXPECT_TRUE(RenameFileReplacing(base + "new", base + "old"));
    EXPECT_EQ(TempDir::ReadAll(base + "old"), "new");
    EXPECT_FALSE(FileExists(base + "new"));
    EXPECT_TRUE(RenameFileReplacing(base + "old", base + "fresh")); // onto a free name as well
    EXPECT_EQ(TempDir::ReadAll(base + "fresh"), "new");
}

// The volumes are real folders other than the root and the system's own mounts.
TEST(FileUtils, MountedVolumesAreFoldersBesidesTheRootAndTheSystemsMounts) {
    for (const String& volume : MountedVolumes()) {
        EXPECT_NE(volume, "/");
        EXPECT_TRUE(DirectoryExists(volume)) << volume;
        for (const char* system : {"/proc", "/sys", "/dev"})
            EXPECT_NE(volume.rfind(system, 0), 0u) << volume;
    }
}

TEST(FileUtils, CopyKeepsTheModificationTime) {
    TempDir t;
    TempDir::WriteAll(t.File("src"), "x");
    struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, t.File("src").c_str(), times, 0), 0);
    ASSERT_TRUE(CopyFile(t.File("src"), t.File("dst"), false));
    struct stat st {};
    ASSERT_EQ(::stat(t.File("dst").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec, 1000000000);
}

TEST(FileUtils, FileAgeInLocalTime) {
    TempDir t;
    TempDir::WriteAll(t.File("f"), "x");
    // 2001-09-09 01:46:40 UTC, expressed in local time.
    const std::time_t when = 1000000000;
    struct timespec times[2] = {{when, 0}, {when, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, t.File("f").c_str(), times, 0), 0);
    std::tm tm{};
    ::localtime_r(&when, &tm);
    const double expected =
        (static_cast<double>(when) + static_cast<double>(tm.tm_gmtoff)) / 86400.0 + 25569.0;
    TDateTime age = 0;
    ASSERT_TRUE(FileAge(t.File("f"), age));
    EXPECT_NEAR(age, expected, 1e-9);
    const Integer dos = FileAge(t.File("f"));
    EXPECT_NEAR(FileDateToDateTime(dos), expected, 2.0 / 86400.0); // two-second steps
    EXPECT_FALSE(FileAge(t.File("none"), age));
    EXPECT_EQ(FileAge(t.File("none")), -1);
    // 1980-01-01 00:00:00 is day 29221.
    EXPECT_DOUBLE_EQ(FileDateToDateTime((0 << 25 | 1 << 21 | 1 << 16)), 29221.0);
}

TEST(FileUtils, TempFilesAndFinding) {
    EXPECT_EQ(GetTempDir().back(), '/');
    TempDir t;
    const String a = GetTempFileName(t.Path(), "rep");
    const String b = GetTempFileName(t.Path(), "rep");
    EXPECT_NE(a, b);
    EXPECT_TRUE(FileExists(a));
    EXPECT_EQ(ExtractFilePath(a), t.Path() + "/");
    EXPECT_EQ(ExtractFileName(a).substr(0, 3), "rep");
    DeleteFile(a);
    DeleteFile(b);

    for (const char* name : {"B.TXT", "a.txt", "c.log", "noext", "a1.txt"})
        TempDir::WriteAll(t.File(name), "");
    ForceDirectories(t.File("sub.txt"));
    EXPECT_EQ(FindFiles(t.Path(), "*.txt"), (std::vector<String>{"B.TXT", "a.txt", "a1.txt"}));
    EXPECT_EQ(FindFiles(t.Path() + "/", "a?.txt"), (std::vector<String>{"a1.txt"}));
    EXPECT_EQ(FindFiles(t.Path(), "*.*").size(), 5u);
    EXPECT_EQ(FindFiles(t.Path(), "*").size(), 5u);
    EXPECT_EQ(FindFiles(t.Path(), "n*t"), (std::vector<String>{"noext"}));
    EXPECT_EQ(FindFolders(t.Path()), (std::vector<String>{"sub.txt"}));
    EXPECT_TRUE(FindFiles(t.File("missing"), "*").empty());

    struct Case {
        String name, mask;
        bool match;
    };
    const Case cases[] = {{"abc", "a*", true},        {"abc", "*c", true},           {"abc", "a?c", true},
                          {"abc", "a?", false},       {"abc", "*b*", true},          {"abc", "*d*", false},
                          {"ABC.Txt", "*.txt", true}, {"a.txt.bak", "*.txt", false}, {"", "*", true}};
    for (const auto& c : cases)
        EXPECT_EQ(MatchesMask(c.name, c.mask), c.match) << c.name << " " << c.mask;
}
