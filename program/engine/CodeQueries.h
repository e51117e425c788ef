// Queries on codes written as text (A00, S06.0X1, S06.0X1A): checking and splitting, finding the
// node of a code, walking down by sub-code, and expanding a node into its reportable codes with
// their seventh characters. They read the tabular list and change nothing.
#pragma once

#include "TabularModel.h"

#include <QString>
#include <QStringList>

// Checks a code text (3 to 8 characters; digits and capitals; a point in the fourth place when
// longer than 3; "-" allowed after the point) and splits it into the category (first three
// characters) and the sub-code (after the point, up to the first "-"). False leaves both outputs
// unchanged. A01.0- gives A01 and 0; A01. gives A01 and an empty sub-code.
bool SplitCode(const QString& ACode, QString& ACategory, QString& ASubCode);

// The category node with exactly that code, or null. Waits (without a dialog) while the tabular
// list is loading.
TCodeInfo* FindCategory(const QString& ACategory);

// The node of any code text, or null; a seven-character completion has no node of its own.
// Found by walking down by sub-code; a node the walk cannot reach is found by its exact code.
TCodeInfo* FindCode(const QString& ACode);

// The description of a code text as the classification gives it: the description of its node, or
// for a seven-character completion its code's description with the seventh character's meaning.
// False, leaving ADescription unchanged, when the edition has no such code (a text with a "-" is
// no code).
bool DescribeCode(const QString& ACode, QString& ADescription);

// The characters after the fourth (A01.00 gives 00); empty when the text is shorter than 5.
QString SubCodeOf(const QString& ACode);

// Compares the first ACount characters: 0 when all pass, else 1 or -1 by the first differing
// UTF-16 unit. AIgnoreCase lets ASCII letters match across case; ABlankIsDash lets a blank and
// a "-" match each other. ACount must not exceed either length; below 1 the result is 0.
int CompareLeading(const QString& A, const QString& B, int ACount, bool AIgnoreCase, bool ABlankIsDash);
int CompareLeadingLoose(const QString& A, const QString& B, int ACount, bool AIgnoreCase);

// The code text a seventh character completes: A node's code padded with X to six code
// characters, then the character (T07 + A -> T07.XXXA, S06.0X1 + A -> S06.0X1A).
QString CompleteWithSeventh(const TCodeInfo& ANode, const QString& AChar);

// Forget the category index (after the tabular list was reloaded), and start a new generation of
// the tabular list.
void ResetCategoryIndex();

// The generation of the tabular list: it changes whenever a load is about to replace the tree,
// so that anything built from the old tree (word indexes of the search) is built again.
unsigned TabularListGeneration();
