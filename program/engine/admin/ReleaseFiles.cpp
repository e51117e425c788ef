#include "ReleaseFiles.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <zip.h>

#include <memory>

namespace {

// Larger members are no release file; the bound keeps a damaged or hostile archive from
// exhausting memory.
constexpr zip_uint64_t kMaxMemberBytes = zip_uint64_t{1} << 30;

const QString kKindNames[ReleaseKindCount] = {
    QStringLiteral("tabular list"),      QStringLiteral("index to diseases"),
    QStringLiteral("external cause index"), QStringLiteral("table of drugs"),
    QStringLiteral("table of neoplasms"), QStringLiteral("order file")};

class TCollector {
public:
    explicit TCollector(TReleaseFiles& AOut) : FOut(AOut) {}

    void Add(const QString& ASource) {
        const QFileInfo info(ASource);
        if (info.isDir())
            AddFolder(ASource);
        else if (!info.exists())
            FOut.Problems << QStringLiteral("%1 does not exist").arg(ASource);
        else if (IsZip(ASource))
            AddArchive(ASource);
        else if (!ClassifyReleaseName(info.fileName()))
            FOut.Problems << QStringLiteral("%1 is neither a zip archive, a folder nor a release file")
                                 .arg(ASource);
        else
            AddPlainFile(ASource);
    }

private:
    static bool IsZip(const QString& APath) {
        QFile file(APath);
        return file.open(QIODevice::ReadOnly) && file.read(2) == QByteArrayLiteral("PK");
    }

    void AddFolder(const QString& AFolder) {
        QDirIterator it(AFolder, QDir::Files | QDir::Readable, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (ClassifyReleaseName(it.fileName()))
                AddPlainFile(path);
            else if (it.fileName().endsWith(QLatin1String(".zip"), Qt::CaseInsensitive))
                AddArchive(path);
        }
    }

    void AddPlainFile(const QString& APath) {
        QFile file(APath);
        if (!file.open(QIODevice::ReadOnly)) {
            FOut.Problems << QStringLiteral("%1 cannot be read: %2").arg(APath, file.errorString());
            return;
        }
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            FOut.Problems << QStringLiteral("%1 cannot be read: %2").arg(APath, file.errorString());
            return;
        }
        Take(QFileInfo(APath).fileName(), APath, bytes);
    }

    void AddArchive(const QString& APath) {
        int code = 0;
        const std::unique_ptr<zip_t, decltype(&zip_discard)> archive(
            zip_open(QFile::encodeName(APath).constData(), ZIP_RDONLY, &code), &zip_discard);
        if (!archive) {
            zip_error_t error;
            zip_error_init_with_code(&error, code);
            FOut.Problems << QStringLiteral("%1 cannot be opened as a zip archive: %2")
                                 .arg(APath, QString::fromUtf8(zip_error_strerror(&error)));
            zip_error_fini(&error);
            return;
        }
        const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
        for (zip_int64_t i = 0; i < count; ++i) {
            const auto index = static_cast<zip_uint64_t>(i);
            const QString member = QString::fromUtf8(zip_get_name(archive.get(), index, 0));
            const QString name = member.section(QLatin1Char('/'), -1);
            if (name.isEmpty() || !ClassifyReleaseName(name))
                continue;
            QByteArray bytes;
            if (ReadMember(archive.get(), index, bytes))
                Take(name, QStringLiteral("%1: %2").arg(APath, member), bytes);
            else
                FOut.Problems << QStringLiteral("%1: %2 cannot be read: %3")
                                     .arg(APath, member, QString::fromUtf8(zip_strerror(archive.get())));
        }
    }

    static bool ReadMember(zip_t* AArchive, zip_uint64_t AIndex, QByteArray& ABytes) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(AArchive, AIndex, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) ||
            stat.size > kMaxMemberBytes)
            return false;
        const std::unique_ptr<zip_file_t, decltype(&zip_fclose)> file(
            zip_fopen_index(AArchive, AIndex, 0), &zip_fclose);
        if (!file)
            return false;
        ABytes.resize(static_cast<qsizetype>(stat.size));
        zip_uint64_t done = 0;
        while (done < stat.size) {
            const zip_int64_t n = zip_fread(file.get(), ABytes.data() + done, stat.size - done);
            if (n <= 0)
                return false;
            done += static_cast<zip_uint64_t>(n);
        }
        // A member whose data fail their CRC is reported by libzip at the end of the data.
        char extra = 0;
        return zip_fread(file.get(), &extra, 1) == 0;
    }

    void Take(const QString& AName, const QString& AOrigin, const QByteArray& ABytes) {
        const std::optional<TReleaseName> release = ClassifyReleaseName(AName);
        std::optional<TReleaseFile>& slot = FOut.Files[static_cast<int>(release->Kind)];
        if (slot) {
            if (slot->Bytes != ABytes)
                FOut.Problems << QStringLiteral("two different %1s: %2 and %3")
                                     .arg(ReleaseKindName(release->Kind), slot->Origin, AOrigin);
            return;
        }
        slot = TReleaseFile{release->Kind, release->Year, AName, AOrigin, ABytes};
    }

    TReleaseFiles& FOut;
};

} // namespace

std::optional<TReleaseName> ClassifyReleaseName(const QString& AFileName) {
    static const QRegularExpression pattern(
        QStringLiteral("^icd10cm[-_](tabular|index|eindex|drug|neoplasm|order)[-_]"
                       "(?:(?:january|february|march|april|may|june|july|august|september|"
                       "october|november|december)[-_])?(\\d{4})\\.(xml|txt)$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(AFileName);
    if (!match.hasMatch())
        return std::nullopt;
    const QString part = match.captured(1).toLower();
    const bool text = match.captured(3).compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0;
    if ((part == QLatin1String("order")) != text)
        return std::nullopt;
    static const QStringList parts = {QStringLiteral("tabular"), QStringLiteral("index"),
                                      QStringLiteral("eindex"),  QStringLiteral("drug"),
                                      QStringLiteral("neoplasm"), QStringLiteral("order")};
    return TReleaseName{static_cast<TReleaseKind>(parts.indexOf(part)), match.captured(2)};
}

QString ReleaseKindName(TReleaseKind AKind) { return kKindNames[static_cast<int>(AKind)]; }

TReleaseFiles CollectReleaseFiles(const QStringList& ASources) {
    TReleaseFiles files;
    TCollector collector(files);
    for (const QString& source : ASources)
        collector.Add(source);
    return files;
}
