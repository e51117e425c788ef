// The short descriptions by code (about 74,000 of them). Codes and texts live in one text block
// of their own, one byte a character where the text is Latin-1, and the entries are offsets into
// it sorted by code: a look-up is a binary search. Much smaller than a hash of QStrings, which
// spends a header, a heap block and UTF-16 on every code and every text.
//
// Filling: Append every line's code and text in file order, then Commit. Until Commit the
// appended entries are not found. A code that is already present, or appended earlier, keeps its
// first text; Commit names the codes it refused in the order they were appended.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

class TShortDescMap {
public:
    qsizetype size() const { return static_cast<qsizetype>(FEntries.size()); }
    bool isEmpty() const { return FEntries.empty(); }
    bool contains(const QString& ACode) const { return FindEntry(ACode) != nullptr; }
    QString value(const QString& ACode, const QString& ADefault = QString()) const;
    std::optional<QString> Find(const QString& ACode) const;
    void clear();

    // Room for ALines entries of ABytes of text in all, ahead of appending them.
    void Reserve(std::size_t ALines, std::size_t ABytes);
    void Append(const QString& ACode, const QString& AText);
    QStringList Commit();

    friend bool operator==(const TShortDescMap& AMap, const QHash<QString, QString>& AHash);

private:
    struct TEntry {
        std::uint32_t Code; // offsets of the records in FText
        std::uint32_t Text;
    };
    std::uint32_t AddRecord(QStringView AText);
    QString RecordText(std::uint32_t AOffset) const;
    // <0, 0, >0 as the record at AOffset sorts before, with or after AText (UTF-16 code units).
    int CompareRecord(std::uint32_t AOffset, QStringView AText) const;
    int CompareRecords(std::uint32_t AOffsetA, std::uint32_t AOffsetB) const;
    const TEntry* FindEntry(QStringView ACode) const;

    std::vector<char> FText; // records: a 4-byte header (length, wide flag), then the characters
    std::vector<TEntry> FEntries; // sorted by code, codes unique
    std::vector<TEntry> FPending; // appended, in order
};
