// Finding what a code text names: a node of the tabular list, or the leaf that a
// seven-character code completes with its seventh character. One hash look-up of the category
// and a walk down its own subtree; nothing scans the whole list.
#pragma once

#include "TabularModel.h"

#include <QString>

struct TCodeLookup {
    enum TKind {
        NotACode,            // the text cannot be a code (A1, hello, A01.00000)
        Unknown,             // well formed, but the tabular list has no such code
        Found,               // a node of the tabular list (Node)
        Completion,          // a seven-character code: Node completed with Seventh
        ForbiddenCompletion, // as Completion, but an exception rule forbids Seventh for Node
    };
    TKind Kind = NotACode;
    QString Code;                       // the normalised code text
    TCodeInfo* Node = nullptr;          // the node, or the leaf a seven-character code completes
    const TCharDef* Seventh = nullptr;  // the seventh character of a completion
    QString Description;                // the node's, or for a completion the full description

    // A code that can be reported as it stands: a final code or an allowed completion.
    bool IsReportable() const {
        return Kind == Completion || (Kind == Found && Node->IsFinalCode());
    }
    // A node with codes below it, or one that still needs a seventh character.
    bool IsHeader() const { return Kind == Found && !Node->IsFinalCode(); }
};

// Looks up AText (normalised first: trimmed, upper-cased, point put in). Waits while the tabular
// list is loading.
TCodeLookup LookUpCode(const QString& AText);
