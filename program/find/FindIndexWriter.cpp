// Writing the find index: the documents' texts become stemmed terms weighted by their field,
// their words feed the spelling table, and each code gets a boolean term for code queries.
#include "FindIndexImpl.h"

#include "FindText.h"

#include <QDir>
#include <QSet>

#include <algorithm>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <unordered_map>

std::string TFindIndex::TImpl::StemOf(const QString& AWord) const {
    const auto found = StemCache.constFind(AWord);
    if (found != StemCache.constEnd())
        return *found;
    std::string stem = Stemmer(AWord.toStdString());
    StemCache.insert(AWord, stem);
    return stem;
}

namespace FindLayout {
std::string DocumentData(const TFindDocument& ADocument) {
    const QStringList fields{ADocument.Code, ADocument.Description, ADocument.CategoryCode,
                             ADocument.CategoryTitle,
                             ADocument.Reportable ? QStringLiteral("1") : QStringLiteral("0")};
    return fields.join(QLatin1Char(FieldSeparator)).toStdString();
}

std::string NameTerm(std::vector<std::string> AStems) {
    std::sort(AStems.begin(), AStems.end());
    AStems.erase(std::unique(AStems.begin(), AStems.end()), AStems.end());
    std::string term = NamePrefix;
    for (const std::string& stem : AStems) {
        if (term.size() > 1)
            term += ' ';
        term += stem;
    }
    // Xapian keeps terms of at most 245 bytes; a name that long is never typed whole.
    return term.size() > 1 && term.size() < 240 ? term : std::string();
}

TFindHit HitOf(const std::string& AData) {
    const QStringList fields = QString::fromStdString(AData).split(QLatin1Char(FieldSeparator));
    TFindHit hit;
    hit.Code = fields.value(0);
    hit.Description = fields.value(1);
    hit.CategoryCode = fields.value(2);
    hit.CategoryTitle = fields.value(3);
    hit.Reportable = fields.value(4) == QLatin1String("1");
    return hit;
}
} // namespace FindLayout

namespace {
// The terms of one text. Texts repeat a great deal (a category's title is context for every
// code below it), so each is read once.
using TTextTerms = std::vector<std::string>;

// Turns documents into Xapian documents and counts the words for the spelling table. Runs on a
// thread of its own while the database takes the documents it made.
class TDocumentMaker {
public:
    Xapian::Document Make(const TFindDocument& ASource) {
        Xapian::Document document;
        document.set_data(FindLayout::DocumentData(ASource));
        document.add_value(FindLayout::GroupSlot, ASource.GroupKey.toStdString());
        document.add_value(FindLayout::CodeSlot, ASource.Code.toStdString());
        document.add_boolean_term(FindLayout::CodePrefix + CodeKeyOf(ASource.Code).toStdString());
        for (const TFindText& text : ASource.Texts) {
            for (const std::string& stem : TermsOf(text.Text))
                document.add_term(stem, static_cast<Xapian::termcount>(text.Weight));
            for (const QString& name : text.Names) {
                const std::string term = FindLayout::NameTerm(TermsOf(name));
                if (!term.empty())
                    document.add_term(term);
            }
        }
        return document;
    }
    // How many distinct texts hold each word: the frequency the speller ranks corrections by.
    const QHash<QString, int>& SpellingWords() const { return FSpelling; }

private:
    TFindIndex::TImpl FWords; // its stemmer and stem cache, for this thread alone
    std::unordered_map<QString, TTextTerms> FTexts;
    QHash<QString, int> FSpelling;

    const TTextTerms& TermsOf(const QString& AText) {
        const auto found = FTexts.find(AText);
        if (found != FTexts.end())
            return found->second;
        TTextTerms terms;
        for (const QString& word : FindKeyWords(AText)) {
            terms.push_back(FWords.StemOf(word));
            if (word.size() > 2 && !word[0].isDigit())
                ++FSpelling[word];
        }
        return FTexts.emplace(AText, std::move(terms)).first->second;
    }
};

// Hands documents from the maker's thread to the writing one, a bounded number at a time.
class TDocumentQueue {
public:
    void Push(Xapian::Document ADocument) {
        std::unique_lock<std::mutex> lock(FLock);
        FRoom.wait(lock, [this] { return FDocuments.size() < kCapacity || FAbandoned; });
        FDocuments.push_back(std::move(ADocument));
        FReady.notify_one();
    }
    // False once the maker has finished and everything was taken.
    bool Pop(Xapian::Document& ADocument) {
        std::unique_lock<std::mutex> lock(FLock);
        FReady.wait(lock, [this] { return !FDocuments.empty() || FFinished; });
        if (FDocuments.empty())
            return false;
        ADocument = std::move(FDocuments.front());
        FDocuments.pop_front();
        FRoom.notify_one();
        return true;
    }
    void Finish() {
        const std::lock_guard<std::mutex> lock(FLock);
        FFinished = true;
        FReady.notify_all();
    }
    // The writer gave up (an error): the maker must not wait for room any more.
    void Abandon() {
        const std::lock_guard<std::mutex> lock(FLock);
        FAbandoned = true;
        FDocuments.clear();
        FRoom.notify_all();
    }
    bool Abandoned() {
        const std::lock_guard<std::mutex> lock(FLock);
        return FAbandoned;
    }

private:
    static constexpr std::size_t kCapacity = 4096;
    std::mutex FLock;
    std::condition_variable FReady, FRoom;
    std::deque<Xapian::Document> FDocuments;
    bool FFinished = false;
    bool FAbandoned = false;
};

void WriteDocuments(Xapian::WritableDatabase& ADatabase, const std::vector<TFindDocument>& ADocuments) {
    TDocumentMaker maker;
    TDocumentQueue queue;
    std::thread making([&] {
        for (const TFindDocument& source : ADocuments) {
            if (queue.Abandoned())
                break;
            queue.Push(maker.Make(source));
        }
        queue.Finish();
    });
    try {
        Xapian::Document document;
        while (queue.Pop(document))
            ADatabase.add_document(document);
    } catch (...) {
        queue.Abandon();
        making.join();
        throw;
    }
    making.join();
    try {
        const QHash<QString, int>& spelling = maker.SpellingWords();
        for (auto it = spelling.cbegin(); it != spelling.cend(); ++it)
            ADatabase.add_spelling(it.key().toStdString(), static_cast<Xapian::termcount>(it.value()));
    } catch (const Xapian::UnimplementedError&) {
        // Xapian's own memory backend keeps no spelling table: no corrections then.
    }
}
} // namespace

TFindIndex::TFindIndex(std::unique_ptr<TImpl> AImpl) : FImpl(std::move(AImpl)) {}
TFindIndex::~TFindIndex() = default;

bool TFindIndex::WriteFolder(const std::vector<TFindDocument>& ADocuments, const QString& AFolder,
                             const QString& AKey, QString& AError) {
    try {
        Xapian::WritableDatabase database(QDir::toNativeSeparators(AFolder).toStdString(),
                                          Xapian::DB_CREATE | Xapian::DB_BACKEND_GLASS | Xapian::DB_NO_TERMLIST |
                                              Xapian::DB_NO_SYNC);
        database.begin_transaction(false);
        WriteDocuments(database, ADocuments);
        database.set_metadata(FindLayout::KeyMetadata, AKey.toStdString());
        database.set_metadata(FindLayout::CountMetadata, std::to_string(ADocuments.size()));
        database.commit_transaction();
        database.close();
        return true;
    } catch (const Xapian::Error& error) {
        AError = QString::fromStdString(error.get_description());
    } catch (const std::exception& error) {
        AError = QString::fromLocal8Bit(error.what());
    }
    return false;
}

std::unique_ptr<TFindIndex> TFindIndex::BuildInMemory(const std::vector<TFindDocument>& ADocuments) {
    auto impl = std::make_unique<TImpl>();
    impl->InMemory = true;
    // A private folder on the memory file system (else the temporary folder), removed with the
    // index, keeps everything an index on disk has, the spelling table included.
    for (const QString& base : {QStringLiteral("/dev/shm"), QDir::tempPath()}) {
        auto folder = std::make_unique<QTemporaryDir>(base + QStringLiteral("/tabulon-find-XXXXXX"));
        if (!folder->isValid())
            continue;
        const QString path = folder->filePath(QStringLiteral("index"));
        QString error;
        if (!WriteFolder(ADocuments, path, QString(), error))
            continue;
        try {
            impl->Database = Xapian::Database(path.toStdString(), Xapian::DB_BACKEND_GLASS);
            impl->TemporaryFolder = std::move(folder);
            return std::unique_ptr<TFindIndex>(new TFindIndex(std::move(impl)));
        } catch (const Xapian::Error&) {
        }
    }
    Xapian::WritableDatabase database(std::string(), Xapian::DB_BACKEND_INMEMORY);
    WriteDocuments(database, ADocuments);
    database.commit();
    impl->Database = database;
    return std::unique_ptr<TFindIndex>(new TFindIndex(std::move(impl)));
}

std::unique_ptr<TFindIndex> TFindIndex::OpenFolder(const QString& AFolder, const QString& AKey,
                                                   QString& AError) {
    try {
        auto impl = std::make_unique<TImpl>();
        impl->Database = Xapian::Database(QDir::toNativeSeparators(AFolder).toStdString(),
                                          Xapian::DB_BACKEND_GLASS);
        const Xapian::Database& database = impl->Database;
        if (database.get_metadata(FindLayout::KeyMetadata) != AKey.toStdString()) {
            AError = QStringLiteral("the index was made from other data");
            return nullptr;
        }
        const std::string count = database.get_metadata(FindLayout::CountMetadata);
        if (count.empty() || std::to_string(database.get_doccount()) != count) {
            AError = QStringLiteral("the index is incomplete");
            return nullptr;
        }
        // Read the last document and a posting list through, so that a damaged file shows now
        // and not at the first search.
        if (database.get_doccount() > 0) {
            (void)database.get_document(database.get_lastdocid()).get_data();
            Xapian::Enquire probe(database);
            probe.set_query(Xapian::Query(FindLayout::CodePrefix + std::string("A00")));
            (void)probe.get_mset(0, 1);
            (void)database.get_spelling_suggestion("diabetis");
        }
        return std::unique_ptr<TFindIndex>(new TFindIndex(std::move(impl)));
    } catch (const Xapian::Error& error) {
        AError = QString::fromStdString(error.get_description());
    } catch (const std::exception& error) {
        AError = QString::fromLocal8Bit(error.what());
    }
    return nullptr;
}

int TFindIndex::DocumentCount() const { return static_cast<int>(FImpl->Database.get_doccount()); }
bool TFindIndex::InMemory() const { return FImpl->InMemory; }
