#include "FindSynonyms.h"

#include "FindText.h"

// Generated at configure time from synonyms.txt.
extern const char* const kFindSynonymText;

std::vector<TFindSynonym> ParseFindSynonyms(const QString& AText, QStringList* AProblems) {
    std::vector<TFindSynonym> synonyms;
    const QStringList lines = AText.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        TFindSynonym synonym;
        if (equals > 0) {
            synonym.Words = FindKeyWords(line.left(equals));
            synonym.Expansion = FindKeyWords(line.mid(equals + 1));
        }
        if (synonym.Words.isEmpty() || synonym.Expansion.isEmpty()) {
            if (AProblems)
                AProblems->append(QStringLiteral("line %1: %2").arg(i + 1).arg(line));
            continue;
        }
        synonyms.push_back(std::move(synonym));
    }
    return synonyms;
}

QString FindSynonymText() { return QString::fromUtf8(kFindSynonymText); }

const std::vector<TFindSynonym>& FindSynonyms() {
    static const std::vector<TFindSynonym> synonyms = ParseFindSynonyms(FindSynonymText());
    return synonyms;
}
