#include "FuzzSupport.h"

#include "CodeQueries.h"
#include "DataSets.h"
#include "EmbeddedResources.h"
#include "EngineGlobals.h"
#include "IndexLoader.h"
#include "LoaderMessages.h"
#include "TabularCounts.h"
#include "TabularLoader.h"

#include <QDir>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <unistd.h>
#include <vector>

// The fuzz targets carry no data sets; start-up code that looks for them finds none.
std::span<const TEmbeddedResource> EmbeddedResources() { return {}; }

void FuzzFail(const char* AWhat, const QString& ADetail) {
    std::fprintf(stderr, "invariant broken: %s %s\n", AWhat, ADetail.toUtf8().constData());
    std::abort();
}

void FuzzQuiet() {
    static const bool done = [] {
        SetLoaderMessageSink([](const QString&) {});
        CreateGlobalContainers();
        return true;
    }();
    (void)done;
}

QByteArray FuzzBytes(const std::uint8_t* AData, std::size_t ASize) {
    return QByteArray(reinterpret_cast<const char*>(AData), static_cast<qsizetype>(ASize));
}

QString FuzzScratchFolder() {
    static const QString folder = [] {
        const char* shm = "/dev/shm";
        QString base = QDir(QString::fromLatin1(shm)).exists() ? QString::fromLatin1(shm) : QDir::tempPath();
        QString path = base + QStringLiteral("/tabulon-fuzz-%1/").arg(getpid());
        QDir().mkpath(path);
        return path;
    }();
    return folder;
}

namespace {
std::vector<std::uint8_t> VectorOf(const QByteArray& ABytes) {
    return std::vector<std::uint8_t>(ABytes.begin(), ABytes.end());
}

TLoadState& IndexState(int AType) {
    switch (AType) {
    case 1: return DiseaseIndexLoadState;
    case 2: return ExternalIndexLoadState;
    case 3: return DrugTableLoadState;
    default: return NeoplasmTableLoadState;
    }
}

TDataSet IndexDataSet(int AType) {
    switch (AType) {
    case 1: return TDataSet::DIndex;
    case 2: return TDataSet::EIndex;
    case 3: return TDataSet::TableOfDrugs;
    default: return TDataSet::TableOfNeoplasms;
    }
}

void CheckCode(const TCodeInfo& ACode, const TSubChapter& ASection, const TCodeInfo* AParent, int ALevel) {
    FUZZ_CHECK(ACode.FSubChapter == &ASection, ACode.FCode);
    FUZZ_CHECK(ACode.FParent == AParent, ACode.FCode);
    FUZZ_CHECK(ACode.FLevel == ALevel, ACode.FCode);
    int lines = 1;
    for (const auto& sub : ACode.FSubCodeList) {
        CheckCode(*sub, ASection, &ACode, ALevel + 1);
        lines += sub->GetTextLines();
    }
    FUZZ_CHECK(ACode.GetTextLines() >= lines, ACode.FCode);
    (void)ACode.Get7CharDef();
    (void)ACode.IsFinalCode();
    QStringList codes, descriptions, nodes, flags, nodeDescriptions;
    ACode.GetAllValideCodes(codes, descriptions);
    FUZZ_CHECK(codes.size() == descriptions.size(), ACode.FCode);
    ACode.GetAllNodeAndCodes(nodes, flags, nodeDescriptions);
    FUZZ_CHECK(nodes.size() == flags.size() && nodes.size() == nodeDescriptions.size(), ACode.FCode);
    // Every node is listed once as a node, and every reportable code once more as a code.
    FUZZ_CHECK(flags.count(QStringLiteral("1")) >= codes.size(), ACode.FCode);
}

void CheckTerm(const TTerm& ATerm, TTerm::TParent AParent, int ALevel) {
    FUZZ_CHECK(ATerm.FParent == AParent, ATerm.FTitle);
    FUZZ_CHECK(ATerm.FLevel == ALevel, ATerm.FTitle);
    int lines = 1;
    for (const auto& sub : ATerm.FSubTermList) {
        CheckTerm(*sub, const_cast<TTerm*>(&ATerm), ALevel + 1);
        lines += sub->GetTextLines();
    }
    FUZZ_CHECK(ATerm.GetTextLines() == lines, ATerm.FTitle);
    const QString full = ATerm.GetFullTitle(true);
    FUZZ_CHECK(full.startsWith(ATerm.FTitle), ATerm.FTitle);
}
} // namespace

int FuzzLoadTabular(const QByteArray& ADocument) {
    FuzzQuiet();
    PutResourceStream(TDataSet::Tabular, TResourceStream::Uncompressed(VectorOf(ADocument)));
    WriteState(TabularLoadState, LoadNotStarted);
    LoadTabular();
    return ReadState(TabularLoadState);
}

int FuzzLoadIndex(int AType, const QByteArray& ADocument) {
    FuzzQuiet();
    PutResourceStream(IndexDataSet(AType), TResourceStream::Uncompressed(VectorOf(ADocument)));
    WriteState(IndexState(AType), LoadNotStarted);
    LoadIndex(AType);
    return ReadState(IndexState(AType));
}

void CheckTabularInvariants() {
    int categories = 0;
    for (const auto& chapter : *ChapterList) {
        FUZZ_CHECK(chapter->GetTextLines() >= 0);
        for (const auto& section : chapter->FSubList) {
            FUZZ_CHECK(section->FChapter == chapter.get(), section->FInfo.FName);
            FUZZ_CHECK(section->GetTextLines() >= 0);
            for (const auto& category : section->FCodeList) {
                CheckCode(*category, *section, nullptr, 0);
                ++categories;
            }
        }
    }
    const TTabularCounts counts = CountTabular(*ChapterList);
    FUZZ_CHECK(counts.Chapters == static_cast<int>(ChapterList->size()));
    FUZZ_CHECK(counts.Categories == categories);
    FUZZ_CHECK(counts.Codes >= counts.Categories);
    // The category index finds a category of every well-formed category code that the list holds.
    for (const auto& chapter : *ChapterList)
        for (const auto& section : chapter->FSubList)
            for (const auto& category : section->FCodeList) {
                QString head, sub;
                if (!SplitCode(category->FCode, head, sub) || !sub.isEmpty())
                    continue;
                const TCodeInfo* found = FindCategory(category->FCode);
                FUZZ_CHECK(found && found->FCode == category->FCode, category->FCode);
            }
}

void CheckIndexInvariants(const TOwningList<TAlphaLetter>& AList) {
    for (const auto& letter : AList)
        for (const auto& term : letter->FMainTermList)
            CheckTerm(*term, letter.get(), 0);
}

const char* const FuzzSampleTabular = R"(<?xml version="1.0" encoding="utf-8"?>
<ICD10CM.tabular>
  <version>2023</version>
  <chapter>
    <name>1</name>
    <desc>Made-up diseases (A00-B99)</desc>
    <section id="A00-A09">
      <desc>Made-up section (A00-A09)</desc>
      <diag>
        <name>A00</name>
        <desc>First category</desc>
        <diag><name>A00.0</name><desc>First leaf</desc></diag>
        <diag><name>A00.9</name><desc>Second leaf</desc></diag>
      </diag>
      <diag>
        <name>A01</name>
        <desc>Second category</desc>
        <diag>
          <name>A01.0</name>
          <desc>Header</desc>
          <diag><name>A01.00</name><desc>Deep leaf</desc></diag>
          <diag><name>A01.01</name><desc>Other deep leaf</desc></diag>
        </diag>
      </diag>
    </section>
    <section id="B00-B09">
      <desc>Second made-up section (B00-B09)</desc>
      <diag>
        <name>B05</name>
        <desc>Category with seventh characters</desc>
        <sevenChrDef>
          <extension char="A">initial encounter</extension>
          <extension char="D" exception="6:7">subsequent encounter</extension>
          <extension char="S">sequela</extension>
        </sevenChrDef>
        <diag>
          <name>B05.0</name>
          <desc>Header of leaves</desc>
          <diag><name>B05.0X1</name><desc>Leaf one</desc></diag>
          <diag><name>B05.0X7</name><desc>Leaf seven</desc></diag>
        </diag>
        <diag><name>B05.9</name><desc>Short leaf</desc></diag>
      </diag>
    </section>
  </chapter>
</ICD10CM.tabular>
)";
