#include "Settings.h"

#include "EngineGlobals.h"
#include "IniProfile.h"
#include "StorageMessages.h"

namespace {
const QString kSection = QStringLiteral("Config");
QString ConfigFile(const QString& AFolder) { return AFolder + QStringLiteral("config.ini"); }
} // namespace

void ReadProgramSettings() {
    IsAdmin = ReadProfileInt(ConfigFile(ProgramFolder), kSection, QStringLiteral("IsAdmin"), 0);
}

void ReadUserSettings() {
    const QString file = ConfigFile(UserDataFolder);
    FullScreen = ReadProfileInt(file, kSection, QStringLiteral("FullScreen"), 0);
    ScrollBar = ReadProfileInt(file, kSection, QStringLiteral("ScrollBar"), 0);
}

bool WriteUserSettings() {
    const QString file = ConfigFile(UserDataFolder);
    const QString what = QStringLiteral("The settings");
    if (!PrepareFolderOfFile(file, what))
        return false;
    QString error;
    if (WriteProfileString(file, kSection, QStringLiteral("FullScreen"), QString::number(FullScreen), &error) &&
        WriteProfileString(file, kSection, QStringLiteral("ScrollBar"), QString::number(ScrollBar), &error))
        return true;
    ReportStorageFailure(file, QStringLiteral("%1 could not be saved to %2: %3.").arg(what, file, error));
    return false;
}
