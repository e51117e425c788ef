#include "EmbeddedResources.h"

const TEmbeddedResource* FindEmbeddedResource(const QString& AName) {
    for (const TEmbeddedResource& resource : EmbeddedResources())
        if (AName.compare(QLatin1String(resource.Name), Qt::CaseInsensitive) == 0)
            return &resource;
    return nullptr;
}
