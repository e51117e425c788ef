// A text held in one machine word: the index terms of the model carry seven text fields each,
// most of them empty or short codes, and a QString costs 24 bytes even when empty.
//
// TCompactText is the word itself:
// - empty: zero, no allocation;
// - up to seven Latin-1 characters (codes such as A00.9 or T36.0X1): the characters inline;
// - longer: a pointer to a heap block of its own with the length and the characters, one byte
//   a character when the text is Latin-1, UTF-16 otherwise.
// Any QString round-trips exactly (embedded NULs, lone surrogates included). Reading converts to
// a QString; the few QString members that callers use are offered here under the same names.
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <utility>

class TCompactText {
public:
    TCompactText() noexcept = default;
    explicit TCompactText(QStringView AText);
    explicit TCompactText(const QString& AText) : TCompactText(QStringView(AText)) {}
    TCompactText(const TCompactText& AOther);
    TCompactText(TCompactText&& AOther) noexcept : FBits(std::exchange(AOther.FBits, 0)) {}
    TCompactText& operator=(const TCompactText& AOther);
    TCompactText& operator=(TCompactText&& AOther) noexcept;
    TCompactText& operator=(const QString& AText);
    ~TCompactText() { Release(); }

    QString ToString() const;
    operator QString() const { return ToString(); } // NOLINT: reads like the QString it replaces

    bool isEmpty() const { return FBits == 0; }
    // Length in UTF-16 code units, as QString::size.
    qsizetype size() const;
    QString left(qsizetype ACount) const { return ToString().left(ACount); }
    QString section(QChar ASeparator, qsizetype AStart, qsizetype AEnd = -1) const {
        return ToString().section(ASeparator, AStart, AEnd);
    }
    QString simplified() const { return ToString().simplified(); }

    friend bool operator==(const TCompactText& A, const TCompactText& B);
    friend bool operator==(const TCompactText& A, QStringView B);
    friend bool operator==(const TCompactText& A, const QString& B) { return A == QStringView(B); }

private:
    struct TView; // the characters, Latin-1 or UTF-16, without copying
    TView View() const;
    void Release() noexcept;

    // 0: empty; low bit 1: inline (length in bits 1..3, characters in bytes 1..7);
    // low bit 0 and not 0: pointer to the heap block.
    std::uintptr_t FBits = 0;
};

static_assert(sizeof(TCompactText) == sizeof(void*));
