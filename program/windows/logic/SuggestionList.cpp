#include "SuggestionList.h"

#include <algorithm>

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
    TItem item{0, 0, static_cast<std::uint32_t>(FForms.size()), static_cast<std::uint32_t>(AKeyword.size()), AOrder,
               true, &AKeyword};
    for (qsizetype i = 0; i < AKeyword.size(); ++i) {
        item.Ascii = item.Ascii && AKeyword[i].unicode() < 0x80;
        const char16_t c = SuggestionChar(AKeyword[i].unicode());
        FForms.push_back(c);
        if (i < 4)
            item.Lead |= std::uint64_t{c} << (16 * (3 - i));
    }
    const QString upper = item.Ascii ? QString() : AKeyword.toUpper();
    for (qsizetype i = 0; i < 4; ++i) {
        char16_t c = 0;
        if (!item.Ascii)
            c = i < upper.size() ? upper[i].unicode() : 0;
        else if (i < AKeyword.size())
            c = AKeyword[i].unicode() >= u'a' && AKeyword[i].unicode() <= u'z'
                    ? static_cast<char16_t>(AKeyword[i].unicode() - 32)
                    : AKeyword[i].unicode();
        item.UpperLead = (item.UpperLead << 16) | c;
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
    // Sorted by upper case; of the keywords with one upper case, the one met first stands for
    // them.
    std::sort(matches.begin(), matches.end(), [](const TItem* A, const TItem* B) {
        const int order = CompareUpper(*A, *B);
        return order != 0 ? order < 0 : A->Order < B->Order;
    });
    QStringList keywords;
    keywords.reserve(static_cast<qsizetype>(matches.size()));
    for (std::size_t i = 0; i < matches.size(); ++i)
        if (i == 0 || CompareUpper(*matches[i - 1], *matches[i]) != 0)
            keywords << *matches[i]->Keyword;
    return keywords;
}

int TSuggestionList::CompareUpper(const TItem& A, const TItem& B) {
    if (A.UpperLead != B.UpperLead)
        return A.UpperLead < B.UpperLead ? -1 : 1;
    if (!A.Ascii || !B.Ascii)
        return A.Keyword->toUpper().compare(B.Keyword->toUpper());
    const QString& a = *A.Keyword;
    const QString& b = *B.Keyword;
    const auto upper = [](QChar AChar) {
        const char16_t c = AChar.unicode();
        return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
    };
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i)
        if (const char16_t ca = upper(a[i]), cb = upper(b[i]); ca != cb)
            return ca < cb ? -1 : 1;
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}
