// The edition in use: where the engine's data sets come from. By default the edition embedded in
// the program; an edition file (EditionFile.h) takes its place when chosen before start-up.
// FindEmbeddedResource returns the data sets of the edition in use, DataYear is its year, and
// the find index is keyed by its bytes, so everything that reads the classification follows it.
//
// Choose the edition before InitDataEngine and not while loaders run: start-up hands the chosen
// bytes to the loaders, and they are never freed (a loader may still read them at exit).
#pragma once

#include "EditionFile.h"
#include "EmbeddedResources.h"

#include <QString>

#include <span>

// The facts of the edition in use.
const TEditionFacts& CurrentEditionFacts();

// The edition file in use; empty while the embedded edition is.
QString CurrentEditionFile();

// The facts of the edition the program carries.
TEditionFacts EmbeddedEditionFacts();

// Uses the edition file APath from now on. When it is refused (unreadable, not an edition file,
// truncated, damaged, of another format version) the embedded edition is used instead and
// AError names the file and the reason; returns false.
bool UseEditionFile(const QString& APath, QString& AError);

// Uses the embedded edition from now on.
void UseEmbeddedEdition();

// The data sets of the edition in use (FindEmbeddedResource searches these).
std::span<const TEmbeddedResource> ResourcesInUse();
