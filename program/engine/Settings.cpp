#include "Settings.h"

#include "EngineGlobals.h"
#include "IniProfile.h"

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

void WriteUserSettings() {
    const QString file = ConfigFile(UserDataFolder);
    if (WriteProfileString(file, kSection, QStringLiteral("FullScreen"), QString::number(FullScreen)))
        WriteProfileString(file, kSection, QStringLiteral("ScrollBar"), QString::number(ScrollBar));
}
