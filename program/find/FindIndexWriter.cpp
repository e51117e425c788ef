// Writing the find index: the documents' texts become stemmed terms weighted by their field,
// their words feed the spelling table, and each code gets a boolean term for code queries.
#include "FindIndexImpl.h"

#include "FindText.h"
#include "Folders.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

#include <array>
#include <thread>
#include <unordered_map>

std::string TFindStemmer::StemOf(const QString& AWord) const {
    const auto found = FCache.constFind(AWord);
    if (found != FCache.constEnd())
        return *found;
    std::string stem = FStemmer(AWord.toStdString());
    FCache.insert(AWord, stem);
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
    TDocumentMaker() { FTexts.reserve(1 << 20); }

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
    TFindStemmer FWords; // for this thread alone
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

// Adds ADocuments[ABegin, AEnd) and the spelling table of their words to ADatabase.
void WriteDocuments(Xapian::WritableDatabase& ADatabase, const std::vector<TFindDocument>& ADocuments,
                    std::size_t ABegin, std::size_t AEnd) {
    TDocumentMaker maker;
    for (std::size_t i = ABegin; i < AEnd; ++i)
        ADatabase.add_document(maker.Make(ADocuments[i]));
    try {
        const QHash<QString, int>& spelling = maker.SpellingWords();
        for (auto it = spelling.cbegin(); it != spelling.cend(); ++it)
            ADatabase.add_spelling(it.key().toStdString(), static_cast<Xapian::termcount>(it.value()));
    } catch (const Xapian::UnimplementedError&) {
        // Xapian's own memory backend keeps no spelling table: no corrections then.
    }
}

std::string ShardPath(const QString& AFolder, int AShard) {
    return QDir::toNativeSeparators(AFolder + QStringLiteral("/part%1").arg(AShard)).toStdString();
}

// The parts of an index folder searched as one database (ranking statistics, spelling and
// metadata of the first part included).
Xapian::Database OpenShards(const QString& AFolder) {
    Xapian::Database database(ShardPath(AFolder, 0), Xapian::DB_BACKEND_GLASS);
    for (int shard = 1; shard < FindLayout::Shards; ++shard)
        database.add_database(Xapian::Database(ShardPath(AFolder, shard), Xapian::DB_BACKEND_GLASS));
    return database;
}

// Writes one part of the index: a database of its own, stamped (the first part) with the key.
void WriteShard(const std::vector<TFindDocument>& ADocuments, const QString& AFolder, int AShard,
                const QString& AKey, QString& AError) {
    try {
        const std::size_t n = ADocuments.size();
        const std::size_t begin = n * static_cast<std::size_t>(AShard) / FindLayout::Shards;
        const std::size_t end = n * static_cast<std::size_t>(AShard + 1) / FindLayout::Shards;
        Xapian::WritableDatabase database(ShardPath(AFolder, AShard),
                                          Xapian::DB_CREATE | Xapian::DB_BACKEND_GLASS |
                                              Xapian::DB_NO_TERMLIST | Xapian::DB_NO_SYNC);
        database.begin_transaction(false);
        WriteDocuments(database, ADocuments, begin, end);
        if (AShard == 0) {
            database.set_metadata(FindLayout::KeyMetadata, AKey.toStdString());
            database.set_metadata(FindLayout::CountMetadata, std::to_string(n));
        }
        database.commit_transaction();
        database.close();
    } catch (const Xapian::Error& error) {
        AError = QString::fromStdString(error.get_description());
    } catch (const std::exception& error) {
        AError = QString::fromLocal8Bit(error.what());
    }
}
} // namespace

TFindIndex::TFindIndex(std::unique_ptr<TImpl> AImpl) : FImpl(std::move(AImpl)) {}
TFindIndex::~TFindIndex() = default;

bool TFindIndex::WriteFolder(const std::vector<TFindDocument>& ADocuments, const QString& AFolder,
                             const QString& AKey, QString& AError) {
    if (QFileInfo::exists(AFolder)) {
        AError = QStringLiteral("%1 exists already").arg(AFolder);
        return false;
    }
    if (!CreateFolderPath(AFolder, &AError))
        return false;
    // The parts are written at once, one a core: Xapian takes documents one at a time.
    std::array<QString, FindLayout::Shards> errors;
    std::vector<std::thread> writers;
    for (int shard = 1; shard < FindLayout::Shards; ++shard)
        writers.emplace_back([&, shard] { WriteShard(ADocuments, AFolder, shard, AKey, errors[shard]); });
    WriteShard(ADocuments, AFolder, 0, AKey, errors[0]);
    for (std::thread& writer : writers)
        writer.join();
    for (const QString& error : errors)
        if (!error.isEmpty()) {
            AError = error;
            return false;
        }
    return true;
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
            impl->Database = OpenShards(path);
            impl->TemporaryFolder = std::move(folder);
            return std::unique_ptr<TFindIndex>(new TFindIndex(std::move(impl)));
        } catch (const Xapian::Error&) {
        }
    }
    Xapian::WritableDatabase database(std::string(), Xapian::DB_BACKEND_INMEMORY);
    WriteDocuments(database, ADocuments, 0, ADocuments.size());
    database.commit();
    impl->Database = database;
    return std::unique_ptr<TFindIndex>(new TFindIndex(std::move(impl)));
}

std::unique_ptr<TFindIndex> TFindIndex::OpenFolder(const QString& AFolder, const QString& AKey,
                                                   QString& AError) {
    try {
        auto impl = std::make_unique<TImpl>();
        impl->Database = OpenShards(AFolder);
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
