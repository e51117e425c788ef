#include "SuggestionList.h"

#include <algorithm>
#include <map>

namespace {
char16_t SuggestionChar(char16_t AChar) {
    if (AChar >= u'a' && AChar <= u'z')
        return static_cast<char16_t>(AChar - 32);
    return AChar == u'-' ? u' ' : AChar;
}
} // namespace

QString SuggestionForm(const QString& AText) {
    QString form = AText;
    for (QChar& c : form)
        c = QChar(SuggestionChar(c.unicode()));
    return form;
}

QStringView TSuggestionList::FormOf(const TItem& AItem) const {
    return QStringView(FForms.data() + AItem.FormStart, AItem.FormSize);
}

void TSuggestionList::Add(const QString& AKeyword, std::uint32_t AOrder) {
    TItem item{0, static_cast<std::uint32_t>(FForms.size()), static_cast<std::uint32_t>(AKeyword.size()), AOrder,
               &AKeyword};
    for (qsizetype i = 0; i < AKeyword.size(); ++i) {
        const char16_t c = SuggestionChar(AKeyword[i].unicode());
        FForms.push_back(c);
        if (i < 4)
            item.Lead |= std::uint64_t{c} << (16 * (3 - i));
    }
    FItems.push_back(item);
}

void TSuggestionList::Finish() {
    // The numbers order as the forms do, or tie; most pairs need no comparison of texts.
    std::sort(FItems.begin(), FItems.end(), [this](const TItem& A, const TItem& B) {
        if (A.Lead != B.Lead)
            return A.Lead < B.Lead;
        const int order = FormOf(A).compare(FormOf(B));
        return order != 0 ? order < 0 : A.Order < B.Order;
    });
    FItems.shrink_to_fit();
    FForms.shrink_to_fit();
}

QStringList TSuggestionList::Beginning(const QString& APartial) const {
    const QString partial = SuggestionForm(APartial);
    auto at = std::lower_bound(FItems.begin(), FItems.end(), partial, [this](const TItem& AItem, const QString& AForm) {
        return FormOf(AItem).compare(AForm) < 0;
    });
    std::vector<const TItem*> matches;
    for (; at != FItems.end() && FormOf(*at).startsWith(partial); ++at)
        matches.push_back(&*at);
    // Of the keywords with one upper case, the one met first stands for them.
    std::sort(matches.begin(), matches.end(), [](const TItem* A, const TItem* B) { return A->Order < B->Order; });
    std::map<QString, QString> found;
    for (const TItem* match : matches)
        found.emplace(match->Keyword->toUpper(), *match->Keyword);
    QStringList keywords;
    keywords.reserve(static_cast<qsizetype>(found.size()));
    for (const auto& [upper, keyword] : found)
        keywords << keyword;
    return keywords;
}
