// CMyFile: the static file and folder helpers and the file object.
#include <gravik/file.h>

#include "tempdir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Sorted(std::vector<std::string> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

}  // namespace

TEST(FileHelpers, ExistenceOfFilesAndFolders)
{
    TempDir tmp;
    WriteText(tmp / "f", "x");
    EXPECT_TRUE(CMyFile::FileIsExist((tmp / "f").c_str()));
    EXPECT_FALSE(CMyFile::DirIsExist((tmp / "f").c_str()));
    EXPECT_TRUE(CMyFile::DirIsExist(tmp.path().c_str()));
    EXPECT_FALSE(CMyFile::FileIsExist(tmp.path().c_str()));
    EXPECT_FALSE(CMyFile::FileIsExist((tmp / "missing").c_str()));
    EXPECT_FALSE(CMyFile::FileIsExist(nullptr));
    EXPECT_FALSE(CMyFile::DirIsExist(nullptr));
}

TEST(FileHelpers, MakeDirectoryCreatesMissingParents)
{
    TempDir tmp;
    const std::string deep = tmp / "a/b/c";
    CMyFile::MakeDirectory(deep.c_str());
    EXPECT_TRUE(CMyFile::DirIsExist(deep.c_str()));
    CMyFile::MakeDirectory((tmp / "x/y/").c_str());  // a trailing "/" stops at its parent
    EXPECT_TRUE(CMyFile::DirIsExist((tmp / "x/y").c_str()));
    CMyFile::MakeDirectory(deep.c_str());  // exists: nothing happens
    CMyFile::MakeDirectory("");
    CMyFile::MakeDirectory(nullptr);
    const std::string longer = tmp / (std::string(200, 'd') + "/" + std::string(200, 'e') + "/" +
                                      std::string(200, 'f'));
    CMyFile::MakeDirectory(longer.c_str());  // longer than any fixed buffer
    EXPECT_TRUE(CMyFile::DirIsExist(longer.c_str()));
}

TEST(FileHelpers, SizesSetAndCreated)
{
    TempDir tmp;
    const std::string f = tmp / "sized";
    unsigned int size = 1;
    int64_t size64 = 1;
    EXPECT_FALSE(CMyFile::GetFileSize(f.c_str(), size));
    EXPECT_FALSE(CMyFile::SetFileSize(f.c_str(), 10));  // must exist
    EXPECT_FALSE(CMyFile::GetFileSize64(tmp.path().c_str(), size64));  // a folder

    ASSERT_TRUE(CMyFile::CreateCertainSizeFile(f.c_str(), 10000, true));
    ASSERT_TRUE(CMyFile::GetFileSize(f.c_str(), size));
    EXPECT_EQ(size, 10000U);
    EXPECT_EQ(ReadText(f), std::string(10000, '\0'));

    ASSERT_TRUE(CMyFile::SetFileSize(f.c_str(), 5));
    ASSERT_TRUE(CMyFile::GetFileSize64(f.c_str(), size64));
    EXPECT_EQ(size64, 5);
    EXPECT_FALSE(CMyFile::SetFileSize64(f.c_str(), -1));

    // Filling over a longer file rewrites its start and keeps its tail.
    WriteText(f, "abcdefgh");
    ASSERT_TRUE(CMyFile::CreateCertainSizeFile(f.c_str(), 3, true));
    EXPECT_EQ(ReadText(f), std::string("\0\0\0defgh", 8));
    // Without fill the end of the file is set: shorter or longer.
    ASSERT_TRUE(CMyFile::CreateCertainSizeFile64(f.c_str(), 2, false));
    EXPECT_EQ(ReadText(f), std::string(2, '\0'));
    ASSERT_TRUE(CMyFile::CreateCertainSizeFile64((tmp / "sparse").c_str(), int64_t(5) << 32, false));
    ASSERT_TRUE(CMyFile::GetFileSize64((tmp / "sparse").c_str(), size64));
    EXPECT_EQ(size64, int64_t(5) << 32);
    ASSERT_TRUE(CMyFile::GetFileSize((tmp / "sparse").c_str(), size));
    EXPECT_EQ(size, 0U);  // the low 32 bits
    EXPECT_FALSE(CMyFile::CreateCertainSizeFile((tmp / "no/such/dir/f").c_str(), 1, true));
}

TEST(FileHelpers, ExtractDirAndName)
{
    struct Case {
        const char* path;
        const char* dir;
        const char* name;
    } cases[] = {
        {"/var/log/a.txt", "/var/log", "a.txt"}, {"C:\\logs\\a.txt", "C:\\logs", "a.txt"},
        {"mixed\\dir/b", "mixed\\dir", "b"},     {"dir/sub\\c", "dir/sub", "c"},
        {"plain", "plain", "plain"},            {"ends/", "ends", ""},
    };
    for (const Case& c : cases) {
        char buf[64], out[64];
        std::strcpy(buf, c.path);
        CMyFile::ExtractFileDir(buf, out);
        EXPECT_STREQ(out, c.dir) << c.path;
        CMyFile::ExtractFileName(buf, out);
        EXPECT_STREQ(out, c.name) << c.path;
        EXPECT_STREQ(CMyFile::ExtractFileName(buf), c.name) << c.path;
        EXPECT_STREQ(CMyFile::ExtractFileDir(buf), c.dir) << c.path;
    }
}

TEST(FileHelpers, FindAllFilesAppliesThePatternToFoldersToo)
{
    TempDir tmp;
    CMyFile::MakeDirectory((tmp / "keep.log").c_str());   // a folder whose name matches
    CMyFile::MakeDirectory((tmp / "skip").c_str());       // a folder whose name does not
    CMyFile::MakeDirectory((tmp / ".hid.log").c_str());   // hidden folder
    for (const char* f : {"a.log", "b.txt", ".h.log", "keep.log/c.log", "keep.log/d.txt",
                          "skip/e.log", ".hid.log/g.log"})
        WriteText(tmp / f, "x");
    symlink(tmp.path().c_str(), (tmp / "loop.log").c_str());  // would recurse for ever
    symlink((tmp / "a.log").c_str(), (tmp / "link.log").c_str());

    std::vector<std::string> out{"kept"};
    CMyFile::FindAllFiles(tmp.path().c_str(), "*.log", out, true, false);
    EXPECT_EQ(Sorted(out), Sorted({"kept", tmp / "a.log", tmp / "keep.log/c.log", tmp / "link.log"}));

    out.clear();
    CMyFile::FindAllFiles((tmp.path() + "/").c_str(), "*.log", out, true, true);
    EXPECT_EQ(Sorted(out), Sorted({tmp / "a.log", tmp / ".h.log", tmp / "keep.log/c.log",
                                   tmp / ".hid.log/g.log", tmp / "link.log"}));

    out.clear();
    CMyFile::FindAllFiles(tmp.path().c_str(), "*.*", out, false, false);
    EXPECT_EQ(Sorted(out), Sorted({tmp / "a.log", tmp / "b.txt", tmp / "link.log"}));

    out.clear();
    CMyFile::FindAllFiles(tmp.path().c_str(), "*", out, true, false);
    EXPECT_EQ(out.size(), 6U);  // a, b, link, keep.log/c, keep.log/d, skip/e

    out.clear();
    CMyFile::FindAllFiles((tmp / "missing").c_str(), "*", out, true, true);
    EXPECT_TRUE(out.empty());
}

TEST(FileHelpers, CompareCopyRemoveRename)
{
    TempDir tmp;
    const std::string a = tmp / "a", b = tmp / "b", c = tmp / "c";
    std::string big(10000, 'q');
    big[9000] = 'r';
    WriteText(a, big);
    EXPECT_FALSE(CMyFile::IsSameContent(a.c_str(), b.c_str()));
    ASSERT_TRUE(CMyFile::BackUpFile(a.c_str(), b.c_str()));
    EXPECT_TRUE(CMyFile::IsSameContent(a.c_str(), b.c_str()));
    big[9000] = 's';
    WriteText(b, big);
    EXPECT_FALSE(CMyFile::IsSameContent(a.c_str(), b.c_str()));  // differs in a late block
    WriteText(b, big + "x");
    EXPECT_FALSE(CMyFile::IsSameContent(a.c_str(), b.c_str()));

    // A backup onto itself would truncate the source: refused, file intact.
    EXPECT_FALSE(CMyFile::BackUpFile(a.c_str(), a.c_str()));
    EXPECT_EQ(ReadText(a).size(), 10000U);
    EXPECT_FALSE(CMyFile::BackUpFile((tmp / "missing").c_str(), c.c_str()));
    EXPECT_FALSE(CMyFile::FileIsExist(c.c_str()));
    EXPECT_FALSE(CMyFile::BackUpFile(a.c_str(), (tmp / "no/dir/c").c_str()));

    // Renaming never replaces an existing file.
    EXPECT_FALSE(CMyFile::ChangeFileName(a.c_str(), b.c_str()));
    EXPECT_EQ(ReadText(b).size(), 10001U);
    EXPECT_TRUE(CMyFile::ChangeFileName(a.c_str(), c.c_str()));
    EXPECT_FALSE(CMyFile::FileIsExist(a.c_str()));
    EXPECT_TRUE(CMyFile::RemoveFile(c.c_str()));
    EXPECT_FALSE(CMyFile::RemoveFile(c.c_str()));
}

TEST(FileHelpers, DiskSpaceOfExistingAndMissingPaths)
{
    TempDir tmp;
    unsigned int total = 0, free = 0;
    ASSERT_TRUE(CMyFile::QueryDiskSpaceMB(tmp.path().c_str(), total, free));
    EXPECT_GT(total, 0U);
    EXPECT_LE(free, total);
    unsigned int total2 = 0, free2 = 0;
    ASSERT_TRUE(CMyFile::QueryDiskSpaceMB((tmp / "not/yet/there").c_str(), total2, free2));
    EXPECT_EQ(total2, total);  // the same file system
    EXPECT_TRUE(CMyFile::QueryDiskSpaceMB("relative/path", total2, free2));
}

TEST(FileObject, NamesSplitAndJoinWithSlash)
{
    CMyFile f("/var/log/app.txt");
    char path[CMyFile::kMaxName], name[CMyFile::kMaxName], full[CMyFile::kMaxFullName];
    f.GetFilePath(path);
    f.GetFileName(name);
    f.GetFullName(full);
    EXPECT_STREQ(path, "/var/log");
    EXPECT_STREQ(name, "app.txt");
    EXPECT_STREQ(full, "/var/log/app.txt");

    f.SetFullName("bare.txt");
    f.GetFilePath(path);
    f.GetFullName(full);
    EXPECT_STREQ(path, "");
    EXPECT_STREQ(full, "bare.txt");

    f.SetFullName("/root.txt");
    f.GetFullName(full);
    EXPECT_STREQ(full, "/root.txt");

    // Over-long texts are refused and the object keeps its names.
    const std::string longName(300, 'n');
    f.SetFileName(longName.c_str());
    f.SetFullName(("/x/" + longName).c_str());
    f.GetFullName(full);
    EXPECT_STREQ(full, "/root.txt");
}

TEST(FileObject, SetFilePathCreatesTheFolderOrTakesTheProgramsFolder)
{
    TempDir tmp;
    CMyFile f;
    f.SetFilePath((tmp / "made/here/").c_str());
    char path[CMyFile::kMaxName];
    f.GetFilePath(path);
    EXPECT_EQ(std::string(path), tmp / "made/here");
    EXPECT_TRUE(CMyFile::DirIsExist(path));

    char exe[CMyFile::kMaxFullName] = {};
    ASSERT_GT(readlink("/proc/self/exe", exe, sizeof exe - 1), 0);
    f.SetFilePath("");
    f.GetFilePath(path);
    EXPECT_EQ(std::string(path), std::string(exe).substr(0, std::string(exe).rfind('/')));
}

TEST(FileObject, EmptyNameOpensTempfileInItsFolder)
{
    TempDir tmp;
    CMyFile f;
    f.SetFilePath((tmp / "sub").c_str());
    ASSERT_TRUE(f.OpenFile(CMyFile::kOut | CMyFile::kBinary));
    EXPECT_TRUE(f.IsFileOpen());
    f.CloseFile();
    EXPECT_TRUE(CMyFile::FileIsExist((tmp / "sub/tempfile~").c_str()));
}

TEST(FileObject, WriteSeekReadAndLines)
{
    TempDir tmp;
    CMyFile f((tmp / "data.bin").c_str());
    unsigned int pos = 9, got = 0, size = 0;
    unsigned char buf[64] = {};
    EXPECT_FALSE(f.WriteToFile(buf, 1));  // closed: everything fails
    EXPECT_FALSE(f.ReadFromFile(buf, 1, got));
    EXPECT_FALSE(f.GetFileReadPtrPos(pos));
    EXPECT_FALSE(f.GetFileSize(size));  // closed and missing

    ASSERT_TRUE(f.OpenFile(CMyFile::kIn | CMyFile::kOut | CMyFile::kTrunc | CMyFile::kBinary));
    const char text[] = "first\nsecond line\nthird";
    ASSERT_TRUE(f.WriteToFile(reinterpret_cast<const unsigned char*>(text), sizeof text - 1));
    ASSERT_TRUE(f.GetFileWritePtrPos(pos));
    EXPECT_EQ(pos, sizeof text - 1);
    ASSERT_TRUE(f.GetFileSize(size));
    EXPECT_EQ(size, sizeof text - 1);

    ASSERT_TRUE(f.SetFileReadPtrPos(0));
    char line[8];
    EXPECT_TRUE(f.GetLineFromFile(line, sizeof line, got));
    EXPECT_STREQ(line, "first");
    EXPECT_EQ(got, 6U);  // the line feed was taken too
    EXPECT_FALSE(f.GetLineFromFile(line, sizeof line, got));  // longer than the buffer
    EXPECT_STREQ(line, "second ");
    std::string rest;
    EXPECT_TRUE(f.GetLineFromFile(rest));
    EXPECT_EQ(rest, "line");
    EXPECT_TRUE(f.GetLineFromFile(rest));  // last line, no line feed
    EXPECT_EQ(rest, "third");
    EXPECT_TRUE(f.Eof());
    EXPECT_FALSE(f.GetLineFromFile(rest));  // at the end already

    ASSERT_TRUE(f.SetFileReadPtrPos(6));
    ASSERT_TRUE(f.MoveReadPtrFromCur(7));
    EXPECT_TRUE(f.ReadFromFile(buf, 4, got));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), got), "line");
    EXPECT_FALSE(f.ReadFromFile(buf, sizeof buf, got));  // stops at the end
    EXPECT_EQ(got, 6U);  // "\nthird"
    EXPECT_FALSE(f.ReadFromFile(buf, 1, got));
    EXPECT_EQ(got, 0U);

    // Writing after a read that met the end works; the size includes it.
    ASSERT_TRUE(f.SetFileWritePtrPos(0));
    ASSERT_TRUE(f.WriteToFile(reinterpret_cast<const unsigned char*>("F"), 1));
    ASSERT_TRUE(f.MoveWritePtrFromCur(-1));
    ASSERT_TRUE(f.GetFileWritePtrPos(pos));
    EXPECT_EQ(pos, 0U);
    f.CloseFile();
    EXPECT_FALSE(f.IsFileOpen());
    ASSERT_TRUE(f.GetFileSize(size));  // closed: measured by opening it
    EXPECT_EQ(size, sizeof text - 1);
    EXPECT_EQ(ReadText(tmp / "data.bin"), "First\nsecond line\nthird");
}

TEST(FileObject, OpenFailsInAFolderThatCannotBeCreated)
{
    TempDir tmp;
    WriteText(tmp / "plainfile", "x");
    CMyFile f((tmp / "plainfile/inside.txt").c_str());
    EXPECT_FALSE(f.OpenFile(CMyFile::kOut));
    EXPECT_FALSE(f.IsFileOpen());
    unsigned char b = 0;
    EXPECT_FALSE(f.WriteToFile(&b, 1));
}
