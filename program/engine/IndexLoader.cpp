#include "IndexLoader.h"

#include "EngineGlobals.h"
#include "LoaderMessages.h"
#include "XmlLoaderFrame.h"

#include <cstring>

namespace {

bool Named(const pugi::xml_node& ANode, const char* AName) {
    return std::strcmp(ANode.name(), AName) == 0;
}

void ReportUnhandled(const pugi::xml_node& ANode) {
    ShowLoaderMessage(QStringLiteral("Unhandled node type: %1").arg(QString::fromUtf8(ANode.name())));
}

template <class F> void ForEachChild(const pugi::xml_node& ANode, const TLoadState& AState, F AVisit) {
    for (pugi::xml_node child = ANode.first_child(); child && IsLoading(AState);
         child = child.next_sibling())
        if (child.type() == pugi::node_element)
            AVisit(child);
}

// Fields that both walks share; false when the element is none of them.
bool ReadReference(const pugi::xml_node& AChild, TTerm& ATerm) {
    if (Named(AChild, "title"))
        ATerm.FTitle = ReadTermTitle(AChild);
    else if (Named(AChild, "see"))
        ATerm.FSee = NodeText(AChild);
    else if (Named(AChild, "seeAlso"))
        ATerm.FSeeAlso = NodeText(AChild);
    else if (Named(AChild, "manif"))
        ATerm.FManifest = NodeText(AChild);
    else
        return false;
    return true;
}

// The text of a cell. Most cells of the tables are the placeholders "--" and "-"; all of them
// share one copy of each.
QString CellText(const pugi::xml_node& ACell) {
    static const QString dashes = QStringLiteral("--");
    static const QString dash = QStringLiteral("-");
    const pugi::xml_node first = ACell.first_child();
    if (first && !first.next_sibling() && first.type() == pugi::node_pcdata) {
        const char* value = first.value();
        if (!std::strcmp(value, "--"))
            return dashes;
        if (!std::strcmp(value, "-"))
            return dash;
    }
    return NodeText(ACell);
}

// One cell of a table row. A column outside 2..7 has no slot; it is reported like an unknown
// element and skipped, so nothing is ever written beside the six slots.
void ReadCell(const pugi::xml_node& ACell, TTerm& ATerm) {
    const int column = StrictInteger(QString::fromUtf8(ACell.attribute("col").value()));
    if (column < 2 || column > 7) {
        ReportUnhandled(ACell);
        return;
    }
    ATerm.FCodesInCell[static_cast<std::size_t>(column - 2)] = CellText(ACell);
}

struct TIndexTarget {
    TDataSet DataSet;
    TLoadState* State;
    TAlphaLetterList* List;
    bool IsTable;
};

TIndexTarget TargetOf(int AType) {
    switch (AType) {
    case 1: return {TDataSet::DIndex, &DiseaseIndexLoadState, DiseaseIndexList, false};
    case 2: return {TDataSet::EIndex, &ExternalIndexLoadState, ExternalIndexList, false};
    case 3: return {TDataSet::TableOfDrugs, &DrugTableLoadState, DrugTableList, true};
    case 4: return {TDataSet::TableOfNeoplasms, &NeoplasmTableLoadState, NeoplasmTableList, true};
    }
    return {TDataSet::DIndex, nullptr, nullptr, false};
}

} // namespace

QString ReadTermTitle(const pugi::xml_node& ATitle) {
    const pugi::xml_node first = ATitle.first_child();
    if (first && !first.next_sibling() && first.type() == pugi::node_pcdata)
        return QString::fromUtf8(first.value());
    QString title;
    for (pugi::xml_node child = first; child; child = child.next_sibling()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            title += QString::fromUtf8(child.value());
        else if (child.type() == pugi::node_element && Named(child, "nemod"))
            title += QLatin1Char(' ') + NodeText(child) + QLatin1Char(' ');
    }
    return title;
}

std::unique_ptr<TTerm> ReadIndexTerm(const pugi::xml_node& ANode, TTerm::TParent AParent,
                                     int ALevel, const TLoadState& AState) {
    auto term = std::make_unique<TTerm>(AParent, ALevel);
    TTerm* self = term.get();
    ForEachChild(ANode, AState, [&](const pugi::xml_node& child) {
        if (ReadReference(child, *self))
            return;
        if (Named(child, "code"))
            self->FCode = NodeText(child);
        else if (Named(child, "seecat"))
            self->FSeeCat = NodeText(child);
        else if (Named(child, "subcat"))
            self->FSubCat = NodeText(child);
        else if (Named(child, "term"))
            self->FSubTermList.push_back(ReadIndexTerm(child, self, ALevel + 1, AState));
        else
            ReportUnhandled(child);
    });
    return term;
}

std::unique_ptr<TTerm> ReadTableTerm(const pugi::xml_node& ANode, TTerm::TParent AParent,
                                     int ALevel, const TLoadState& AState) {
    auto term = std::make_unique<TTerm>(AParent, ALevel);
    TTerm* self = term.get();
    ForEachChild(ANode, AState, [&](const pugi::xml_node& child) {
        if (ReadReference(child, *self))
            return;
        if (Named(child, "cell"))
            ReadCell(child, *self);
        else if (Named(child, "term"))
            self->FSubTermList.push_back(ReadTableTerm(child, self, ALevel + 1, AState));
        else
            ReportUnhandled(child);
    });
    return term;
}

void LoadIndex(int AType) {
    if (AType < 1 || AType > 4)
        return;
    CreateGlobalContainers();
    const TIndexTarget target = TargetOf(AType);
    target.List->clear();
    const TLoadState& state = *target.State;
    RunXmlLoaderFrame(target.DataSet, *target.State, QStringLiteral("Load Alpha Search File Fail1!"),
                      [&](const pugi::xml_node& root) {
                          ForEachChild(root, state, [&](const pugi::xml_node& node) {
                              if (!Named(node, "letter"))
                                  return;
                              target.List->push_back(std::make_unique<TAlphaLetter>());
                              TAlphaLetter* letter = target.List->back().get();
                              ForEachChild(node, state, [&](const pugi::xml_node& child) {
                                  if (Named(child, "title"))
                                      letter->FLetter = NodeText(child);
                                  else if (Named(child, "mainTerm"))
                                      letter->FMainTermList.push_back(
                                          target.IsTable ? ReadTableTerm(child, letter, 0, state)
                                                         : ReadIndexTerm(child, letter, 0, state));
                              });
                          });
                      });
}
