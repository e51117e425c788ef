#include "Folders.h"

#include <QDir>
#include <QFileInfo>

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

void CreateFolderQuietly(const QString& AFolder) { QDir().mkdir(AFolder); }
