// Wildcard masks and the folder listing behind the account list.
#include "FileMasks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct TMaskCase {
    const char* Path;
    const char* Masks; // ";"-separated
    bool Matches;
};

class MaskMatching : public testing::TestWithParam<TMaskCase> {};

TEST_P(MaskMatching, FollowsTheWildcardRules) {
    const TMaskCase& c = GetParam();
    EXPECT_EQ(MatchesAnyMask(QString::fromUtf8(c.Path), QString::fromUtf8(c.Masks).split(u';')),
              c.Matches)
        << c.Path << " against " << c.Masks;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MaskMatching,
    testing::Values(
        // "*" runs over folder separators: masks are matched against whole paths.
        TMaskCase{"/data/shared/YWJj.fvxml", "*.fvxml", true},
        TMaskCase{"/data/shared/YWJj.FVXML", "*.fvxml", true}, // without regard to case
        TMaskCase{"/data/shared/YWJj.fvxml.tmp", "*.fvxml", false},
        TMaskCase{"/data/shared/notes.txt", "*.fvxml", false},
        TMaskCase{"/data/shared/notes.txt", "*.fvxml;*.TXT", true}, // any mask of the list
        TMaskCase{"abc", "a?c", true}, TMaskCase{"ac", "a?c", false}, TMaskCase{"abc", "a*", true},
        TMaskCase{"abc", "*", true}, TMaskCase{"", "*", true}, TMaskCase{"", "?", false},
        TMaskCase{"abc", "", false}, TMaskCase{"aXbXc", "a*b*c", true},
        TMaskCase{"aXbXd", "a*b*c", false},
        TMaskCase{"abcbc", "*bc", true}, // back-tracking over an earlier partial match
        TMaskCase{"b1", "[abc]1", true}, TMaskCase{"d1", "[abc]1", false},
        TMaskCase{"M5", "[a-z][0-9]", true}, TMaskCase{"-5", "[a-z][0-9]", false},
        TMaskCase{"x", "[!abc]", true}, TMaskCase{"a", "[!abc]", false},
        TMaskCase{"[ab", "[ab", true}, // an unclosed "[" stands for itself
        TMaskCase{"a", "[ab", false}));

class FolderListing : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(FDir.isValid());
        Touch(QStringLiteral("a.fvxml"));
        Touch(QStringLiteral("b.txt"));
        Touch(QStringLiteral(".hidden.fvxml"));
        ASSERT_TRUE(QDir(FDir.path()).mkpath(QStringLiteral("c.fvxml")));
        ASSERT_TRUE(QDir(FDir.path()).mkpath(QStringLiteral("sub/deeper")));
        Touch(QStringLiteral("sub/d.fvxml"));
        Touch(QStringLiteral("sub/deeper/e.FVXML"));
    }
    void Touch(const QString& AName) {
        QFile file(FDir.filePath(AName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QTemporaryDir FDir;
};

TEST_F(FolderListing, WithoutRecursionFoldersAreMatchedLikeFiles) {
    QStringList found{QStringLiteral("kept")};
    FindFilesByMask(FDir.path(), QStringLiteral("*.fvxml"), found, false);
    found.sort();
    EXPECT_EQ(found, (QStringList{QStringLiteral(".hidden.fvxml"), QStringLiteral("a.fvxml"),
                                  QStringLiteral("c.fvxml"), QStringLiteral("kept")}));
}

TEST_F(FolderListing, WithRecursionFoldersAreDescendedAndNotListed) {
    QStringList found;
    FindFilesByMask(FDir.path() + QLatin1Char('/'), QStringLiteral("*.fvxml"), found, true);
    found.sort();
    EXPECT_EQ(found, (QStringList{QStringLiteral(".hidden.fvxml"), QStringLiteral("a.fvxml"),
                                  QStringLiteral("d.fvxml"), QStringLiteral("e.FVXML")}));
}

TEST_F(FolderListing, MissingFolderAddsNothing) {
    QStringList found;
    FindFilesByMask(FDir.filePath(QStringLiteral("missing")), QStringLiteral("*"), found, true);
    FindFilesByMask(QString(), QStringLiteral("*"), found, false);
    EXPECT_TRUE(found.isEmpty());
}

} // namespace
