// Inside the find index: the Xapian database and the layout of its documents, shared by the
// writer and the search.
#pragma once

#include "FindIndex.h"

#include <xapian.h>

#include <QHash>
#include <QTemporaryDir>

#include <string>

// The English stem of a word as FindWords reads it, remembered once made (the same words come
// back again and again). One object serves one thread.
class TFindStemmer {
public:
    std::string StemOf(const QString& AWord) const;

private:
    Xapian::Stem FStemmer{"english"};
    mutable QHash<QString, std::string> FCache;
};

struct TFindIndex::TImpl {
    Xapian::Database Database;
    bool InMemory = false;
    // The private folder of an index that is not kept (removed with the index).
    std::unique_ptr<QTemporaryDir> TemporaryFolder;
    TFindStemmer Stems;
};

namespace FindLayout {
inline constexpr Xapian::valueno GroupSlot = 0; // the group key: one result per group
inline constexpr Xapian::valueno CodeSlot = 1;  // the code, for listing codes in order
inline constexpr const char* CodePrefix = "Q";  // boolean term: Q + the code without its point
// An index folder holds this many databases (part0, part1, ...), written in parallel.
inline constexpr int Shards = 2;
inline constexpr const char* KeyMetadata = "tabulon-find-key";
inline constexpr const char* CountMetadata = "tabulon-find-documents";
inline constexpr char FieldSeparator = '\x1f';
inline constexpr const char* NamePrefix = "T"; // a name of the code: N + its stems, sorted

// The term of a name made of these stems (order and repeats do not matter); empty when the name
// is too long to be a term.
std::string NameTerm(std::vector<std::string> AStems);

std::string DocumentData(const TFindDocument& ADocument);
TFindHit HitOf(const std::string& AData);
} // namespace FindLayout
