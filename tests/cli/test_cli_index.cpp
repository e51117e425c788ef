// tabulon-cli index: main terms of the two indexes and the two tables by title prefix, on the
// embedded sample data set.
#include "CliTestRun.h"

namespace {

using IndexCommand = CliTest;

TEST_F(IndexCommand, ListsMatchingTermsWithCodesCellsAndReferences) {
    using Case = TCliOutputCase;
    const auto index = QStringLiteral("index");
    const Case cases[] = {
        // Case is ignored; titles keep their modifiers; terms with sub-terms say how many.
        {{index, QStringLiteral("disease"), QStringLiteral("c")},
         "Index to diseases and injuries: 2 terms begin with \"C\"\n"
         "Cholera (Asiatic) (epidemic)   A00.9  (+1 sub-term)\n"
         "Concussion (brain) (cerebral)   S06.0X9  (+1 sub-term)\n"},
        // The prefix may run past the first word, given as one argument or several.
        {{index, QStringLiteral("disease"), QStringLiteral("cholera"), QStringLiteral("(asiatic)")},
         "Index to diseases and injuries: 1 term begins with \"CHOLERA (ASIATIC)\"\n"
         "Cholera (Asiatic) (epidemic)   A00.9  (+1 sub-term)\n"},
        {{index, QStringLiteral("disease"), QStringLiteral("Typhus")},
         "Index to diseases and injuries: 1 term begins with \"TYPHUS\"\n"
         "Typhus --see Typhoid\n"},
        {{index, QStringLiteral("--depth"), QStringLiteral("1"), QStringLiteral("disease"), QStringLiteral("typh")},
         "Index to diseases and injuries: 2 terms begin with \"TYPH\"\n"
         "Typhoid (abortive) (fever)   A01.00\n"
         "  with heart involvement  A01.02\n"
         "  meningitis  A01.01\n"
         "Typhus --see Typhoid\n"},
        {{index, QStringLiteral("--limit"), QStringLiteral("1"), QStringLiteral("disease"), QStringLiteral("C")},
         "Index to diseases and injuries: 2 terms begin with \"C\", the first 1 shown (--limit 0 shows all)\n"
         "Cholera (Asiatic) (epidemic)   A00.9  (+1 sub-term)\n"},
        {{index, QStringLiteral("external"), QStringLiteral("fall")},
         "Index of external causes of injury: 1 term begins with \"FALL\"\n"
         "Fall, falling (accidental)   W19  (+1 sub-term)\n"},
        // Drug names that begin with a digit are under "#"; the cells come with their columns.
        {{index, QStringLiteral("drug"), QStringLiteral("2-prop")},
         "Table of drugs and chemicals: 1 term begins with \"2-PROP\"\n"
         "2-propanol\n"
         "    Poisoning Accidental (unintentional)  T51.2X1\n"
         "    Poisoning Intentional self-harm       T51.2X2\n"
         "    Poisoning Assault                     T51.2X3\n"
         "    Poisoning Undetermined                T51.2X4\n"
         "    Adverse effect                        --\n"
         "    Underdosing                           --\n"},
        // The neoplasm table is one main term: its rows are searched.
        {{index, QStringLiteral("neoplasm"), QStringLiteral("ABDOMEN")},
         "Table of neoplasms: 1 term begins with \"ABDOMEN\"\n"
         "abdomen, abdominal\n"
         "    Malignant Primary                     C76.2\n"
         "    Malignant Secondary                   C79.8-\n"
         "    Ca in situ                            D09.8\n"
         "    Benign                                D36.7\n"
         "    Uncertain Behavior                    D48.7\n"
         "    Unspecified Behavior                  D49.89\n"},
        // An empty prefix lists every main term, letters in order.
        {{index, QStringLiteral("disease"), QString()},
         "Index to diseases and injuries: 5 terms\n"
         "Blindness (acquired) (congenital)   H54.0  (+1 sub-term)\n"
         "Cholera (Asiatic) (epidemic)   A00.9  (+1 sub-term)\n"
         "Concussion (brain) (cerebral)   S06.0X9  (+1 sub-term)\n"
         "Typhoid (abortive) (fever)   A01.00  (+2 sub-terms)\n"
         "Typhus --see Typhoid\n"},
    };
    ExpectOutputs(cases);
}

TEST_F(IndexCommand, NoMatchAndBadArguments) {
    using Case = TCliFailureCase;
    const auto index = QStringLiteral("index");
    const Case cases[] = {
        {{index, QStringLiteral("disease"), QStringLiteral("xyz")}, 1,
         "tabulon-cli: no term of the index to diseases and injuries begins with \"xyz\"\n"},
        // Only the letter of the first character is searched: a modifier text is no main term.
        {{index, QStringLiteral("disease"), QStringLiteral("(acquired)")}, 1, "tabulon-cli: no term of the index"},
        // 0 names no letter (drug names under "#" begin with 1-9).
        {{index, QStringLiteral("drug"), QStringLiteral("0")}, 1, "tabulon-cli: no term of the table of drugs"},
        {{index, QStringLiteral("neoplasm"), QStringLiteral("neoplasm")}, 1, "tabulon-cli: no term of the table of neoplasms"},
        {{index}, 2, "tabulon-cli: index needs an index name and a prefix\n"},
        {{index, QStringLiteral("disease")}, 2, "tabulon-cli: index needs an index name and a prefix\n"},
        {{index, QStringLiteral("diseases"), QStringLiteral("a")}, 2, "tabulon-cli: no index named \"diseases\"\n"},
        {{index, QStringLiteral("--limit"), QStringLiteral("-1"), QStringLiteral("disease"), QStringLiteral("a")}, 2,
         "tabulon-cli: --limit needs a number of 0 or more"},
        {{index, QStringLiteral("disease"), QStringLiteral("a"), QStringLiteral("--depth")}, 2,
         "tabulon-cli: --depth needs a number\n"},
    };
    ExpectFailures(cases);
}

} // namespace
