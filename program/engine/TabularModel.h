// The tabular list of the classification held in memory: introduction, chapters, sections,
// codes at every level, their note lists, seventh-character definitions with exception rules
// and the visual impairment table. Built once by LoadTabular, read-only afterwards.
#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <vector>

class TCodeKeywords;
class TChapter;
class TSubChapter;
class TCodeInfo;

template <class T> using TOwningList = std::vector<std::unique_ptr<T>>;

// Anything that can stand in the item list of a chapter, section or code: note lists,
// seventh-character definitions and visual impairment tables. Kinds are told apart by class.
class TItemBase {
public:
    virtual ~TItemBase() = default;
};

// A list of instructional notes under one heading word. FIndent is one blank longer than the
// heading word so that continuation lines line up with the text of the first line.
class TNoteBase : public TItemBase {
public:
    TNoteBase() = default;
    QString FTypeWord;
    QString FIndent;
    QStringList FNoteList;

protected:
    TNoteBase(const char* ATypeWord, int AIndent);
};

class TIncludes : public TNoteBase {
public:
    TIncludes() : TNoteBase("INCLUDES", 9) {}
};
class TInclusionTerm : public TNoteBase {};
class TCodeFirst : public TNoteBase {
public:
    TCodeFirst() : TNoteBase("CODE FIRST", 11) {}
};
class TCodeAlso : public TNoteBase {
public:
    TCodeAlso() : TNoteBase("CODE ALSO", 10) {}
};
class TUseAdditionalCode : public TNoteBase {
public:
    TUseAdditionalCode() : TNoteBase("USE ADDITIONAL", 15) {}
};
class TExcludes1 : public TNoteBase {
public:
    TExcludes1() : TNoteBase("EXCLUDES 1:", 12) {}
};
class TExcludes2 : public TNoteBase {
public:
    TExcludes2() : TNoteBase("EXCLUDES 2:", 12) {}
};
class TNotes : public TNoteBase {
public:
    TNotes() : TNoteBase("NOTE", 5) {}
};
class TSevenCharNote : public TNoteBase {};
// An introduction section of type instruction; the loader sets its heading from the section.
class TInstruction : public TNoteBase {
public:
    TInstruction() : TNoteBase("", 2) {}
};

// One exception rule: the seventh character is not allowed for a code whose character at
// zero-based index FCodePos (4..6, point included) is FCodeVal.
class TCharDefExcption {
public:
    int FCodePos = 0;
    QChar FCodeVal;
};

// One allowed seventh character with its meaning and the positions that forbid it.
class TCharDef {
public:
    QString FChar;
    QString FDesc;
    TOwningList<TCharDefExcption> FDefExceptionList;

    // Parses a rule text such as "6:7;6:8" and appends its rules. Items that are not
    // position:character pairs with a position of 4..6 and one character are ignored; a position
    // that is not an integer throws std::invalid_argument (it fails the whole tabular load).
    void SetException(const QString& AExceptionDesc);
    // Whether a rule forbids this seventh character for ACode.
    bool InExceptionRule(const QString& ACode) const;
};

// The seventh characters allowed below a code, in document order.
class TSevenCharDef : public TItemBase {
public:
    TOwningList<TCharDef> FDefList;
};

class TVisRange {
public:
    QString FVisMax; // "maximum less than", e.g. 6/18
    QString FVisMin; // "minimum equal to or better than", e.g. 6/60
};

// One numbered category of the visual impairment table: at most three acuity ranges; slots
// beyond the ranges present stay empty.
class TVisCategory {
public:
    int FValue = 0;
    std::array<std::unique_ptr<TVisRange>, 3> VisRanges;
};

class TVisualImpairment : public TItemBase {
public:
    TOwningList<TVisCategory> FVisCategoryList;
    // Printed height of the table: a constant 18 lines, whatever it holds.
    int GetTextLines() const { return 18; }
};

// Name, range and notes shared by chapters and sections.
class TChapterInfo {
public:
    QString FName;  // description without its trailing range
    QString FScope; // the range in parentheses, e.g. (A00-B99)
    TOwningList<TItemBase> FItemList;
};

class TIntroduction {
public:
    QString FTitle;
    QString FSubTitle;
    TOwningList<TInstruction> FInstructionList;
};

class TChapter {
public:
    TChapterInfo FInfo;
    TOwningList<TSubChapter> FSubList;

    // Splits "Name (A00-B99)" into FInfo.FName and FInfo.FScope before the last "(".
    void SetInfoByString(const QString& AStr);
    int GetTextLines() const;
};

class TSubChapter {
public:
    explicit TSubChapter(TChapter* AChapter) : FChapter(AChapter) {}
    TChapterInfo FInfo;
    TChapter* FChapter;
    TOwningList<TCodeInfo> FCodeList; // level-0 codes only

    void SetInfoByString(const QString& AStr);
    int GetTextLines() const;
};

// One code of any level. FLevel is 0 for a category and one more per level below; every
// level below a category shares the category's section.
class TCodeInfo {
public:
    TCodeInfo(TSubChapter* ASubChapter, TCodeInfo* AParent, int ALevel)
        : FSubChapter(ASubChapter), FParent(AParent), FLevel(ALevel) {}

    QString FCode;
    QString FDesc;
    bool FPlaceHolder = false;
    TOwningList<TItemBase> FItemList;
    TSubChapter* FSubChapter;
    TCodeInfo* FParent;
    TOwningList<TCodeInfo> FSubCodeList;
    int FLevel;
    // The keyword entry of this code, cached by the keyword search on first use, and the
    // generation of the keyword list it was found in (a reload frees the entries).
    TCodeKeywords* FCodeKW = nullptr;
    unsigned FCodeKWGeneration = 0;

    // Lines the code occupies when printed with its notes and its whole subtree.
    int GetTextLines() const;

    // Seventh-character definitions: the code's own (the first in FItemList), its parent's
    // inherited one, and the nearest one up to the category (characters are inherited downwards).
    const TSevenCharDef* GetSelf7CharDef() const;
    const TSevenCharDef* GetParent7CharDef() const;
    const TSevenCharDef* Get7CharDef() const;
    int GetSelf7CharNum() const;
    // No sub-codes and no seventh characters: the code is reportable as it stands.
    bool IsFinalCode() const;

    // Walks down by sub-code text (the part after the point): a child whose sub-code equals
    // ASubCode is the answer; a child whose sub-code is a shorter prefix of it (ASCII case
    // ignored) is stepped into, without trying other children afterwards. Empty: this node.
    TCodeInfo* FindSubCodeByName(const QString& ASubCode);
    // For a four-character sub-code ending in a seventh character (0X1A of S06.0X1A), the leaf
    // it completes and, in AFullDesc, the leaf's description with the character's meaning.
    // Exception rules are not applied here.
    TCodeInfo* FindHeaderBy4SubCodes(const QString& A4SubCode, QString& AFullDesc);
    // Appends every reportable code at or below this node, in tree order, with its description;
    // seventh characters that an exception rule forbids are left out.
    void GetAllValideCodes(QStringList& ACodeList, QStringList& ADescList) const;
    // Appends every node ("0") and every reportable code ("1") at or below this node.
    void GetAllNodeAndCodes(QStringList& ACodeNodeList, QStringList& AFlagList,
                            QStringList& ADescList) const;
};

// Shared by chapters and sections: the description split rule.
void SplitChapterDescription(const QString& AStr, TChapterInfo& AInfo);
