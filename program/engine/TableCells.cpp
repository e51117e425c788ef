#include "TableCells.h"

#include <algorithm>

namespace {
const TTableCells::TCells& NoCells() {
    static const TTableCells::TCells empty{};
    return empty;
}
} // namespace

TTableCells::TTableCells(std::initializer_list<QString> ACells) : FCells(std::make_unique<TCells>()) {
    std::copy_n(ACells.begin(), std::min(ACells.size(), size()), FCells->begin());
}

TTableCells::TTableCells(const TTableCells& AOther)
    : FCells(AOther.FCells ? std::make_unique<TCells>(*AOther.FCells) : nullptr) {}

TTableCells& TTableCells::operator=(const TTableCells& AOther) {
    if (this != &AOther)
        FCells = AOther.FCells ? std::make_unique<TCells>(*AOther.FCells) : nullptr;
    return *this;
}

QString& TTableCells::operator[](size_type AColumn) {
    if (!FCells)
        FCells = std::make_unique<TCells>();
    return (*FCells)[AColumn];
}

const TTableCells::TCells& TTableCells::Cells() const { return FCells ? *FCells : NoCells(); }
