// tabulon-cli search and suggest: the keyword window's search and suggestions on the embedded
// sample data set (whose keywords the build derives from the sample tabular list and index).
#include "CliTestRun.h"

namespace {

using SearchCommand = CliTest;

QStringList Args(std::initializer_list<const char*> AArgs) {
    QStringList args;
    for (const char* arg : AArgs)
        args << QString::fromUtf8(arg);
    return args;
}

TEST_F(SearchCommand, ListsTheCategoriesThatKeywordsOrTextsFind) {
    const TCliOutputCase cases[] = {
        {Args({"search", "Salmonella,", "typhi"}),
         "Keyword counts: SALMONELLA 2, TYPHI 2\n"
         "2 categories found by keywords\n"
         "  A01  Typhoid and paratyphoid fevers\n"
         "  A02  Other salmonella infections\n"},
        // Case, blanks and an empty piece make no difference.
        {Args({"search", "TYPHI,SALMONELLA,"}),
         "Keyword counts: TYPHI 2, SALMONELLA 2\n"
         "2 categories found by keywords\n"
         "  A01  Typhoid and paratyphoid fevers\n"
         "  A02  Other salmonella infections\n"},
        {Args({"search", "--full-text", "concussion, death"}),
         "Keyword counts: CONCUSSION 1, DEATH 1\n"
         "1 category found in description\n"
         "  S06  Intracranial injury\n"},
        // Only the texts named are searched: typhi is an inclusion term of A01, an includes note
        // of A02.
        {Args({"search", "--in", "inclusion", "typhi"}),
         "Keyword counts: TYPHI 2\n"
         "1 category found in inclusion\n"
         "  A01  Typhoid and paratyphoid fevers\n"},
        {Args({"search", "--in=Includes", "typhi"}),
         "Keyword counts: TYPHI 2\n"
         "1 category found in includes\n"
         "  A02  Other salmonella infections\n"},
        {Args({"search", "--in", "exclude1,codefirst", "--full-text", "blindness,", "amaurosis"}),
         "Keyword counts: BLINDNESS 1, AMAUROSIS 0\n"
         "1 category found in codefirst, exclude1\n"
         "  H54  Blindness and low vision\n"},
    };
    ExpectOutputs(cases);
}

// Nothing found: exit 1 with the reason, and the keyword counts still on standard output.
TEST_F(SearchCommand, NothingFoundKeepsTheCounts) {
    struct Case {
        QStringList Args;
        const char* Out;
        const char* Err;
    };
    const Case cases[] = {
        {Args({"search", "myelitis"}), "Keyword counts: MYELITIS 0\n",
         "tabulon-cli: no category found by keywords for \"myelitis\"\n"},
        // Keywords spread over two codes do not combine: A00.9 has CHOLERA and UNSPECIFIED,
        // A00.0 CHOLERA and VIBRIO.
        {Args({"search", "--full-text", "cholera,", "unspecified,", "vibrio"}),
         "Keyword counts: CHOLERA 1, UNSPECIFIED 0, VIBRIO 1\n",
         "tabulon-cli: no category found in description for \"cholera, unspecified, vibrio\"\n"},
        {Args({"search", "--in", "exclude1", "newborn"}), "Keyword counts: NEWBORN 0\n",
         "tabulon-cli: no category found in exclude1 for \"newborn\"\n"},
    };
    for (const Case& c : cases) {
        const TCliResult r = Run(c.Args);
        EXPECT_EQ(r.Status, 1) << Describe(c.Args, r);
        EXPECT_EQ(r.Out.toStdString(), c.Out) << Describe(c.Args, r);
        EXPECT_EQ(r.Err.toStdString(), c.Err) << Describe(c.Args, r);
    }
}

TEST_F(SearchCommand, BadArguments) {
    const TCliFailureCase cases[] = {
        {Args({"search"}), 2, "tabulon-cli: search needs keywords\n"},
        {Args({"search", " , "}), 2, "tabulon-cli: search needs keywords\n"},
        {Args({"search", "--in", "bogus", "x"}), 2, "tabulon-cli: unknown text \"bogus\" for --in\n"},
        {Args({"search", "--in", ",", "x"}), 2, "tabulon-cli: --in needs at least one text to search\n"},
        {Args({"search", "x", "--in"}), 2, "tabulon-cli: --in needs a list of texts to search\n"},
        {Args({"search", "--fast", "x"}), 2, "tabulon-cli: unknown option --fast\n"},
    };
    ExpectFailures(cases);
}

TEST_F(SearchCommand, SuggestsFromTheCategoriesOfTheEarlierKeywords) {
    const TCliOutputCase cases[] = {
        {Args({"suggest", "in"}),
         "6 suggestions for \"in\"\n"
         "Page 1/1\n"
         "  Infection     Infections    Injuries      Injury\n"
         "  Intracranial  Involvement\n"},
        {Args({"suggest", "typhoid,", "in"}),
         "2 suggestions for \"in\" among the categories with TYPHOID\n"
         "Page 1/1\n"
         "  Infection    Involvement\n"},
        // Full text: from every keyword of the file, whatever came before.
        {Args({"suggest", "--full-text", "typhoid,", "INJ"}),
         "2 suggestions for \"INJ\"\n"
         "Page 1/1\n"
         "  Injuries  Injury\n"},
    };
    ExpectOutputs(cases);
}

TEST_F(SearchCommand, SuggestWithoutAPartialKeywordOrMatch) {
    const TCliFailureCase cases[] = {
        {Args({"suggest"}), 2, "tabulon-cli: suggest needs the beginning of a keyword after the last comma\n"},
        {Args({"suggest", "typhoid,"}), 2, "tabulon-cli: suggest needs the beginning of a keyword after the last comma\n"},
        {Args({"suggest", "zz"}), 1, "tabulon-cli: no suggestion for \"zz\"\n"},
        {Args({"suggest", "typhoid,", "bl"}), 1,
         "tabulon-cli: no suggestion for \"bl\" among the categories with TYPHOID\n"},
        {Args({"suggest", "--all", "x"}), 2, "tabulon-cli: unknown option --all\n"},
    };
    ExpectFailures(cases);
}

} // namespace
