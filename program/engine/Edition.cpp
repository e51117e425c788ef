#include "Edition.h"

#include "BuildConfig.h"
#include "EngineGlobals.h"

#include <memory>
#include <vector>

namespace {

struct TLoadedEdition {
    QString File;
    TEditionContents Contents;
    std::vector<TEmbeddedResource> Table;
};

// Every edition file chosen in this process stays in memory to its end: start-up's streams are
// views of these bytes, and a loader of an earlier start may still be reading them.
std::vector<std::unique_ptr<TLoadedEdition>>& Loaded() {
    static auto* editions = new std::vector<std::unique_ptr<TLoadedEdition>>();
    return *editions;
}

const TLoadedEdition* gCurrent = nullptr;

TEditionFacts& EmbeddedFacts() {
    static auto* facts = new TEditionFacts{QStringLiteral(TABULON_DATA_YEAR),
                                           DefaultEffectiveDate(QStringLiteral(TABULON_DATA_YEAR)),
                                           {},
                                           QStringLiteral("the build")};
    return *facts;
}

} // namespace

const TEditionFacts& CurrentEditionFacts() {
    return gCurrent ? gCurrent->Contents.Facts : EmbeddedFacts();
}

QString CurrentEditionFile() { return gCurrent ? gCurrent->File : QString(); }

TEditionFacts EmbeddedEditionFacts() { return EmbeddedFacts(); }

bool UseEditionFile(const QString& APath, QString& AError) {
    std::optional<TEditionContents> contents = LoadEditionFile(APath, AError);
    if (!contents) {
        UseEmbeddedEdition();
        return false;
    }
    auto edition = std::make_unique<TLoadedEdition>();
    edition->File = APath;
    edition->Contents = std::move(*contents);
    for (const TDataSetInfo& info : DataSetTable()) {
        const auto& stream = edition->Contents.DataSets[static_cast<int>(info.Id)];
        edition->Table.push_back({info.ResourceName, stream.data(), stream.data() + stream.size()});
    }
    gCurrent = edition.get();
    Loaded().push_back(std::move(edition));
    DataYear = gCurrent->Contents.Facts.Year;
    return true;
}

void UseEmbeddedEdition() {
    gCurrent = nullptr;
    DataYear = EmbeddedFacts().Year;
}

std::span<const TEmbeddedResource> ResourcesInUse() {
    return gCurrent ? std::span<const TEmbeddedResource>(gCurrent->Table) : EmbeddedResources();
}
