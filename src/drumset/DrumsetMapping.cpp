// The name match of a song's groups and samples and the mapper window's
// model: trees, links, button rules and display state.
#include "drumset/DrumsetMapping.h"

#include <algorithm>

namespace {

constexpr const char* kNoSongNode = "No sample or group selected in song drumset tree.";
constexpr const char* kNoCurrentNode = "No sample or group selected in current drumset tree.";
constexpr const char* kLevelMismatch = "Group can be linked to group, sample to sample.\r\n"
                                       "Group cannot be linked to individual sample.";

std::unique_ptr<TMapNode> makeNode(const std::string& name, bool isGroup, int32_t groupIndex,
                                   int32_t sampleIndex) {
    auto node = std::make_unique<TMapNode>();
    node->Name = name;
    node->IsGroup = isGroup;
    node->ImageIndex = isGroup ? 0 : 1;
    node->GroupIndex = groupIndex;
    node->SampleIndex = isGroup ? -1 : sampleIndex;
    return node;
}

TMapNode& addChild(TMapNode& parent, std::unique_ptr<TMapNode> child) {
    child->Parent = &parent;
    parent.Children.push_back(std::move(child));
    return *parent.Children.back();
}

void unlink(TMapNode& songNode) {
    if (TMapNode* old = songNode.Link) {
        auto& list = old->LinkedBy;
        list.erase(std::remove(list.begin(), list.end(), &songNode), list.end());
    }
    songNode.Link = nullptr;
}

// The first current node of the song node's level with its indices.
TMapNode* findByIndices(const std::vector<std::unique_ptr<TMapNode>>& tree, const TMapNode& node) {
    for (const auto& group : tree) {
        if (node.IsGroup) {
            if (group->GroupIndex == node.GroupIndex)
                return group.get();
            continue;
        }
        for (const auto& sample : group->Children)
            if (sample->GroupIndex == node.GroupIndex && sample->SampleIndex == node.SampleIndex)
                return sample.get();
    }
    return nullptr;
}

int32_t findName(const std::vector<std::string>& names, const std::string& name) {
    auto it = std::find(names.begin(), names.end(), name);
    return it == names.end() ? -1 : static_cast<int32_t>(it - names.begin());
}

} // namespace

void TDrumsetMapper::Reset() {
    m_songSelection.clear();
    m_songFocus = nullptr;
    m_currentFocus = nullptr;
    m_currentSelection = nullptr;
    m_songTree.clear();
    m_currentTree.clear();
    m_accepted = false;
}

void TDrumsetMapper::FillCurrentTree(const std::vector<TMappingRow>& rows) {
    for (size_t g = 0; g < rows.size(); ++g) {
        const auto groupIndex = static_cast<int32_t>(g);
        auto group = makeNode(rows[g].Name, true, groupIndex, -1);
        for (size_t s = 0; s < rows[g].Samples.size(); ++s)
            addChild(*group,
                     makeNode(rows[g].Samples[s], false, groupIndex, static_cast<int32_t>(s)));
        m_currentTree.push_back(std::move(group));
    }
}

void TDrumsetMapper::FillSongTree(const TLoadGroupList& groups) {
    for (const auto& [index, record] : groups) {
        auto group = makeNode(record.Name, true, record.MappedGroup, -1);
        for (const auto& [sampleIndex, sample] : record.Samples)
            addChild(*group, makeNode(sample.Name, false, record.MappedGroup, sample.MappedSample));
        m_songTree.push_back(std::move(group));
    }
}

void TDrumsetMapper::LinkByIndices() {
    auto linkNode = [this](TMapNode& node) {
        if (node.GroupIndex < 0 || (!node.IsGroup && node.SampleIndex < 0))
            return;
        if (TMapNode* target = findByIndices(m_currentTree, node)) {
            node.Link = target;
            target->LinkedBy.push_back(&node);
        }
    };
    for (auto& group : m_songTree) {
        linkNode(*group);
        for (auto& sample : group->Children)
            linkNode(*sample);
    }
}

void TDrumsetMapper::ApplyGroupLink(TLoadGroupInfo& group) const {
    for (const auto& node : m_songTree) {
        if (node->Name != group.Name)
            continue;
        if (node->Link != nullptr)
            group.MappedGroup = node->Link->GroupIndex;
        return;
    }
}

void TDrumsetMapper::ApplySampleLink(const std::string& groupName, TLoadSampleInfo& sample) const {
    sample.MappedGroup = -1;
    sample.MappedSample = -1;
    for (const auto& group : m_songTree) {
        if (group->Name != groupName)
            continue;
        for (const auto& node : group->Children) {
            if (node->Name != sample.Name)
                continue;
            if (node->Link != nullptr) {
                sample.MappedGroup = node->Link->GroupIndex;
                sample.MappedSample = node->Link->SampleIndex;
            }
            return;
        }
    }
}

void TDrumsetMapper::setSongSelection(const std::vector<TMapNode*>& nodes) {
    m_songSelection.clear();
    m_songSelection.insert(nodes.begin(), nodes.end());
}

std::vector<TMapNode*> TDrumsetMapper::selectedSongNodes() const {
    std::vector<TMapNode*> result;
    for (const auto& group : m_songTree) {
        if (m_songSelection.count(group.get()) != 0)
            result.push_back(group.get());
        for (const auto& sample : group->Children)
            if (m_songSelection.count(sample.get()) != 0)
                result.push_back(sample.get());
    }
    return result;
}

TMapNode& TDrumsetMapper::checkFocus() const {
    if (m_songFocus == nullptr)
        throw TMapperError(kNoSongNode, TMapperTree::mtSong);
    if (m_currentFocus == nullptr)
        throw TMapperError(kNoCurrentNode, TMapperTree::mtCurrent);
    if (m_currentSelection == nullptr)
        throw TMapperError(kNoCurrentNode, TMapperTree::mtNone);
    return *m_currentSelection;
}

void TDrumsetMapper::LinkButtonClick() {
    TMapNode& target = checkFocus();
    for (TMapNode* node : selectedSongNodes()) {
        if (node->IsGroup != target.IsGroup)
            throw TMapperError(kLevelMismatch, TMapperTree::mtNone);
        unlink(*node);
        node->Link = &target;
        if (std::find(target.LinkedBy.begin(), target.LinkedBy.end(), node) ==
            target.LinkedBy.end())
            target.LinkedBy.push_back(node);
    }
}

void TDrumsetMapper::DeleteLinkButtonClick() {
    TMapNode& target = checkFocus();
    for (TMapNode* node : selectedSongNodes()) {
        if (node->IsGroup != target.IsGroup)
            throw TMapperError(kLevelMismatch, TMapperTree::mtNone);
        auto& list = target.LinkedBy;
        auto it = std::find(list.begin(), list.end(), node);
        if (node->Link == &target && it != list.end()) {
            list.erase(it);
            node->Link = nullptr;
        }
    }
}

TMapNode* TDrumsetMapper::SongNodeExpanded(TMapNode& node, bool expanded) {
    node.Expanded = expanded;
    if (!node.IsGroup || node.Link == nullptr)
        return nullptr;
    node.Link->Expanded = expanded;
    return node.Link;
}

bool TDrumsetMapper::isSongNode(const TMapNode& node) const {
    const TMapNode* group = node.Parent != nullptr ? node.Parent : &node;
    return std::any_of(m_songTree.begin(), m_songTree.end(),
                       [group](const auto& g) { return g.get() == group; });
}

int32_t TDrumsetMapper::displayImage(const TMapNode& node) const {
    return isStruckOut(node) ? MapImageNotLinked : node.ImageIndex;
}

bool TDrumsetMapper::isStruckOut(const TMapNode& node) const {
    return node.Link == nullptr && isSongNode(node);
}

bool TDrumsetMapper::isEmphasized(const TMapNode& node) const {
    if (isSongNode(node))
        return node.Link != nullptr && node.Link == m_currentFocus;
    return m_songFocus != nullptr && m_songFocus->Link == &node;
}

void ResolveNames(TLoadGroupList& groups, const std::vector<TMappingRow>& rows,
                  TMapperDialog* dialog) {
    std::vector<std::string> groupNames;
    for (const TMappingRow& row : rows)
        groupNames.push_back(row.Name);

    bool unresolved = false;
    for (auto& [index, group] : groups) {
        group.MappedGroup = findName(groupNames, group.Name);
        if (group.MappedGroup < 0) {
            unresolved = true;
            for (auto& [sampleIndex, sample] : group.Samples)
                sample.MappedGroup = sample.MappedSample = -1;
            continue;
        }
        const auto& sampleNames = rows[static_cast<size_t>(group.MappedGroup)].Samples;
        for (auto& [sampleIndex, sample] : group.Samples) {
            sample.MappedGroup = group.MappedGroup;
            sample.MappedSample = findName(sampleNames, sample.Name);
            if (sample.MappedSample < 0)
                unresolved = true;
        }
    }
    if (!unresolved || dialog == nullptr)
        return;

    TDrumsetMapper mapper;
    mapper.Reset();
    mapper.FillCurrentTree(rows);
    mapper.FillSongTree(groups);
    mapper.LinkByIndices();
    dialog->showModal(mapper);
    if (!mapper.Accepted())
        return;
    for (auto& [index, group] : groups) {
        mapper.ApplyGroupLink(group);
        for (auto& [sampleIndex, sample] : group.Samples)
            mapper.ApplySampleLink(group.Name, sample);
    }
}
