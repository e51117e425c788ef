// Deriving the seventh-character exception rules that the order file implies.
//
// The published tabular list gives each category's seventh characters but not the codes for
// which a character is not valid; the order file lists exactly the valid codes. For every
// seventh-character entry, the leaves whose completion the order file lacks must be excluded by
// rules "position:character" (position 4..6 in the code text with its point) that match none of
// the leaves whose completion the order file has. The fewest such rules are chosen greedily and
// written as "exception" attributes into a copy of the tabular list.
#pragma once

#include <QString>
#include <QStringList>

struct TExceptionRuleReport {
    int Entries = 0;     // seventh-character entries that needed rules
    int Rules = 0;       // rules written
    int Reportable = 0;  // reportable codes of the written list
    QStringList Problems; // leaves no rule can exclude, and differences to the order file
};

// Loads ATabularFile, derives the rules against the valid codes of AOrderFile, writes the list
// with its rules to AOutFile (otherwise the same document), then loads the written list
// again and compares its reportable codes with the order file in both directions. Returns true
// when the two agree; AReport lists what does not.
bool DeriveExceptionRules(const QString& ATabularFile, const QString& AOrderFile,
                          const QString& AOutFile, TExceptionRuleReport& AReport);
