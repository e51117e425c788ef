// CIniFile: reading rules, round trips, edits through records and files,
// sorting, missing and malformed files, refused texts.
#include <gravik/inifile.h>

#include "tempdir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Records = CIniFile::Records;

std::string Dump(const Records& records)
{
    std::string out;
    for (const CIniFile::Record& r : records)
        out += "{" + r.Comments + "|" + r.Section + "|" + r.Key + "|" + r.Value + "}";
    return out;
}

Records LoadText(const TempDir& tmp, const std::string& text)
{
    WriteText(tmp / "in.ini", text);
    Records records;
    EXPECT_TRUE(CIniFile::Load(tmp / "in.ini", records));
    return records;
}

}  // namespace

TEST(IniRead, LineRules)
{
    struct Case {
        const char* text;
        const char* records;
    } cases[] = {
        {"a=1", "{||a|1}"},
        {"#c1\n;c2\n[S]\nk = v \n", "{#c1\n;c2\n|S||}{|S|k|v}"},
        {"  [S] trailing\n\tk\t=\t v = w \r\n", "{|S||}{|S|k|v = w}"},
        {"\n\n   \r\n[A]\n\n[B]\n", "{|A||}{|B||}"},
        {"[S]\nstray line\n", "{|S||}{|||}"},            // an all-empty record
        {"[S]\n#note\nstray\nk=v\n", "{|S||}{#note\n|S|k|v}"},  // dropped, comment kept
        {"[S]\nk=v\n#dangling\n", "{|S||}{|S|k|v}"},      // trailing comments dropped
        {"[S]\nk=1\nk=2\n", "{|S||}{|S|k|1}{|S|k|2}"},    // duplicates kept
        {"[]\nk=\n", "{|||}{||k|}"},
        {"", ""},
    };
    TempDir tmp;
    for (const Case& c : cases) EXPECT_EQ(Dump(LoadText(tmp, c.text)), c.records) << c.text;
}

TEST(IniRead, MissingAndMalformedFilesLeaveTheRecordsAlone)
{
    TempDir tmp;
    Records records{{"", "Keep", "", ""}};
    EXPECT_FALSE(CIniFile::Load(tmp / "missing.ini", records));
    EXPECT_EQ(records.size(), 1U);
    WriteText(tmp / "bad.ini", "[A]\nk=v\n[unclosed\nj=w\n");
    EXPECT_FALSE(CIniFile::Load(tmp / "bad.ini", records));
    EXPECT_EQ(Dump(records), "{|Keep||}");
    // The file forms neither read nor overwrite it.
    EXPECT_EQ(CIniFile::GetValue("k", "A", tmp / "bad.ini", "def"), "def");
    EXPECT_FALSE(CIniFile::SetValue("k", "new", "A", tmp / "bad.ini"));
    EXPECT_EQ(ReadText(tmp / "bad.ini"), "[A]\nk=v\n[unclosed\nj=w\n");
    EXPECT_EQ(CIniFile::Content(tmp / "missing.ini"), "");
    EXPECT_TRUE(CIniFile::GetSectionNames(tmp / "missing.ini").empty());
    EXPECT_FALSE(CIniFile::SectionExists("A", tmp / "missing.ini"));
    EXPECT_FALSE(CIniFile::SetValue("k", "v", "A", tmp / "missing.ini"));  // must exist
    EXPECT_FALSE(std::ifstream(tmp / "missing.ini").is_open());
}

TEST(IniWrite, RoundTripKeepsCommentsDuplicatesAndOrder)
{
    TempDir tmp;
    const std::string original =
        "; top\n"
        "loose = 1\n"
        "\n"
        "#  about A  \n"
        "[A]   \n"
        "  x=1\n"
        "x =  2\n"
        "\n\n"
        "; about y\n"
        "y\t=\tspaced value  \n"
        "[B]\n"
        "empty=\n";
    Records records = LoadText(tmp, original);
    ASSERT_TRUE(CIniFile::Save(tmp / "out.ini", records));
    const std::string saved = ReadText(tmp / "out.ini");
    EXPECT_EQ(saved,
              "; top\n"
              "loose=1\n"
              "\n"
              "#  about A\n"
              "[A]\n"
              "x=1\n"
              "x=2\n"
              "; about y\n"
              "y=spaced value\n"
              "\n"
              "[B]\n"
              "empty=\n");
    Records again;
    ASSERT_TRUE(CIniFile::Load(tmp / "out.ini", again));
    EXPECT_EQ(Dump(again), Dump(records));
    EXPECT_EQ(CIniFile::Content(records),
              "; top\nloose=1\n#  about A\n[A]\nx=1\nx=2\n; about y\ny=spaced value\n[B]\nempty=\n");
    EXPECT_EQ(CIniFile::Content(tmp / "out.ini"), CIniFile::Content(records));
}

TEST(IniWrite, CreateMakesAnEmptyFileAndSaveReportsFailure)
{
    TempDir tmp;
    ASSERT_TRUE(CIniFile::Create(tmp / "new.ini"));
    EXPECT_EQ(ReadText(tmp / "new.ini"), "");
    Records records;
    EXPECT_FALSE(CIniFile::Save(tmp / "no/such/dir.ini", records));
    EXPECT_FALSE(CIniFile::Create(tmp / "no/such/dir.ini"));
    // A full device: the write fails and Save says so.
    Records big{{"", "S", "", ""}, {"", "S", "k", std::string(1 << 17, 'v')}};
    if (std::ifstream("/dev/full").good()) {
        EXPECT_FALSE(CIniFile::Save("/dev/full", big));
    }
}

TEST(IniEdit, SetValueAppendsInsertsAndReplaces)
{
    Records r;
    CIniFile::SetValue("k", "1", "S", r);
    EXPECT_EQ(CIniFile::Content(r), "[S]\nk=1\n");
    CIniFile::SetValue("j", "2", "S", r);
    EXPECT_EQ(CIniFile::Content(r), "[S]\nk=1\nj=2\n");
    CIniFile::SetValue("k", "3", "S", r);
    EXPECT_EQ(CIniFile::Content(r), "[S]\nk=3\nj=2\n");
    CIniFile::SetValue("a", "1", "T", r);
    CIniFile::SetValue("m", "4", "S", r);  // at the end of S's block, before T
    EXPECT_EQ(CIniFile::Content(r), "[S]\nk=3\nj=2\nm=4\n[T]\na=1\n");
    EXPECT_EQ(CIniFile::GetValue("j", "S", r), "2");
    EXPECT_EQ(CIniFile::GetValue("x", "S", r, "def"), "def");
    EXPECT_EQ(CIniFile::GetValue("x", "S", r, nullptr), "");
    EXPECT_EQ(CIniFile::GetValue("K", "S", r, "case"), "case");
}

TEST(IniEdit, TextsThatCannotReadBackAreRefused)
{
    struct Case {
        const char* key;
        const char* value;
        const char* section;
    } cases[] = {
        {"k", "two\nlines", "S"}, {"k", "cr\r", "S"},   {"a=b", "v", "S"}, {"", "v", "S"},
        {"#k", "v", "S"},         {";k", "v", "S"},     {"[k", "v", "S"},  {"k", "v", "S]x"},
        {"k", "v", "S\nT"},       {"k\nj", "v", "S"},
    };
    TempDir tmp;
    WriteText(tmp / "f.ini", "[S]\nk=v\n");
    for (const Case& c : cases) {
        Records r;
        CIniFile::SetValue(c.key, c.value, c.section, r);
        EXPECT_TRUE(r.empty()) << c.key << "|" << c.value << "|" << c.section;
        EXPECT_FALSE(CIniFile::SetValue(c.key, c.value, c.section, tmp / "f.ini")) << c.key;
    }
    EXPECT_EQ(ReadText(tmp / "f.ini"), "[S]\nk=v\n");
    Records r;
    CIniFile::AddSection("bad]name", r);
    EXPECT_TRUE(r.empty());
    CIniFile::AddSection("ok", r);
    CIniFile::RenameSection("ok", "two\nlines", r);
    EXPECT_EQ(CIniFile::Content(r), "[ok]\n");
}

TEST(IniEdit, SectionsRecordsAndComments)
{
    TempDir tmp;
    const std::string f = tmp / "e.ini";
    WriteText(f, "[A]\nk=1\nj=2\n[B]\nk=3\n[A]\nz=9\n");
    EXPECT_EQ(CIniFile::GetSectionNames(f), (std::vector<std::string>{"A", "B", "A"}));
    EXPECT_EQ(CIniFile::GetSections(f).size(), 3U);
    EXPECT_EQ(Dump(CIniFile::GetSection("A", f)), "{|A|k|1}{|A|j|2}{|A|z|9}");
    EXPECT_TRUE(CIniFile::SectionExists("B", f));
    EXPECT_FALSE(CIniFile::SectionExists("b", f));
    EXPECT_TRUE(CIniFile::RecordExists("z", "A", f));
    EXPECT_FALSE(CIniFile::RecordExists("z", "B", f));
    EXPECT_EQ(Dump(CIniFile::GetRecord("k", "B", f)), "{|B|k|3}");
    EXPECT_TRUE(CIniFile::GetRecord("q", "B", f).empty());

    EXPECT_TRUE(CIniFile::AddSection("C", f));
    EXPECT_TRUE(CIniFile::AddSection("A", f));  // exists: unchanged
    EXPECT_EQ(CIniFile::GetSectionNames(f), (std::vector<std::string>{"A", "B", "A", "C"}));
    EXPECT_TRUE(CIniFile::RenameSection("A", "D", f));
    EXPECT_EQ(CIniFile::GetValue("z", "D", f), "9");
    EXPECT_FALSE(CIniFile::SectionExists("A", f));

    EXPECT_TRUE(CIniFile::SetSectionComments("# two\n# lines", "D", f));
    EXPECT_TRUE(CIniFile::SetRecordComments(";x", "k", "B", f));
    EXPECT_FALSE(CIniFile::SetRecordComments(";x", "nope", "B", f));
    EXPECT_EQ(ReadText(f),
              "# two\n# lines\n[D]\nk=1\nj=2\n\n[B]\n;x\nk=3\n\n# two\n# lines\n[D]\nz=9\n\n[C]\n");
    Records r;
    ASSERT_TRUE(CIniFile::Load(f, r));
    EXPECT_EQ(r[0].Comments, "# two\n# lines\n");

    EXPECT_TRUE(CIniFile::DeleteRecord("j", "D", f));
    EXPECT_FALSE(CIniFile::DeleteRecord("j", "D", f));
    EXPECT_TRUE(CIniFile::DeleteSection("D", f));
    EXPECT_EQ(ReadText(f), "[B]\n;x\nk=3\n\n[C]\n");
    // A one-character comment gets no line feed (and then glues to its line).
    Records one{{"", "S", "", ""}};
    CIniFile::SetSectionComments("#", "S", one);
    EXPECT_EQ(one[0].Comments, "#");
}

TEST(IniSort, SectionsAndKeysInBothDirections)
{
    TempDir tmp;
    const std::string f = tmp / "s.ini";
    const std::string text = "[B]\nb=1\na=2\n[A]\nb=3\na=4\n[AB]\nk=5\n";
    WriteText(f, text);
    ASSERT_TRUE(CIniFile::Sort(f, false));
    EXPECT_EQ(ReadText(f), "[A]\na=4\nb=3\n\n[AB]\nk=5\n\n[B]\na=2\nb=1\n");
    ASSERT_TRUE(CIniFile::Sort(f, true));
    EXPECT_EQ(ReadText(f), "[B]\nb=1\na=2\n\n[AB]\nk=5\n\n[A]\nb=3\na=4\n");
}

TEST(IniSort, NothingIsLostOrDuplicated)
{
    TempDir tmp;
    const std::string f = tmp / "s.ini";
    // Keys before the first header, a section with two headers, comments.
    WriteText(f, "top=1\n#c\n[S]\nz=1\n[R]\nq=2\n; again\n[S]\na=3\n");
    ASSERT_TRUE(CIniFile::Sort(f, false));
    EXPECT_EQ(ReadText(f), "top=1\n\n[R]\nq=2\n\n#c\n[S]\n\n; again\n[S]\na=3\nz=1\n");
    ASSERT_TRUE(CIniFile::Sort(f, false));  // sorting again changes nothing
    EXPECT_EQ(ReadText(f), "top=1\n\n[R]\nq=2\n\n#c\n[S]\n\n; again\n[S]\na=3\nz=1\n");
    EXPECT_EQ(CIniFile::GetSection("S", f).size(), 2U);
}

TEST(IniSort, FailsWithoutASectionOrAFile)
{
    TempDir tmp;
    WriteText(tmp / "flat.ini", "a=1\nb=2\n");
    EXPECT_FALSE(CIniFile::Sort(tmp / "flat.ini", false));
    EXPECT_EQ(ReadText(tmp / "flat.ini"), "a=1\nb=2\n");
    EXPECT_FALSE(CIniFile::Sort(tmp / "missing.ini", false));
}
