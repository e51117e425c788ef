#include "Folders.h"

#include <QDir>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

QString ExecutableFolder() {
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    QString folder = QFileInfo(self.symLinkTarget()).absolutePath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

namespace {
QString WithoutTrailingSlash(QString AFolder) {
    while (AFolder.size() > 1 && AFolder.endsWith(QLatin1Char('/')))
        AFolder.chop(1);
    return AFolder;
}
} // namespace

QString XdgFolder(const char* AXdgVariable, const char* AXdgDefault) {
    const QString value = qEnvironmentVariable(AXdgVariable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return WithoutTrailingSlash(value);
    return WithoutTrailingSlash(QDir::homePath() + QLatin1Char('/') + QString::fromLatin1(AXdgDefault));
}

QString EnvironmentFolder(const char* AVariable, const char* AXdgVariable, const char* AXdgDefault) {
    const QString value = qEnvironmentVariable(AVariable);
    return value.isEmpty() ? XdgFolder(AXdgVariable, AXdgDefault) : WithoutTrailingSlash(value);
}

bool CreateFolderPath(const QString& AFolder, QString* AError) {
    std::error_code error;
    const std::filesystem::path path(AFolder.toStdString());
    std::filesystem::create_directories(path, error);
    if (!error && std::filesystem::is_directory(path, error))
        return true;
    if (AError)
        *AError = error ? QString::fromLocal8Bit(error.message().c_str())
                        : QStringLiteral("a file is in the way");
    return false;
}

QString FolderOfFile(const QString& AFile) {
    const qsizetype slash = AFile.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : AFile.left(slash + 1);
}
