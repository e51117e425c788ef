#include "TabularLoader.h"

#include "CodeQueries.h"
#include "EngineGlobals.h"
#include "LoaderMessages.h"
#include "XmlLoaderFrame.h"

#include <cstring>

namespace {

bool Named(const pugi::xml_node& ANode, const char* AName) {
    return std::strcmp(ANode.name(), AName) == 0;
}

QString Name(const pugi::xml_node& ANode) { return QString::fromUtf8(ANode.name()); }

bool StillLoading() { return IsLoading(TabularLoadState); }

// Iterates the element children of ANode while the tabular load has not been stopped.
template <class F> void ForEachChild(const pugi::xml_node& ANode, F AVisit) {
    for (pugi::xml_node child = ANode.first_child(); child && StillLoading();
         child = child.next_sibling())
        if (child.type() == pugi::node_element)
            AVisit(child);
}

// The note-list element names and the classes they create.
std::unique_ptr<TNoteBase> CreateNoteList(const pugi::xml_node& ANode) {
    const char* name = ANode.name();
    if (!std::strcmp(name, "includes")) return std::make_unique<TIncludes>();
    if (!std::strcmp(name, "inclusionTerm")) return std::make_unique<TInclusionTerm>();
    if (!std::strcmp(name, "codeFirst")) return std::make_unique<TCodeFirst>();
    if (!std::strcmp(name, "codeAlso")) return std::make_unique<TCodeAlso>();
    if (!std::strcmp(name, "useAdditionalCode")) return std::make_unique<TUseAdditionalCode>();
    if (!std::strcmp(name, "excludes1")) return std::make_unique<TExcludes1>();
    if (!std::strcmp(name, "excludes2")) return std::make_unique<TExcludes2>();
    if (!std::strcmp(name, "notes")) return std::make_unique<TNotes>();
    if (!std::strcmp(name, "sevenChrNote")) return std::make_unique<TSevenCharNote>();
    return nullptr;
}

bool IsAnyOf(const pugi::xml_node& ANode, std::initializer_list<const char*> ANames) {
    for (const char* name : ANames)
        if (Named(ANode, name))
            return true;
    return false;
}

// Reads the note texts of a note-list element and appends the list to AItems. The short loop
// over the notes of one list does not look at the load state.
void ReadNoteList(const pugi::xml_node& ANode, TOwningList<TItemBase>& AItems) {
    std::unique_ptr<TNoteBase> notes = CreateNoteList(ANode);
    for (pugi::xml_node note = ANode.child("note"); note; note = note.next_sibling("note"))
        notes->FNoteList << NodeText(note);
    AItems.push_back(std::move(notes));
}

void ReadInstruction(const pugi::xml_node& ASection) {
    auto instruction = std::make_unique<TInstruction>();
    for (pugi::xml_node child = ASection.first_child(); child; child = child.next_sibling()) {
        if (Named(child, "title"))
            instruction->FTypeWord = NodeText(child);
        else if (Named(child, "instruction"))
            for (pugi::xml_node note = child.child("note"); note; note = note.next_sibling("note"))
                instruction->FNoteList << NodeText(note);
    }
    IntroductionData->FInstructionList.push_back(std::move(instruction));
}

void ReadIntroduction(const pugi::xml_node& ANode) {
    ForEachChild(ANode, [](const pugi::xml_node& section) {
        if (!Named(section, "introSection"))
            return;
        const char* type = section.attribute("type").value();
        const pugi::xml_node first = section.first_child();
        if (!std::strcmp(type, "title")) {
            if (first)
                IntroductionData->FTitle = NodeText(first);
        } else if (!std::strcmp(type, "subtitle")) {
            if (first)
                IntroductionData->FSubTitle = NodeText(first);
        } else if (!std::strcmp(type, "instruction")) {
            ReadInstruction(section);
        }
    });
}

void ReadChapter(const pugi::xml_node& ANode) {
    // The chapter joins the list at once, so that a failure later in it keeps what it got.
    ChapterList->push_back(std::make_unique<TChapter>());
    TChapter* chapter = ChapterList->back().get();
    ForEachChild(ANode, [chapter](const pugi::xml_node& child) {
        if (Named(child, "desc"))
            chapter->SetInfoByString(NodeText(child));
        else if (IsAnyOf(child, {"notes", "includes", "useAdditionalCode", "excludes1", "excludes2"}))
            ReadNoteList(child, chapter->FInfo.FItemList);
        else if (Named(child, "section"))
            chapter->FSubList.push_back(ReadSectionNode(child, chapter));
        else if (!IsAnyOf(child, {"name", "sectionIndex"}))
            ShowLoaderMessage(QStringLiteral("Undealed chapter node: ") + Name(child));
    });
}

void ReadSevenCharDef(const pugi::xml_node& ANode, TCodeInfo& ACode) {
    auto definition = std::make_unique<TSevenCharDef>();
    for (pugi::xml_node ext = ANode.child("extension"); ext; ext = ext.next_sibling("extension")) {
        auto charDef = std::make_unique<TCharDef>();
        charDef->FChar = QString::fromUtf8(ext.attribute("char").value());
        charDef->FDesc = NodeText(ext);
        if (const pugi::xml_attribute exception = ext.attribute("exception"))
            charDef->SetException(QString::fromUtf8(exception.value()));
        definition->FDefList.push_back(std::move(charDef));
    }
    ACode.FItemList.push_back(std::move(definition));
}

void ReadVisualImpairment(const pugi::xml_node& ANode, TCodeInfo& ACode) {
    auto table = std::make_unique<TVisualImpairment>();
    for (pugi::xml_node row = ANode.child("visCategory"); row; row = row.next_sibling("visCategory"))
        if (std::unique_ptr<TVisCategory> category = ReadVisCategory(row))
            table->FVisCategoryList.push_back(std::move(category));
    ACode.FItemList.push_back(std::move(table));
}

// The first child element of ANode, skipping text.
pugi::xml_node FirstElement(const pugi::xml_node& ANode) {
    pugi::xml_node child = ANode.first_child();
    while (child && child.type() != pugi::node_element)
        child = child.next_sibling();
    return child;
}

} // namespace

std::unique_ptr<TSubChapter> ReadSectionNode(const pugi::xml_node& ANode, TChapter* AChapter) {
    auto section = std::make_unique<TSubChapter>(AChapter);
    TSubChapter* self = section.get();
    ForEachChild(ANode, [self](const pugi::xml_node& child) {
        if (Named(child, "desc"))
            self->SetInfoByString(NodeText(child));
        else if (IsAnyOf(child, {"notes", "includes", "codeFirst", "codeAlso", "inclusionTerm",
                                 "useAdditionalCode", "excludes1", "excludes2"}))
            ReadNoteList(child, self->FInfo.FItemList);
        else if (Named(child, "diag"))
            self->FCodeList.push_back(ReadCodeNode(child, self, nullptr, 0));
        else
            ShowLoaderMessage(QStringLiteral("Undealed subchapter node: ") + Name(child));
    });
    return section;
}

std::unique_ptr<TCodeInfo> ReadCodeNode(const pugi::xml_node& ANode, TSubChapter* ASubChapter,
                                        TCodeInfo* AParent, int ALevel) {
    auto code = std::make_unique<TCodeInfo>(ASubChapter, AParent, ALevel);
    TCodeInfo* self = code.get();
    if (const pugi::xml_attribute placeholder = ANode.attribute("placeholder"))
        self->FPlaceHolder = QString::fromUtf8(placeholder.value()).toLower() == QLatin1String("true");
    ForEachChild(ANode, [self, ASubChapter](const pugi::xml_node& child) {
        if (Named(child, "name"))
            self->FCode = NodeText(child);
        else if (Named(child, "desc"))
            self->FDesc = NodeText(child);
        else if (Named(child, "sevenChrNote"))
            ReadNoteList(child, self->FItemList);
        else if (Named(child, "sevenChrDef"))
            ReadSevenCharDef(child, *self);
        else if (IsAnyOf(child, {"includes", "inclusionTerm", "codeFirst", "codeAlso",
                                 "useAdditionalCode", "excludes1", "excludes2", "notes"}))
            ReadNoteList(child, self->FItemList);
        else if (Named(child, "visualImpairment"))
            ReadVisualImpairment(child, *self);
        else if (Named(child, "diag"))
            self->FSubCodeList.push_back(ReadCodeNode(child, ASubChapter, self, self->FLevel + 1));
        else
            ShowLoaderMessage(QStringLiteral("Undealed code node: ") + Name(child));
    });
    return code;
}

std::unique_ptr<TVisCategory> ReadVisCategory(const pugi::xml_node& ANode) {
    const pugi::xml_node value = FirstElement(ANode);
    if (!value || !Named(value, "value"))
        return nullptr; // the heading row is not kept
    auto category = std::make_unique<TVisCategory>();
    category->FValue = StrictInteger(NodeText(value));
    std::size_t slot = 0;
    for (pugi::xml_node range = value.next_sibling(); range && Named(range, "visRange");
         range = range.next_sibling()) {
        if (slot == category->VisRanges.size()) {
            // A table row has room for three ranges; a further one is reported and dropped.
            ShowLoaderMessage(QStringLiteral("Undealed code node: visRange"));
            break;
        }
        auto visRange = std::make_unique<TVisRange>();
        for (pugi::xml_node part = range.first_child(); part; part = part.next_sibling()) {
            if (Named(part, "visMax"))
                visRange->FVisMax = NodeText(FirstElement(part));
            else if (Named(part, "visMin"))
                visRange->FVisMin = NodeText(FirstElement(part));
        }
        category->VisRanges[slot++] = std::move(visRange);
    }
    return category;
}

void LoadTabular() {
    CreateGlobalContainers();
    // The category index points into the tree that is about to be freed.
    ResetCategoryIndex();
    ChapterList->clear();
    IntroductionData->FInstructionList.clear();
    RunXmlLoaderFrame(TDataSet::Tabular, TabularLoadState, QStringLiteral("Load Tabular File Fail1!"),
                      [](const pugi::xml_node& root) {
                          ForEachChild(root, [](const pugi::xml_node& child) {
                              if (Named(child, "introduction"))
                                  ReadIntroduction(child);
                              else if (Named(child, "chapter"))
                                  ReadChapter(child);
                          });
                      });
}

bool LoadTabularFromFile(const QString& APath) {
    std::unique_ptr<TResourceStream> stream = ReadSourceFile(APath);
    if (!stream)
        return false;
    PutResourceStream(TDataSet::Tabular, std::move(stream));
    LoadTabular();
    return ReadState(TabularLoadState) == LoadDone;
}
