// tabulon-cli show: the text the code viewer composes for a chapter, a section or a category,
// page by page with each line's kind, so a layout can be read and diffed without a display.
#pragma once

#include <QStringList>
#include <QTextStream>

int RunShowCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr);

extern const char* const kShowUsage;
