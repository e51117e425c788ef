// The six code cells of a row of the drug or neoplasm table (columns 2..7), as written. Most
// terms of the model are index terms without cells, so the six texts live in a block of their
// own that is made on the first write: a term without cells costs one pointer.
//
// Reading (the const members) never makes the block: a term without one reads six empty texts.
// The writing operator[] makes it, so only the loader and code that owns the term may use it.
#pragma once

#include <QString>

#include <array>
#include <cstddef>
#include <initializer_list>
#include <memory>

class TTableCells {
public:
    using TCells = std::array<QString, 6>;
    using value_type = QString;
    using size_type = std::size_t;
    using const_iterator = const QString*;
    using iterator = const QString*;

    TTableCells() = default;
    // At most six texts, in column order; the remaining cells stay empty.
    TTableCells(std::initializer_list<QString> ACells);
    TTableCells(const TTableCells& AOther);
    TTableCells& operator=(const TTableCells& AOther);
    TTableCells(TTableCells&&) noexcept = default;
    TTableCells& operator=(TTableCells&&) noexcept = default;

    static constexpr size_type size() { return 6; }
    const QString& operator[](size_type AColumn) const { return Cells()[AColumn]; }
    // Makes the six cells when they do not exist yet.
    QString& operator[](size_type AColumn);
    const_iterator begin() const { return Cells().data(); }
    const_iterator end() const { return Cells().data() + size(); }
    // Whether the cells were ever written (all may still be empty texts).
    bool HasBlock() const { return FCells != nullptr; }

    friend bool operator==(const TTableCells& A, const TTableCells& B) { return A.Cells() == B.Cells(); }
    friend bool operator==(const TTableCells& A, const TCells& B) { return A.Cells() == B; }

private:
    const TCells& Cells() const;

    std::unique_ptr<TCells> FCells;
};
