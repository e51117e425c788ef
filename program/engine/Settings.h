// The three settings of section Config. Every read and write swallows its errors: a failed
// read keeps the values already held, a failed write is lost for good.
#pragma once

// IsAdmin from ProgramFolder + "config.ini" (default 0).
void ReadProgramSettings();
// FullScreen and ScrollBar from UserDataFolder + "config.ini" (default 0 each).
void ReadUserSettings();
// Writes FullScreen, then ScrollBar, into UserDataFolder + "config.ini", creating the file.
void WriteUserSettings();
