#include "CodeKeywordDerivation.h"

#include "EngineGlobals.h"
#include "TabularLoader.h"
#include "TextHelpers.h"

#include <QHash>

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <pugixml.hpp>

namespace {

bool IsWordChar(QChar AChar) {
    return AChar.isLetterOrNumber() || AChar == QLatin1Char('-') || IsApostrophe(AChar);
}

// Whether a word survives rule 1's filter: one character only when it is a digit; no stop word.
bool KeepsWord(const QString& AWord) {
    if (AWord.isEmpty() || (AWord.size() == 1 && !AWord[0].isDigit()))
        return false;
    return !KeywordStopWords().contains(AWord.toUpper());
}

// Adds AKeyword and the forms KeywordFormsOf gives beside it.
void AddWithForms(TCodeKeywords& AEntry, const QString& AKeyword) {
    AEntry.AddKeyword(AKeyword);
    for (const QString& form : KeywordFormsOf(AKeyword))
        AEntry.AddKeyword(form);
}

void AddTextsOf(const TCodeInfo& ACode, TCodeKeywords& AEntry) {
    for (const QString& word : KeywordWordsOf(ACode.FDesc))
        AEntry.AddKeyword(word);
    for (const auto& item : ACode.FItemList)
        if (dynamic_cast<const TInclusionTerm*>(item.get()) || dynamic_cast<const TIncludes*>(item.get()))
            for (const QString& note : static_cast<const TNoteBase*>(item.get())->FNoteList)
                for (const QString& word : KeywordWordsOf(note))
                    AEntry.AddKeyword(word);
    for (const auto& child : ACode.FSubCodeList)
        AddTextsOf(*child, AEntry);
}

// The title of an index term without its non-essential modifiers.
QString PlainTitle(const pugi::xml_node& ATitle) {
    QString title;
    for (pugi::xml_node child : ATitle.children())
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            title += QString::fromUtf8(child.value()) + QLatin1Char(' ');
    return title.simplified();
}

void CollectCodes(const pugi::xml_node& ATerm, QStringList& ACodes) {
    for (pugi::xml_node child : ATerm.children()) {
        if (!std::strcmp(child.name(), "code"))
            ACodes << QString::fromUtf8(child.child_value()).trimmed();
        else if (!std::strcmp(child.name(), "term"))
            CollectCodes(child, ACodes);
    }
}

} // namespace

const QStringList& KeywordStopWords() {
    static const QStringList words = {
        QStringLiteral("A"),       QStringLiteral("AN"),      QStringLiteral("AND"),
        QStringLiteral("ANY"),     QStringLiteral("AS"),      QStringLiteral("AT"),
        QStringLiteral("BY"),      QStringLiteral("FOR"),     QStringLiteral("FROM"),
        QStringLiteral("IN"),      QStringLiteral("INTO"),    QStringLiteral("IS"),
        QStringLiteral("NOT"),     QStringLiteral("OF"),      QStringLiteral("ON"),
        QStringLiteral("OR"),      QStringLiteral("OTHER"),   QStringLiteral("SUCH"),
        QStringLiteral("THAN"),    QStringLiteral("THAT"),    QStringLiteral("THE"),
        QStringLiteral("TO"),      QStringLiteral("UNSPECIFIED"), QStringLiteral("WITH"),
        QStringLiteral("WITHOUT"), QStringLiteral("ELSEWHERE"),   QStringLiteral("CLASSIFIED"),
        QStringLiteral("NOS"),     QStringLiteral("NEC"),     QStringLiteral("DUE"),
        QStringLiteral("ALSO"),    QStringLiteral("ITS"),     QStringLiteral("THESE"),
        QStringLiteral("THIS"),    QStringLiteral("WHICH"),   QStringLiteral("WHEN"),
    };
    return words;
}

QStringList KeywordFormsOf(const QString& AKeyword) {
    QStringList forms;
    const QString noPossessive = WithoutPossessives(AKeyword);
    const QString candidates[] = {WithoutAccents(AKeyword), noPossessive, WithoutAccents(noPossessive)};
    for (const QString& form : candidates) {
        const auto same = [&form](const QString& AOther) {
            return AOther.compare(form, Qt::CaseInsensitive) == 0;
        };
        if (!same(AKeyword) && std::none_of(forms.begin(), forms.end(), same))
            forms << form;
    }
    return forms;
}

QStringList KeywordWordsOf(const QString& AText) {
    QStringList words;
    qsizetype i = 0;
    while (i < AText.size()) {
        while (i < AText.size() && !IsWordChar(AText[i]))
            ++i;
        const qsizetype start = i;
        while (i < AText.size() && IsWordChar(AText[i]))
            ++i;
        QString word = AText.mid(start, i - start);
        while (!word.isEmpty() && (word.front() == QLatin1Char('-') || IsApostrophe(word.front())))
            word.remove(0, 1);
        while (!word.isEmpty() && (word.back() == QLatin1Char('-') || IsApostrophe(word.back())))
            word.chop(1);
        if (!KeepsWord(word))
            continue;
        words << word;
        for (const QString& form : KeywordFormsOf(word))
            if (KeepsWord(form))
                words << form;
    }
    return words;
}

bool DeriveCodeKeywords(const QString& ATabularFile, const QString& AIndexFile,
                        const QString& AOutFile, TCodeKeywordReport& AReport) {
    if (!LoadTabularFromFile(ATabularFile)) {
        AReport.Problems << QStringLiteral("cannot load the tabular list %1").arg(ATabularFile);
        return false;
    }
    TCodeKeywordsList entries;
    QHash<QString, TCodeKeywords*> byCategory;
    for (const auto& chapter : *ChapterList)
        for (const auto& section : chapter->FSubList)
            for (const auto& category : section->FCodeList) {
                if (byCategory.contains(category->FCode))
                    continue;
                auto entry = std::make_unique<TCodeKeywords>();
                entry->FCode = category->FCode;
                AddTextsOf(*category, *entry);
                byCategory.insert(entry->FCode, entry.get());
                entries.push_back(std::move(entry));
            }

    pugi::xml_document index;
    if (!index.load_file(AIndexFile.toLocal8Bit().constData())) {
        AReport.Problems << QStringLiteral("cannot load the index %1").arg(AIndexFile);
        return false;
    }
    for (pugi::xml_node letter : index.document_element().children("letter"))
        for (pugi::xml_node term : letter.children("mainTerm")) {
            QStringList codes;
            CollectCodes(term, codes);
            const QStringList pieces = PlainTitle(term.child("title")).split(QLatin1Char(','), Qt::SkipEmptyParts);
            bool used = false;
            for (const QString& code : codes) {
                TCodeKeywords* entry = byCategory.value(code.left(3), nullptr);
                if (!entry)
                    continue;
                for (const QString& piece : pieces)
                    if (!piece.trimmed().isEmpty())
                        AddWithForms(*entry, piece.trimmed());
                used = true;
            }
            AReport.IndexTerms += used;
        }

    for (const auto& entry : entries) {
        if (entry->FKeywords.isEmpty()) {
            const TCodeInfo* category = nullptr;
            for (const auto& chapter : *ChapterList)
                for (const auto& section : chapter->FSubList)
                    for (const auto& code : section->FCodeList)
                        if (code->FCode == entry->FCode && !category)
                            category = code.get();
            entry->AddKeyword(QString(category->FDesc).replace(QLatin1Char(','), QLatin1Char(' ')).simplified());
        }
        AReport.Keywords += static_cast<int>(entry->FKeywords.size());
    }
    AReport.Categories = static_cast<int>(entries.size());
    if (!ArrangeCodeKeyword(entries, AOutFile)) {
        AReport.Problems << QStringLiteral("cannot write %1").arg(AOutFile);
        return false;
    }
    return true;
}

TAdminOutcome ArrangeCodeKeyword(const TCodeKeywordsList& AList, const QString& AArrangedFile,
                                 const QString& ADistinctFile) {
    TAdminOutput arranged(AArrangedFile);
    if (!arranged.Open())
        return TAdminOutcome::NotOpened(arranged.Error());
    std::optional<TAdminOutput> distinctFile;
    if (!ADistinctFile.isEmpty()) {
        distinctFile.emplace(ADistinctFile);
        if (!distinctFile->Open())
            return TAdminOutcome::NotOpened(distinctFile->Error());
    }
    // Distinct keywords: sorted without regard to case, the first form met kept.
    std::map<QString, QString> distinct;
    QString line;
    for (const auto& entry : AList) {
        for (qsizetype i = 0; i < entry->FKeywords.size(); ++i) {
            const QString& keyword = entry->FKeywords[i];
            distinct.emplace(keyword.toUpper(), keyword);
            if (i == 0)
                line = entry->FCode.leftJustified(8, QLatin1Char(' '));
            else if (i % 4 == 0)
                line = QString(8, QLatin1Char(' '));
            line += QLatin1Char(' ') + keyword + QLatin1Char(',');
            if ((i + 1) % 4 == 0) {
                arranged.WriteLine(line);
                line.clear();
            }
        }
        if (!line.isEmpty()) {
            arranged.WriteLine(line);
            line.clear();
        }
    }
    if (distinctFile)
        for (const auto& [key, keyword] : distinct)
            distinctFile->WriteLine(keyword);
    return CommitAll({&arranged, distinctFile ? &*distinctFile : nullptr});
}
