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

QString EnvironmentFolder(const char* AVariable, const char* AXdgVariable, const char* AXdgDefault) {
    QString value = qEnvironmentVariable(AVariable);
    if (value.isEmpty())
        value = qEnvironmentVariable(AXdgVariable);
    if (value.isEmpty())
        value = QDir::homePath() + QLatin1Char('/') + QString::fromLatin1(AXdgDefault);
    while (value.size() > 1 && value.endsWith(QLatin1Char('/')))
        value.chop(1);
    return value;
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
