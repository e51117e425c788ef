#include "DataEngine.h"

#include "Accounts.h"
#include "DataSets.h"
#include "EmbeddedResources.h"
#include "EngineGlobals.h"
#include "Folders.h"

#include <stdexcept>

namespace {
QString DataFolder(const char* AVariable, const char* AXdgVariable, const char* AXdgDefault) {
    return EnvironmentFolder(AVariable, AXdgVariable, AXdgDefault) +
           QStringLiteral("/Orvella Tabulon ") + DataYear + QLatin1Char('/');
}

void OpenEmbeddedDataSets() {
    for (const TDataSetInfo& info : DataSetTable()) {
        const TEmbeddedResource* resource = FindEmbeddedResource(QLatin1String(info.ResourceName));
        if (!resource)
            throw std::runtime_error(std::string("data set missing from the executable: ") +
                                     info.ResourceName);
        PutResourceStream(info.Id, std::make_unique<TResourceStream>(resource->Bytes()));
    }
}
} // namespace

void InitDataEngine() {
    WaitForLoaders(); // a second start-up in one process first lets the earlier loaders end
    ProgramFolder = ExecutableFolder();
    SharedDataFolder = DataFolder("ProgramData", "XDG_DATA_HOME", ".local/share");
    UserDataFolder = DataFolder("AppData", "XDG_CONFIG_HOME", ".config");
    CreateFolderQuietly(SharedDataFolder);
    CreateFolderQuietly(UserDataFolder);

    CreateGlobalContainers();
    // Every data set counts as loading from start-up on, not only once its thread has begun:
    // a window opened before the thread is scheduled then waits instead of reading an empty
    // container.
    for (TLoadState* state : {&TabularLoadState, &DiseaseIndexLoadState, &ExternalIndexLoadState,
                              &DrugTableLoadState, &NeoplasmTableLoadState, &KeywordLoadState,
                              &ShortDescLoadState})
        WriteState(*state, LoadRunning);

    OpenEmbeddedDataSets();
    StartBuildThreads();

    LoadAccountList();
}

