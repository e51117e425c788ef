// The exit statuses of tabulon-cli and tabulon-dataprep. Scripts test them, so the numbers never
// change.
#pragma once

enum : int {
    ExitFound = 0,    // success, or everything asked for was found
    ExitNotFound = 1, // nothing found, something not reportable, a data set failed to load, or
                      // an operation failed part-way
    ExitUsage = 2,    // bad arguments, unreadable input file
};
