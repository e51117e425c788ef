// The building blocks of the search's word indexes: a table that numbers words, and lists of
// numbers per word (which categories or keyword entries hold the word).
#pragma once

#include <QStringView>

#include <cstdint>
#include <span>
#include <vector>

// A set of words (UTF-16 text, compared exactly) numbered densely from 0 in the order they were
// first added. The characters of all words live in one buffer, so a table of many short words
// costs little more than their characters; a word is found by hashing, without building a
// QString.
class TWordTable {
public:
    static constexpr std::uint32_t NotFound = ~std::uint32_t{0};

    // The number of AWord, adding it when it is new.
    std::uint32_t Add(QStringView AWord);
    // The number of AWord, or NotFound.
    std::uint32_t Find(QStringView AWord) const;
    QStringView Word(std::uint32_t AId) const;
    std::uint32_t Size() const { return static_cast<std::uint32_t>(FStarts.size()) - 1; }
    // Gives back the room kept for further words once the table is complete.
    void Squeeze();

private:
    std::size_t SlotOf(QStringView AWord, std::size_t AHash) const;
    void Grow();

    std::vector<char16_t> FChars;
    std::vector<std::uint32_t> FStarts{0}; // word i is FChars[FStarts[i], FStarts[i + 1])
    std::vector<std::uint32_t> FHashes;    // of each word: most probes end without a comparison
    std::vector<std::uint32_t> FSlots;     // open addressing: 0 free, else word number + 1
};

// One ascending list of numbers per word, each number with up to eight bits of its own (which
// kinds of text hold the word). Built by Add calls whose numbers never decrease; Finish packs the
// lists into one array.
class TPostingLists {
public:
    static constexpr int BitCount = 8;
    static std::uint32_t NumberOf(std::uint32_t AItem) { return AItem >> BitCount; }
    static std::uint32_t BitsOf(std::uint32_t AItem) { return AItem & ((1u << BitCount) - 1); }

    // Adds ANumber to the list of word AWord, or-ing ABits into the bits it already has there.
    // ANumber is not below any number added before.
    void Add(std::uint32_t AWord, std::uint32_t ANumber, std::uint32_t ABits);
    // Packs the lists of words 0 .. AWordCount - 1; no Add afterwards.
    void Finish(std::uint32_t AWordCount);
    // The list of AWord: items of NumberOf and BitsOf, ascending by number.
    std::span<const std::uint32_t> Of(std::uint32_t AWord) const;

private:
    struct TPending {
        std::uint32_t Word;
        std::uint32_t Item;
    };
    std::vector<TPending> FPending;
    std::vector<std::uint32_t> FLastPending; // per word: its last pending item, or ~0
    std::vector<std::uint32_t> FOffsets;
    std::vector<std::uint32_t> FItems;
};

// The numbers that appear in every list of ALists, each with its bits and-ed over the lists, as
// items ascending by number; nothing for no list. The shortest list leads, the others are searched
// by galloping.
std::vector<std::uint32_t> IntersectPostings(std::vector<std::span<const std::uint32_t>> ALists);

// The ascending union of two ascending lists of numbers.
std::vector<std::uint32_t> UniteNumbers(const std::vector<std::uint32_t>& A, const std::vector<std::uint32_t>& B);
// The ascending intersection of two ascending lists of numbers.
std::vector<std::uint32_t> IntersectNumbers(const std::vector<std::uint32_t>& A, const std::vector<std::uint32_t>& B);
