// Writing the find index: the documents' texts become stemmed terms weighted by their field,
// their words feed the spelling table, and each code gets a boolean term for code queries.
#include "FindIndexImpl.h"

#include "FindText.h"

#include <QDir>

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
void WriteDocuments(Xapian::WritableDatabase& ADatabase, const TFindIndex::TImpl& AWords,
                    const std::vector<TFindDocument>& ADocuments) {
    QHash<QString, int> spelling;
    for (const TFindDocument& source : ADocuments) {
        Xapian::Document document;
        document.set_data(FindLayout::DocumentData(source));
        document.add_value(FindLayout::GroupSlot, source.GroupKey.toStdString());
        document.add_value(FindLayout::CodeSlot, source.Code.toStdString());
        document.add_boolean_term(FindLayout::CodePrefix + CodeKeyOf(source.Code).toStdString());
        QSet<QString> seen;
        for (const TFindText& text : source.Texts)
            for (const QString& word : FindKeyWords(text.Text)) {
                document.add_term(AWords.StemOf(word), static_cast<Xapian::termcount>(text.Weight));
                if (!seen.contains(word)) {
                    seen.insert(word);
                    if (word.size() > 2 && !word[0].isDigit())
                        ++spelling[word];
                }
            }
        ADatabase.add_document(document);
    }
    try {
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
                                          Xapian::DB_CREATE | Xapian::DB_BACKEND_GLASS |
                                              Xapian::DB_NO_SYNC);
        TImpl words;
        database.begin_transaction(false);
        WriteDocuments(database, words, ADocuments);
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
    WriteDocuments(database, *impl, ADocuments);
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
