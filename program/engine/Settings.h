// The three settings of section Config. A failed read keeps the values already held, silently;
// a failed write (a folder that cannot be made, a full disk) is reported through the storage
// messages (StorageMessages.h) and leaves the old file as it was.
#pragma once

// IsAdmin from ProgramFolder + "config.ini" (default 0).
void ReadProgramSettings();
// FullScreen and ScrollBar from UserDataFolder + "config.ini" (default 0 each).
void ReadUserSettings();
// Writes FullScreen, then ScrollBar, into UserDataFolder + "config.ini", creating the file and
// its folder path. Returns whether both were written.
bool WriteUserSettings();
