#include "EmbeddedResources.h"

#include "Edition.h"

const TEmbeddedResource* FindEmbeddedResource(const QString& AName) {
    for (const TEmbeddedResource& resource : ResourcesInUse())
        if (AName.compare(QLatin1String(resource.Name), Qt::CaseInsensitive) == 0)
            return &resource;
    return nullptr;
}
