// What the find index holds: one document per code of the tabular list and one per reportable
// seven-character code, each with the texts that should find it and how much each counts.
// Collected from the loaded data sets, so the index always matches the embedded edition; no
// search library is involved here.
#pragma once

#include "EngineGlobals.h"

#include <QHash>
#include <QString>

#include <vector>

// How much a text counts towards a document (the word frequency added per occurrence).
enum TFindWeight : int {
    FindWeightContext = 1,     // descriptions of the codes above
    FindWeightShortDesc = 2,   // short description of the order file
    FindWeightSeeAlso = 2,     // an index entry whose "see also" leads here
    FindWeightInclusion = 3,   // inclusion terms and "includes" notes
    FindWeightSee = 3,         // an index entry whose "see" leads here
    FindWeightIndexPath = 4,   // an index path (main term and sub-terms) giving this code
    FindWeightTableCell = 4,   // a drug or neoplasm table row and column giving this code
    FindWeightDescription = 6, // the code's own description
};

struct TFindText {
    QString Text;
    int Weight = 0;
    // Forms of the text that name the code as a whole (a description, an inclusion term, an
    // index path without its modifiers, or its first comma pieces: "Bite, dog"): a query whose
    // words are exactly those of one of them ranks the code first.
    QStringList Names;
};

struct TFindDocument {
    QString Code;          // as the tabular list writes it (S06.0X1A)
    QString Description;   // the code's description; the full one for seven-character codes
    QString CategoryCode;  // the three-character category
    QString CategoryTitle; // the category's description
    // Documents with one group key are one result: a leaf that takes a seventh character and
    // its seven-character codes share the leaf's code, so a search is not flooded with them.
    QString GroupKey;
    bool Reportable = false;
    std::vector<TFindText> Texts;
};

// The loaded data sets the documents are made from; a missing list contributes nothing.
struct TFindSources {
    const TChapterList* Chapters = nullptr;
    const TAlphaLetterList* DiseaseIndex = nullptr;
    const TAlphaLetterList* ExternalIndex = nullptr;
    const TAlphaLetterList* DrugTable = nullptr;
    const TAlphaLetterList* NeoplasmTable = nullptr;
    const TShortDescMap* ShortDescriptions = nullptr;
};

// The sources of the global containers (call once their loaders have ended).
TFindSources GlobalFindSources();

// The column headings of the drug and neoplasm tables (columns 2 to 7) as they are indexed.
const QStringList& DrugColumnTexts();
const QStringList& NeoplasmColumnTexts();

// Every document, in tabular order (a seven-character code after its leaf).
std::vector<TFindDocument> CollectFindDocuments(const TFindSources& ASources);
