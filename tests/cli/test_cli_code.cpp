// tabulon-cli code: a code with its chain, notes, reportable codes; seven-character codes,
// forbidden completions and bad input, on the embedded sample data set.
#include "CliTestRun.h"

namespace {

using CodeCommand = CliTest;

TEST_F(CodeCommand, SevenCharacterCodeShowsTheCodeItCompletesWithEveryNoteOnItsChain) {
    const QStringList args = {QStringLiteral("code"), QStringLiteral("s06.0x1a")};
    const TCliResult r = Run(args);
    EXPECT_EQ(r.Status, 0) << Describe(args, r);
    EXPECT_EQ(r.Err, QString());
    EXPECT_EQ(r.Out, QStringLiteral(
        "S06.0X1A  Concussion with loss of consciousness of 30 minutes or less, initial encounter\n"
        "Completes S06.0X1 with the seventh character A (initial encounter)\n"
        "Reportable: yes\n"
        "Short description: Concussion with loss of consciousness of 30 minutes or less,\n"
        "\n"
        "Chapter 3  Sample injuries (S06-T07)\n"
        "    NOTE Use secondary codes to indicate the cause of injury.\n"
        "  Section (S06-S06)  Injuries to the head\n"
        "      CODE ALSO any associated infection\n"
        "    S06  Intracranial injury\n"
        "        CODE ALSO any associated open wound of head (S01.-)\n"
        "        The appropriate 7th character is to be added to each code from category S06.\n"
        "        SEVENTH CHARACTERS: A  initial encounter\n"
        "                            D  subsequent encounter (not when code character 6 is 7 or 8)\n"
        "                            S  sequela (not when code character 6 is 7 or 8)\n"
        "      S06.0  Concussion\n"
        "        S06.0X  Concussion\n"
        "          S06.0X1  Concussion with loss of consciousness of 30 minutes or less\n"
        "\n"
        "Reportable codes: 3\n"
        "  S06.0X1A  Concussion with loss of consciousness of 30 minutes or less, initial encounter\n"
        "  S06.0X1D  Concussion with loss of consciousness of 30 minutes or less, subsequent encounter\n"
        "  S06.0X1S  Concussion with loss of consciousness of 30 minutes or less, sequela\n"))
        << Describe(args, r);
}

// Each case: the output must hold every listed line (whole lines, so that indentation counts).
TEST_F(CodeCommand, ShowsReportabilityNotesTablesAndCodesBelow) {
    struct Case {
        const char* Code;
        std::vector<const char*> Lines;
        std::vector<const char*> Absent;
    };
    const Case cases[] = {
        // A final code: its short description, its own and its parents' inclusion terms.
        {"A01.02",
         {"A01.02  Typhoid fever with heart involvement", "Reportable: yes",
          "Short description: Typhoid fever with heart involvement",
          "Chapter 1  Sample infectious diseases (A00-A09)",
          "    INCLUDES diseases passed from person to person",
          "    EXCLUDES 1: local infections - see body system chapters",
          "      EXCLUDES 1: certain infections of the newborn (P37.-)",
          "      A01.0  Typhoid fever", "          INCLUSION TERMS: Infection due to Salmonella typhi",
          "            INCLUSION TERMS: Typhoid endocarditis",
          "                             Typhoid myocarditis",
          "Reportable codes: 1", "  A01.02    Typhoid fever with heart involvement"},
         {"Completes"}},
        // A code written without its point, as claims data write it.
        {"a0102", {"A01.02  Typhoid fever with heart involvement", "Reportable: yes"}, {}},
        // A header with codes below it lists them all.
        {"A01",
         {"A01  Typhoid and paratyphoid fevers", "Reportable: no, it has codes below it",
          "Reportable codes: 3", "  A01.00    Typhoid fever, unspecified", "  A01.01    Typhoid meningitis",
          "  A01.02    Typhoid fever with heart involvement"},
         {"Short description:"}},
        // A category that needs a seventh character and has no sub-codes.
        {"T07",
         {"T07  Unspecified multiple injuries", "Reportable: no, it needs a seventh character",
          "        EXCLUDES 1: injury NOS (T14.90)", "        SEVENTH CHARACTERS: A  initial encounter",
          "                            D  subsequent encounter", "Reportable codes: 3",
          "  T07.XXXA  Unspecified multiple injuries, initial encounter"},
         {"(not when"}},
        {"T07.XXXS",
         {"T07.XXXS  Unspecified multiple injuries, sequela",
          "Completes T07 with the seventh character S (sequela)", "Reportable: yes",
          "Short description: Unspecified multiple injuries, sequela"},
         {}},
        // Exception rules leave forbidden completions out of a header's codes.
        {"S06.0X7",
         {"Reportable: no, it needs a seventh character", "Reportable codes: 1",
          "  S06.0X7A  Concussion with loss of consciousness and death due to brain injury, initial encounter"},
         {"S06.0X7D", "S06.0X7S"}},
        // The visual impairment table: one row per acuity range, the category number on the first.
        {"H54.8",
         {"H54.8  Legal blindness, as defined in USA", "Reportable: yes",
          "        CODE FIRST any associated underlying cause of the blindness",
          "          NOTE The table below grades visual impairment.", "          VISUAL IMPAIRMENT:",
          "            Category  Maximum less than  Minimum equal to or better than",
          "            1         6/18               6/60",
          "                      3/10(0.3)          1/10(0.1)",
          "                      20/70              20/200",
          "            2         6/60               3/60"},
         {"Maximum less than:"}},
    };
    for (const Case& c : cases) {
        const QStringList args = {QStringLiteral("code"), QLatin1String(c.Code)};
        const TCliResult r = Run(args);
        EXPECT_EQ(r.Status, 0) << Describe(args, r);
        const QStringList lines = r.Out.split(QLatin1Char('\n'));
        for (const char* line : c.Lines)
            EXPECT_TRUE(lines.contains(QLatin1String(line))) << "missing line: " << line << '\n' << Describe(args, r);
        for (const char* text : c.Absent)
            EXPECT_FALSE(r.Out.contains(QLatin1String(text))) << "unexpected: " << text << '\n' << Describe(args, r);
    }
}

TEST_F(CodeCommand, LimitCutsTheListOfReportableCodes) {
    const QStringList args = {QStringLiteral("code"), QStringLiteral("--limit"), QStringLiteral("2"), QStringLiteral("S06")};
    const TCliResult r = Run(args);
    EXPECT_EQ(r.Status, 0) << Describe(args, r);
    const QString tail = r.Out.mid(r.Out.indexOf(QStringLiteral("\nReportable codes:")));
    EXPECT_EQ(tail, QStringLiteral(
        "\nReportable codes: 8, the first 2 shown (--limit 0 shows all)\n"
        "  S06.0X0A  Concussion without loss of consciousness, initial encounter\n"
        "  S06.0X0D  Concussion without loss of consciousness, subsequent encounter\n"))
        << Describe(args, r);
}

TEST_F(CodeCommand, RefusesWhatIsNotAReportableOrKnownCode) {
    using Case = TCliFailureCase;
    const auto code = QStringLiteral("code");
    const Case cases[] = {
        // The completion exists in form, but an exception rule forbids it.
        {{code, QStringLiteral("S06.0X7D")}, 1,
         "tabulon-cli: S06.0X7D is not a reportable code: the seventh character D (subsequent encounter) "
         "is not allowed for S06.0X7 Concussion with loss of consciousness and death due to brain injury\n"},
        {{code, QStringLiteral("s06.0x8s")}, 1, "tabulon-cli: S06.0X8S is not a reportable code"},
        {{code, QStringLiteral("Z99.99")}, 1, "tabulon-cli: no code Z99.99 in the tabular list\n"},
        {{code, QStringLiteral("A00.5")}, 1, "tabulon-cli: no code A00.5 in the tabular list\n"},
        // Placeholders missing, and a seventh character the category does not define.
        {{code, QStringLiteral("T07.XXAA")}, 1, "tabulon-cli: no code T07.XXAA"},
        {{code, QStringLiteral("S06.0X1B")}, 1, "tabulon-cli: no code S06.0X1B"},
        {{code, QStringLiteral("hello")}, 2, "tabulon-cli: \"hello\" is not a code"},
        {{code, QStringLiteral("A1")}, 2, "tabulon-cli: \"A1\" is not a code"},
        {{code, QStringLiteral("A01.00000")}, 2, "tabulon-cli: \"A01.00000\" is not a code"},
        {{code}, 2, "tabulon-cli: code takes one code"},
        {{code, QStringLiteral("A00"), QStringLiteral("A01")}, 2, "tabulon-cli: code takes one code"},
        {{code, QStringLiteral("--limit"), QStringLiteral("x"), QStringLiteral("A00")}, 2,
         "tabulon-cli: --limit needs a number of 0 or more, not \"x\""},
    };
    ExpectFailures(cases);
}

} // namespace
