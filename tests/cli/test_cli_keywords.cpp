// tabulon-cli keywords: suggestions from the keyword file by prefix, with their counts, on the
// embedded sample data set (whose keywords the build derives from the sample tabular list and
// index).
#include "CliTestRun.h"

namespace {

using KeywordsCommand = CliTest;

TEST_F(KeywordsCommand, ListsKeywordsByPrefixInAlphabeticalOrderWithCounts) {
    using Case = TCliOutputCase;
    const auto keywords = QStringLiteral("keywords");
    const Case cases[] = {
        {{keywords, QStringLiteral("c")},
         "6 keywords begin with \"c\"\n"
         "  Cause               1\n"
         "  Cholera             1\n"
         "  Cholerae            1\n"
         "  Classical           1\n"
         "  Concussion          1\n"
         "  Consciousness       1\n"},
        // Keywords of two categories are counted twice, whatever their case in each.
        {{keywords, QStringLiteral("INF")},
         "2 keywords begin with \"INF\"\n"
         "  Infection        2\n"
         "  Infections       1\n"},
        // The whole keyword is a prefix of itself; a longer one is not cut to fit.
        {{keywords, QStringLiteral("cholera")},
         "2 keywords begin with \"cholera\"\n"
         "  Cholera        1\n"
         "  Cholerae       1\n"},
        {{keywords, QStringLiteral("--limit"), QStringLiteral("1"), QStringLiteral("typh")},
         "2 keywords begin with \"typh\", the first 1 shown (--limit 0 shows all)\n"
         "  Typhi       2\n"},
    };
    ExpectOutputs(cases);
}

TEST_F(KeywordsCommand, NoMatchAndBadArguments) {
    using Case = TCliFailureCase;
    const auto keywords = QStringLiteral("keywords");
    const Case cases[] = {
        // Longer than every keyword that shares its beginning.
        {{keywords, QStringLiteral("choleraes")}, 1, "tabulon-cli: no keyword begins with \"choleraes\"\n"},
        {{keywords, QStringLiteral("zz")}, 1, "tabulon-cli: no keyword begins with \"zz\"\n"},
        {{keywords}, 2, "tabulon-cli: keywords needs a prefix\n"},
        {{keywords, QStringLiteral("  ")}, 2, "tabulon-cli: keywords needs a prefix\n"},
        {{keywords, QStringLiteral("--limit")}, 2, "tabulon-cli: --limit needs a number\n"},
    };
    ExpectFailures(cases);
}

} // namespace
