// Where the program's folders are on this system.
#pragma once

#include <QString>

// Folder of the running executable, with a trailing "/".
QString ExecutableFolder();

// The XDG base folder named by AXdgVariable when it holds an absolute path (a relative one is
// ignored, as the XDG rules say), else $HOME/AXdgDefault. No trailing "/".
QString XdgFolder(const char* AXdgVariable, const char* AXdgDefault);

// The base folder named by the environment variable AVariable when it is set and not empty;
// otherwise XdgFolder(AXdgVariable, AXdgDefault). No trailing "/".
QString EnvironmentFolder(const char* AVariable, const char* AXdgVariable, const char* AXdgDefault);

// Creates AFolder with every missing folder above it. True when the folder exists afterwards;
// otherwise false with the reason in AError (a file in the way, no permission).
bool CreateFolderPath(const QString& AFolder, QString* AError = nullptr);

// The folder part of a file path, with a trailing "/".
QString FolderOfFile(const QString& AFile);
