// Start-up and shutdown of the data engine.
#pragma once

#include "BuildThread.h"
#include "LoadState.h"

#include <memory>
#include <vector>

// Fixes the folders, creates every container, opens the eight data sets of the edition in use
// (Edition.h: the embedded ones unless an edition file was chosen) and starts the six loader
// threads, which run while the caller goes on. Throws std::runtime_error when a data set is
// missing from the executable. The same as PrepareDataEngine followed by StartBuildThreads.
void InitDataEngine();

// Every step of InitDataEngine but starting the loader threads: every data set already counts
// as loading, so that a reader waits for it, and the account list is read. The program shows its
// main window between the two steps, so that the loaders do not compete with drawing it; nothing
// may wait for a data set before StartBuildThreads has been called.
void PrepareDataEngine();

// Asks the XML loaders that are still loading to stop (LoadRunning becomes LoadStopRequested).
// Does not wait.
void StopLoaders();

// Starts the six loader threads, jobs 0..5, each running at once (the last step of start-up).
void StartBuildThreads();

// Adds a loader job started after start-up (jobs 6 and up) to the loader threads, so that
// WaitForLoaders waits for it too; StopLoaders also stops AState when it is loading. Call it on
// the thread that started the engine.
void AddBuildThread(std::unique_ptr<TBuildThread> AThread, TLoadState* AState);

// The loader threads of the last InitDataEngine, in job order (never destroyed by the program).
const std::vector<std::unique_ptr<TBuildThread>>& BuildThreads();

// Waits until every loader thread has ended (the command-line tool and tests use it).
void WaitForLoaders();
