// What the tabulon-cli commands share: starting the engine for the data sets a command needs,
// the error prefix, code-text normalisation and option parsing.
#pragma once

#include "ExitStatus.h"
#include "LoadState.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <initializer_list>


// Every message on the error stream starts with this.
inline constexpr const char* kCliPrefix = "tabulon-cli: ";

// The loader jobs a command can wait for (the numbering of the loader threads).
enum class TLoaderJob : int { Tabular = 0, DiseaseIndex = 1, ExternalIndex = 2, Drugs = 3, Neoplasms = 4, Text = 5 };

// Starts the engine on the embedded data sets and waits until the given loader jobs have ended;
// the other loaders go on in the background (the process ends them at exit).
void StartEngineFor(std::initializer_list<TLoaderJob> AJobs);

// True when AState ended loaded; otherwise writes "<prefix>the <AName> failed to load" to AErr.
bool RequireLoaded(const TLoadState& AState, const char* AName, QTextStream& AErr);

// A code as users type it, in the form the tabular list writes it: blanks trimmed, upper case,
// and the point put in after the category when it was left out (s060x1a -> S06.0X1A) and the
// text begins with a letter and a digit. Other text is returned trimmed and upper-cased.
QString NormalizeCodeText(const QString& AText);

// Upper-cases the ASCII letters a-z only; every other character stays as it is.
QString AsciiUpper(const QString& AText);

// Takes "--NAME N" (or "--NAME=N") out of AArgs. Returns false, with the reason in AError, when
// the option is there without a non-negative integer; AValue keeps its default when absent.
bool TakeCountOption(QStringList& AArgs, const QString& AName, int& AValue, QString& AError);
