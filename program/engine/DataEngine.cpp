#include "DataEngine.h"

#include "Accounts.h"
#include "DataSets.h"
#include "EmbeddedResources.h"
#include "EngineGlobals.h"
#include "Folders.h"
#include "StorageMessages.h"

#include <stdexcept>

namespace {
QString DataFolder(const char* AVariable, const char* AXdgVariable, const char* AXdgDefault) {
    return EnvironmentFolder(AVariable, AXdgVariable, AXdgDefault) +
           QStringLiteral("/Orvella Tabulon ") + ProgramDataYear + QLatin1Char('/');
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
    PrepareDataEngine();
    StartBuildThreads();
}

void PrepareDataEngine() {
    WaitForLoaders(); // a second start-up in one process first lets the earlier loaders end
    ProgramFolder = ExecutableFolder();
    SharedDataFolder = DataFolder("ProgramData", "XDG_DATA_HOME", ".local/share");
    UserDataFolder = DataFolder("AppData", "XDG_CONFIG_HOME", ".config");
    // Every folder level is made, as a fresh account may lack even ~/.local/share or ~/.config;
    // a folder that cannot be made is said once, and the writes into it fail where they happen.
    ForgetReportedStorageFailures();
    const struct {
        const QString& Folder;
        const char* Loses;
    } folders[] = {{SharedDataFolder, "user accounts cannot be kept"},
                   {UserDataFolder, "settings and the search history will not be saved"}};
    for (const auto& f : folders) {
        QString error;
        if (!CreateFolderPath(f.Folder, &error))
            ReportStorageFailure(f.Folder, QStringLiteral("The folder %1 cannot be created (%2): %3.")
                                               .arg(f.Folder, error, QLatin1String(f.Loses)));
    }

    CreateGlobalContainers();
    // Every data set counts as loading from start-up on, not only once its thread has begun:
    // a window opened before the thread is scheduled then waits instead of reading an empty
    // container.
    for (TLoadState* state : {&TabularLoadState, &DiseaseIndexLoadState, &ExternalIndexLoadState,
                              &DrugTableLoadState, &NeoplasmTableLoadState, &KeywordLoadState,
                              &ShortDescLoadState})
        WriteState(*state, LoadRunning);

    OpenEmbeddedDataSets();
    LoadAccountList();
}

