// The find index: a ranked search over every code of the classification (Xapian underneath:
// BM25 ranking, English stemming, spelling suggestions from the indexed words, the synonym list,
// and the last word of a query matched as a prefix while the coder is still typing it).
//
// A TFindIndex is used by one thread at a time (the user-interface thread, or a command).
#pragma once

#include "FindDocuments.h"

#include <QList>
#include <QString>

#include <memory>
#include <vector>

struct TFindHit {
    QString Code;
    QString Description;
    QString CategoryCode;
    QString CategoryTitle;
    bool Reportable = false; // the code can be reported as it stands
    bool ExactCode = false;  // the query was this code's text
    // Codes of the same leaf left out of the list (its other seventh-character codes); at least
    // this many, maybe more.
    int Collapsed = 0;
};

struct TFindResult {
    QString Query;     // as typed
    QString Corrected; // the query with unknown words replaced by their correction, or empty
    QList<TFindHit> Hits;
    QString Error;     // a failure of the index itself (a damaged file); Hits is then empty
};

class TFindIndex {
public:
    ~TFindIndex();
    TFindIndex(const TFindIndex&) = delete;
    TFindIndex& operator=(const TFindIndex&) = delete;

    // Opens the index written at AFolder. Null, with the reason in AError, when the folder holds
    // no readable index or its key (see WriteFindIndex) is not AKey.
    static std::unique_ptr<TFindIndex> OpenFolder(const QString& AFolder, const QString& AKey,
                                                  QString& AError);
    // Writes the documents as an index at AFolder (which must not exist yet), stamped with AKey.
    // False, with the reason in AError, when it cannot be written.
    static bool WriteFolder(const std::vector<TFindDocument>& ADocuments, const QString& AFolder,
                            const QString& AKey, QString& AError);
    // An index held in memory only.
    static std::unique_ptr<TFindIndex> BuildInMemory(const std::vector<TFindDocument>& ADocuments);

    // The best ALimit results for AQuery (1..1000; out of range is clamped). A query that is a
    // code, whole or begun (E11.9, e119, E11), lists that code first and then the codes below it
    // in code order. Otherwise the results are ranked by relevance; when ACorrect is true, words
    // the index does not know are replaced by their spelling correction and Corrected says so.
    TFindResult Find(const QString& AQuery, int ALimit, bool ACorrect = true) const;

    int DocumentCount() const;
    bool InMemory() const;

    struct TImpl; // the database behind it (FindIndexImpl.h)

private:
    explicit TFindIndex(std::unique_ptr<TImpl> AImpl);
    std::unique_ptr<TImpl> FImpl;
};
