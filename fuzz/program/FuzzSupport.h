// What the program's fuzz targets share: silencing loader messages, a private scratch folder,
// loading a tabular list or index from bytes, and the model invariants the loaders must keep on
// whatever they built, even from a document they gave up on.
#pragma once

#include "IndexModel.h"
#include "TabularModel.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// A broken invariant: says which, and aborts so that libFuzzer keeps the input.
[[noreturn]] void FuzzFail(const char* AWhat, const QString& ADetail = {});
#define FUZZ_CHECK(ACondition, ...)                                                               \
    do {                                                                                          \
        if (!(ACondition))                                                                        \
            FuzzFail(#ACondition __VA_OPT__(, ) __VA_ARGS__);                                     \
    } while (0)

// Once per process: loader messages go nowhere (they would only slow the run down).
void FuzzQuiet();

QByteArray FuzzBytes(const std::uint8_t* AData, std::size_t ASize);

// A folder of this process for files the targets write, made once; ends with "/".
QString FuzzScratchFolder();

// Loads ADocument as the tabular list on the calling thread (LoadTabular from an uncompressed
// stream). Returns the final load state.
int FuzzLoadTabular(const QByteArray& ADocument);
// The same for the index data set AType (1..4).
int FuzzLoadIndex(int AType, const QByteArray& ADocument);

// Parent links, levels, line counts and the code lists of every node of ChapterList.
void CheckTabularInvariants();
// Parent links, levels, line counts and full titles of every term of AList.
void CheckIndexInvariants(const TOwningList<TAlphaLetter>& AList);

// A small hand-written tabular list with categories, sub-codes, seventh characters and an
// exception rule, for the targets that read codes against a loaded list.
extern const char* const FuzzSampleTabular;
