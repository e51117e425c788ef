#include "WordTable.h"

#include <QHashFunctions>

#include <algorithm>
#include <cassert>

namespace {
constexpr std::uint32_t kNone = ~std::uint32_t{0};
}

// ---- TWordTable ------------------------------------------------------------------------------

QStringView TWordTable::Word(std::uint32_t AId) const {
    return QStringView(FChars.data() + FStarts[AId], FStarts[AId + 1] - FStarts[AId]);
}

std::size_t TWordTable::SlotOf(QStringView AWord, std::size_t AHash) const {
    const std::size_t mask = FSlots.size() - 1;
    const auto hash = static_cast<std::uint32_t>(AHash);
    for (std::size_t slot = AHash & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t entry = FSlots[slot];
        if (entry == 0)
            return slot;
        if (FHashes[entry - 1] == hash) {
            const QStringView word = Word(entry - 1);
            if (word.size() == AWord.size() &&
                std::equal(word.utf16(), word.utf16() + word.size(), AWord.utf16()))
                return slot;
        }
    }
}

std::uint32_t TWordTable::Find(QStringView AWord) const {
    if (FSlots.empty())
        return NotFound;
    const std::uint32_t entry = FSlots[SlotOf(AWord, qHash(AWord))];
    return entry == 0 ? NotFound : entry - 1;
}

std::uint32_t TWordTable::Add(QStringView AWord) {
    // At most half the slots in use keeps the probe sequences short.
    if ((Size() + 1) * 2 > FSlots.size())
        Grow();
    const std::size_t hash = qHash(AWord);
    const std::size_t slot = SlotOf(AWord, hash);
    if (FSlots[slot] != 0)
        return FSlots[slot] - 1;
    const std::uint32_t id = Size();
    FChars.insert(FChars.end(), AWord.utf16(), AWord.utf16() + AWord.size());
    FStarts.push_back(static_cast<std::uint32_t>(FChars.size()));
    FHashes.push_back(static_cast<std::uint32_t>(hash));
    FSlots[slot] = id + 1;
    return id;
}

void TWordTable::Grow() {
    // Slots are found again from the kept hashes: the low bits of the full hash place a word, and
    // they are the same in its 32-bit copy as long as the table has fewer than 2^32 slots.
    std::vector<std::uint32_t> old = std::move(FSlots);
    FSlots.assign(std::max<std::size_t>(64, old.size() * 2), 0);
    const std::size_t mask = FSlots.size() - 1;
    for (const std::uint32_t entry : old) {
        if (entry == 0)
            continue;
        std::size_t slot = FHashes[entry - 1] & mask;
        while (FSlots[slot] != 0)
            slot = (slot + 1) & mask;
        FSlots[slot] = entry;
    }
}

void TWordTable::Squeeze() {
    FChars.shrink_to_fit();
    FStarts.shrink_to_fit();
    FHashes.shrink_to_fit();
}

// ---- TPostingLists ---------------------------------------------------------------------------

void TPostingLists::Add(std::uint32_t AWord, std::uint32_t ANumber, std::uint32_t ABits) {
    if (AWord >= FLastPending.size())
        FLastPending.resize(std::max<std::size_t>(AWord + 1, FLastPending.size() * 2), kNone);
    const std::uint32_t last = FLastPending[AWord];
    if (last != kNone && NumberOf(FPending[last].Item) == ANumber) {
        FPending[last].Item |= ABits;
        return;
    }
    assert(last == kNone || NumberOf(FPending[last].Item) < ANumber);
    FLastPending[AWord] = static_cast<std::uint32_t>(FPending.size());
    FPending.push_back({AWord, (ANumber << BitCount) | ABits});
}

void TPostingLists::Finish(std::uint32_t AWordCount) {
    // A counting sort by word keeps each word's items in the order they were added: ascending.
    FOffsets.assign(AWordCount + 1, 0);
    for (const TPending& pending : FPending)
        ++FOffsets[pending.Word + 1];
    for (std::uint32_t word = 0; word < AWordCount; ++word)
        FOffsets[word + 1] += FOffsets[word];
    FItems.resize(FPending.size());
    std::vector<std::uint32_t> next(FOffsets.begin(), FOffsets.end() - 1);
    for (const TPending& pending : FPending)
        FItems[next[pending.Word]++] = pending.Item;
    FPending = {};
    FLastPending = {};
}

std::span<const std::uint32_t> TPostingLists::Of(std::uint32_t AWord) const {
    if (AWord + 1 >= FOffsets.size())
        return {};
    return std::span<const std::uint32_t>(FItems.data() + FOffsets[AWord], FOffsets[AWord + 1] - FOffsets[AWord]);
}

// ---- set operations --------------------------------------------------------------------------

namespace {

// The first position at or after AFrom whose number is not below ANumber (AList.size() if none):
// doubling steps, then a binary search within the last step.
std::size_t Gallop(std::span<const std::uint32_t> AList, std::size_t AFrom, std::uint32_t ANumber) {
    std::size_t step = 1, low = AFrom, high = AFrom;
    while (high < AList.size() && TPostingLists::NumberOf(AList[high]) < ANumber) {
        low = high + 1;
        high += step;
        step *= 2;
    }
    high = std::min(high, AList.size());
    return static_cast<std::size_t>(
        std::lower_bound(AList.begin() + static_cast<std::ptrdiff_t>(low),
                         AList.begin() + static_cast<std::ptrdiff_t>(high), ANumber,
                         [](std::uint32_t AItem, std::uint32_t AValue) { return TPostingLists::NumberOf(AItem) < AValue; }) -
        AList.begin());
}

} // namespace

std::vector<std::uint32_t> IntersectPostings(std::vector<std::span<const std::uint32_t>> ALists) {
    std::vector<std::uint32_t> result;
    if (ALists.empty())
        return result;
    std::sort(ALists.begin(), ALists.end(), [](const auto& A, const auto& B) { return A.size() < B.size(); });
    std::vector<std::size_t> at(ALists.size(), 0);
    for (const std::uint32_t item : ALists[0]) {
        const std::uint32_t number = TPostingLists::NumberOf(item);
        std::uint32_t bits = TPostingLists::BitsOf(item);
        bool everywhere = true;
        for (std::size_t list = 1; list < ALists.size() && everywhere; ++list) {
            at[list] = Gallop(ALists[list], at[list], number);
            everywhere = at[list] < ALists[list].size() && TPostingLists::NumberOf(ALists[list][at[list]]) == number;
            if (everywhere)
                bits &= TPostingLists::BitsOf(ALists[list][at[list]]);
        }
        if (everywhere)
            result.push_back((number << TPostingLists::BitCount) | bits);
    }
    return result;
}

std::vector<std::uint32_t> UniteNumbers(const std::vector<std::uint32_t>& A, const std::vector<std::uint32_t>& B) {
    std::vector<std::uint32_t> result;
    result.reserve(A.size() + B.size());
    std::set_union(A.begin(), A.end(), B.begin(), B.end(), std::back_inserter(result));
    return result;
}

std::vector<std::uint32_t> IntersectNumbers(const std::vector<std::uint32_t>& A, const std::vector<std::uint32_t>& B) {
    std::vector<std::uint32_t> result;
    std::set_intersection(A.begin(), A.end(), B.begin(), B.end(), std::back_inserter(result));
    return result;
}
