#include "CompactText.h"


#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

static_assert(sizeof(std::uintptr_t) == 8, "the inline form takes seven characters of a 64-bit word");

constexpr std::uintptr_t kInlineTag = 1;
constexpr qsizetype kInlineMax = 7;

// The heap block: the header, then Length bytes (Latin-1) or Length char16_t (wide).
struct TBlockHeader {
    std::uint32_t Length;
    std::uint32_t Wide;
};

bool IsLatin1(QStringView AText) {
    return std::all_of(AText.begin(), AText.end(), [](QChar AChar) { return AChar.unicode() <= 0xFF; });
}

const char* Latin1Chars(const TBlockHeader* ABlock) {
    return reinterpret_cast<const char*>(ABlock + 1);
}

const char16_t* WideChars(const TBlockHeader* ABlock) {
    return reinterpret_cast<const char16_t*>(ABlock + 1);
}

std::size_t BlockBytes(const TBlockHeader* ABlock) {
    return sizeof(TBlockHeader) + ABlock->Length * (ABlock->Wide ? sizeof(char16_t) : 1);
}

} // namespace

struct TCompactText::TView {
    QLatin1String Latin1;
    QStringView Wide;
    bool IsWide = false;
};

TCompactText::TCompactText(QStringView AText) {
    if (AText.isEmpty())
        return;
    const bool latin1 = IsLatin1(AText);
    if (latin1 && AText.size() <= kInlineMax) {
        std::uintptr_t bits = kInlineTag | (static_cast<std::uintptr_t>(AText.size()) << 1);
        for (qsizetype i = 0; i < AText.size(); ++i)
            bits |= static_cast<std::uintptr_t>(AText[i].unicode()) << (8 * (i + 1));
        FBits = bits;
        return;
    }
    const std::size_t length = static_cast<std::size_t>(AText.size());
    const std::size_t payload = latin1 ? length : length * sizeof(char16_t);
    void* memory = std::malloc(sizeof(TBlockHeader) + payload);
    if (!memory)
        throw std::bad_alloc();
    auto* block = static_cast<TBlockHeader*>(memory);
    block->Length = static_cast<std::uint32_t>(length);
    block->Wide = latin1 ? 0 : 1;
    char* chars = reinterpret_cast<char*>(block + 1);
    if (latin1)
        for (std::size_t i = 0; i < length; ++i)
            chars[i] = static_cast<char>(AText[static_cast<qsizetype>(i)].unicode());
    else
        std::memcpy(chars, AText.utf16(), payload);
    FBits = reinterpret_cast<std::uintptr_t>(block);
}

TCompactText::TCompactText(const TCompactText& AOther) : FBits(AOther.FBits) {
    if (FBits == 0 || (FBits & kInlineTag))
        return;
    const auto* source = reinterpret_cast<const TBlockHeader*>(AOther.FBits);
    const std::size_t bytes = BlockBytes(source);
    void* memory = std::malloc(bytes);
    if (!memory)
        throw std::bad_alloc();
    std::memcpy(memory, source, bytes);
    FBits = reinterpret_cast<std::uintptr_t>(memory);
}

TCompactText& TCompactText::operator=(const TCompactText& AOther) {
    if (this != &AOther)
        *this = TCompactText(AOther);
    return *this;
}

TCompactText& TCompactText::operator=(TCompactText&& AOther) noexcept {
    if (this != &AOther) {
        Release();
        FBits = std::exchange(AOther.FBits, 0);
    }
    return *this;
}

TCompactText& TCompactText::operator=(const QString& AText) {
    return *this = TCompactText(AText);
}

void TCompactText::Release() noexcept {
    if (FBits != 0 && !(FBits & kInlineTag))
        std::free(reinterpret_cast<void*>(FBits));
    FBits = 0;
}

TCompactText::TView TCompactText::View() const {
    if (FBits == 0)
        return {};
    if (FBits & kInlineTag) {
        // The characters sit in bytes 1..7 of the word, in order on a little-endian machine;
        // the view points into the word itself.
        static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the inline form reads the word's bytes in order");
        const char* bytes = reinterpret_cast<const char*>(&FBits);
        return {QLatin1String(bytes + 1, static_cast<qsizetype>((FBits >> 1) & 0x7)), {}, false};
    }
    const auto* block = reinterpret_cast<const TBlockHeader*>(FBits);
    if (block->Wide)
        return {{}, QStringView(WideChars(block), static_cast<qsizetype>(block->Length)), true};
    return {QLatin1String(Latin1Chars(block), static_cast<qsizetype>(block->Length)), {}, false};
}

QString TCompactText::ToString() const {
    const TView view = View();
    return view.IsWide ? view.Wide.toString() : QString(view.Latin1);
}

qsizetype TCompactText::size() const {
    const TView view = View();
    return view.IsWide ? view.Wide.size() : view.Latin1.size();
}

bool operator==(const TCompactText& A, QStringView B) {
    const TCompactText::TView view = A.View();
    // Equal texts have equal lengths: a Latin-1 view compares character by character with B.
    return view.IsWide ? view.Wide == B : (view.Latin1.size() == B.size() && view.Latin1 == B);
}

bool operator==(const TCompactText& A, const TCompactText& B) {
    // The form follows from the text alone (inline when short Latin-1, wide only with characters
    // beyond Latin-1), so equal texts have equal words or equal blocks.
    if (A.FBits == B.FBits)
        return true;
    if (A.FBits == 0 || B.FBits == 0 || (A.FBits & kInlineTag) || (B.FBits & kInlineTag))
        return false;
    const auto* blockA = reinterpret_cast<const TBlockHeader*>(A.FBits);
    const auto* blockB = reinterpret_cast<const TBlockHeader*>(B.FBits);
    return BlockBytes(blockA) == BlockBytes(blockB) && blockA->Wide == blockB->Wide &&
           std::memcmp(blockA, blockB, BlockBytes(blockA)) == 0;
}
