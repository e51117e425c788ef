#include "FullTextIndex.h"

#include "KeywordSearchEngine.h"
#include "TextHelpers.h"
#include "WordBoundaries.h"

namespace {

// AText upper-cased as the full-text search compares it: an ASCII text letter by letter into the
// reused buffer (no allocation for the many plain texts), any other text by QString::toUpper.
const QString& UpperForIndex(const QString& AText, QString& ABuffer) {
    ABuffer.resize(AText.size());
    char16_t* out = reinterpret_cast<char16_t*>(ABuffer.data());
    for (const QChar c : AText) {
        const char16_t u = c.unicode();
        if (u >= 0x80) {
            ABuffer = AText.toUpper();
            return ABuffer;
        }
        *out++ = u >= u'a' && u <= u'z' ? static_cast<char16_t>(u - 32) : u;
    }
    return ABuffer;
}

} // namespace

const std::array<bool, 128> IndexWordSeparators = [] {
    std::array<bool, 128> separators{};
    for (char16_t c = 0; c < separators.size(); ++c)
        separators[c] = MayStandBeforeWord(QChar(c)) || MayStandAfterWord(QChar(c));
    return separators;
}();

int NoteConditionBits(const TNoteBase& ANote) {
    int bits = 0;
    if (dynamic_cast<const TInclusionTerm*>(&ANote))
        bits |= SearchInclusion;
    if (dynamic_cast<const TIncludes*>(&ANote))
        bits |= SearchIncludes;
    if (dynamic_cast<const TCodeFirst*>(&ANote))
        bits |= SearchCodeFirst;
    if (dynamic_cast<const TCodeAlso*>(&ANote))
        bits |= SearchCodeAlso;
    if (dynamic_cast<const TExcludes1*>(&ANote))
        bits |= SearchExcludes1;
    if (dynamic_cast<const TExcludes2*>(&ANote))
        bits |= SearchExcludes2;
    return bits;
}

QStringList IndexWordsOf(const QString& AText) {
    QString buffer;
    QStringList words;
    ForEachIndexWord(UpperForIndex(AText, buffer), [&](QStringView AWord) { words << AWord.toString(); });
    return words;
}

TFullTextIndex::TFullTextIndex(const TOwningList<TChapter>& AChapters) {
    for (const auto& chapter : AChapters)
        for (const auto& section : chapter->FSubList)
            for (const auto& category : section->FCodeList)
                FCategories.push_back(category.get());
    for (std::uint32_t position = 0; position < FCategories.size(); ++position)
        AddSubtree(*FCategories[position], position);
    FPostings.Finish(FWords.Size());
    FWords.Squeeze();
    FUpper = QString();
}

void TFullTextIndex::AddSubtree(const TCodeInfo& ACode, std::uint32_t APosition) {
    AddText(ACode.FDesc, SearchDescription, APosition);
    for (const auto& item : ACode.FItemList)
        if (const auto* note = dynamic_cast<const TNoteBase*>(item.get()))
            if (const int bits = NoteConditionBits(*note))
                for (const QString& line : note->FNoteList)
                    AddText(line, bits, APosition);
    for (const auto& child : ACode.FSubCodeList)
        AddSubtree(*child, APosition);
}

void TFullTextIndex::AddText(const QString& AText, int ABits, std::uint32_t APosition) {
    ForEachIndexWord(UpperForIndex(AText, FUpper), [&](QStringView AWord) {
        FPostings.Add(FWords.Add(AWord), APosition, static_cast<std::uint32_t>(ABits));
    });
}

bool TFullTextIndex::LookUp(const QString& AForm, TFormWords& AWords) const {
    bool faithful = true;
    QString upper;
    ForEachIndexWord(AForm, [&](QStringView AWord) {
        // The search compares a plain ASCII word with a plain ASCII text without regard to case,
        // and anything else with the text's upper case; a word that toUpper changes could match
        // a text of another case than the one the index holds.
        if (!faithful)
            return;
        const QString word = AWord.toString();
        const QString& key = UpperForIndex(word, upper);
        if (!IsAscii(word) && key != word) {
            faithful = false;
            return;
        }
        const std::uint32_t id = FWords.Find(key);
        if (id == TWordTable::NotFound)
            AWords.Unknown = true;
        else
            AWords.Words.push_back(id);
    });
    return faithful;
}

std::vector<std::uint32_t> TFullTextIndex::CandidatesOf(const TFormWords& AForm, int AConditions) const {
    std::vector<std::uint32_t> positions;
    if (AForm.Unknown)
        return positions;
    std::vector<std::span<const std::uint32_t>> lists;
    for (const std::uint32_t word : AForm.Words)
        lists.push_back(FPostings.Of(word));
    // One text holds every word of an occurrence: the kinds of text must meet.
    for (const std::uint32_t item : IntersectPostings(std::move(lists)))
        if (TPostingLists::BitsOf(item) & static_cast<std::uint32_t>(AConditions))
            positions.push_back(TPostingLists::NumberOf(item));
    return positions;
}

std::optional<std::vector<std::uint32_t>> TFullTextIndex::Candidates(const QStringList& AKeywords,
                                                                     int AConditions) const {
    std::optional<std::vector<std::uint32_t>> narrowed;
    for (const QString& keyword : AKeywords) {
        if (keyword.isEmpty())
            continue;
        // The search also accepts the keyword without its first "-" (X-RAY as XRAY).
        QStringList forms{keyword};
        if (const qsizetype dash = keyword.indexOf(QLatin1Char('-')); dash >= 0)
            forms << QString(keyword).remove(dash, 1);
        std::vector<std::uint32_t> positions;
        bool narrowsNothing = false;
        for (const QString& form : forms) {
            TFormWords words;
            if (!LookUp(form, words))
                return std::nullopt;
            if (words.Words.empty() && !words.Unknown) {
                narrowsNothing = true; // only separators: nothing to look up
                break;
            }
            positions = UniteNumbers(positions, CandidatesOf(words, AConditions));
        }
        if (narrowsNothing)
            continue;
        narrowed = narrowed ? IntersectNumbers(*narrowed, positions) : std::move(positions);
        if (narrowed->empty())
            break;
    }
    if (narrowed)
        return narrowed;
    std::vector<std::uint32_t> every(FCategories.size());
    for (std::uint32_t position = 0; position < every.size(); ++position)
        every[position] = position;
    return every;
}
