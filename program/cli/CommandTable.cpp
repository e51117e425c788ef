#include "CommandTable.h"

const TCommand* FindCommand(const TCommandTable& ATable, const QString& AName) {
    for (const TCommand& command : ATable)
        if (command.Name && AName == QLatin1String(command.Name))
            return &command;
    return nullptr;
}

QString UsageOf(const TCommandTable& ATable) {
    QString text;
    for (const TCommand& command : ATable)
        text += QLatin1String(command.Usage);
    return text;
}

QStringList NamesOf(const TCommandTable& ATable) {
    QStringList names;
    for (const TCommand& command : ATable)
        if (command.Name)
            names << QLatin1String(command.Name);
    return names;
}
