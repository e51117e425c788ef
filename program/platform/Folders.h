// Where the program's folders are on this system.
#pragma once

#include <QString>

// Folder of the running executable, with a trailing "/".
QString ExecutableFolder();

// The base folder named by the environment variable AVariable when it is set and not empty;
// otherwise the XDG folder AXdgVariable, or $HOME/AXdgDefault when that is unset too. No
// trailing "/".
QString EnvironmentFolder(const char* AVariable, const char* AXdgVariable, const char* AXdgDefault);

// Creates one folder level; any failure (also "already exists") is ignored.
void CreateFolderQuietly(const QString& AFolder);
