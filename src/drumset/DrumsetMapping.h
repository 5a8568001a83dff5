// Matching the groups and samples a song file names onto the rows of the
// loaded drumset: the reader's group and sample records, the name match
// (ResolveNames) and TDrumsetMapper, the display-free model of the "Drumset
// mapper" window in which the user links what the names did not match.
//
// Knows nothing of the song editor: the rows come in as plain names, so the
// drumset library stays below the editor.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

// One sample line of a song file, with where it lands in the loaded drumset.
struct TLoadSampleInfo {
    std::string Name;
    int32_t Volume = 100;
    int32_t Panning = 0; // -100..100, converted back from the file's percent
    int32_t MappedGroup = -1;
    int32_t MappedSample = -1;
};

// One group section of a song file. Samples are keyed by the file's sample
// index; an index the file does not mention has no entry.
struct TLoadGroupInfo {
    std::string Name;
    int32_t Index = 0;
    int32_t MappedGroup = -1;
    std::map<int32_t, TLoadSampleInfo> Samples;
};

// The group records of one load, keyed by the file's group index (so a
// malformed index never sizes an array).
using TLoadGroupList = std::map<int32_t, TLoadGroupInfo>;

// One group row of the song editor with the names of its sample rows, in row
// order.
struct TMappingRow {
    std::string Name;
    std::vector<std::string> Samples;
};

// A node of either tree of the mapper.
struct TMapNode {
    std::string Name;
    int32_t ImageIndex = 0; // 0 group, 1 sample
    int32_t GroupIndex = -1;
    int32_t SampleIndex = -1;        // -1 for groups
    TMapNode* Link = nullptr;        // song nodes: the current node linked to
    std::vector<TMapNode*> LinkedBy; // current nodes: the song nodes linked here
    bool IsGroup = false;
    TMapNode* Parent = nullptr; // sample nodes: their group node
    std::vector<std::unique_ptr<TMapNode>> Children;
    bool Expanded = false;
};

// Image shown for a song node without a link.
static constexpr int32_t MapImageNotLinked = 2;

// Which tree a view should focus after a failed button press.
enum class TMapperTree { mtNone, mtSong, mtCurrent };

// A refused link or delete-link; the message is shown in an error box and
// the window stays open.
class TMapperError : public std::runtime_error {
public:
    TMapperError(const std::string& message, TMapperTree focus)
        : std::runtime_error(message), m_focus(focus) {}
    TMapperTree focusTree() const { return m_focus; }

private:
    TMapperTree m_focus;
};

// The state behind the mapper window: both trees, the links between them,
// the selection and focus the view reports, and the OK flag.
class TDrumsetMapper {
public:
    // --- Operations used by ResolveNames, in this order ----------------------
    void Reset();
    void FillCurrentTree(const std::vector<TMappingRow>& rows);
    void FillSongTree(const TLoadGroupList& groups);
    void LinkByIndices();
    bool Accepted() const { return m_accepted; }
    void ApplyGroupLink(TLoadGroupInfo& group) const;
    void ApplySampleLink(const std::string& groupName, TLoadSampleInfo& sample) const;

    // --- Input from the view ---------------------------------------------------
    // Selected song nodes (any order; one level in a well-behaved view).
    void setSongSelection(const std::vector<TMapNode*>& nodes);
    void setSongFocus(TMapNode* node) { m_songFocus = node; }
    void setCurrentFocus(TMapNode* node) { m_currentFocus = node; }
    // The current tree allows one selected node; none = nullptr.
    void setCurrentSelection(TMapNode* node) { m_currentSelection = node; }

    // --- Buttons: throw TMapperError with the message to show ----------------
    void LinkButtonClick();
    void DeleteLinkButtonClick();
    void OkButtonClick() { m_accepted = true; }

    // Expanding or collapsing a song group node; the current group node it is
    // linked to follows and is returned for the view to update (none: nothing
    // follows).
    TMapNode* SongNodeExpanded(TMapNode& node, bool expanded);

    // --- Display state -------------------------------------------------------------
    const std::vector<std::unique_ptr<TMapNode>>& songTree() const { return m_songTree; }
    const std::vector<std::unique_ptr<TMapNode>>& currentTree() const { return m_currentTree; }
    bool isSongNode(const TMapNode& node) const;
    // The image to draw: a song node without a link shows MapImageNotLinked.
    int32_t displayImage(const TMapNode& node) const;
    // Song nodes without a link are drawn struck out.
    bool isStruckOut(const TMapNode& node) const;
    // Bold and underlined: song nodes linked to the focused current node, and
    // the current node the focused song node is linked to.
    bool isEmphasized(const TMapNode& node) const;

private:
    // Song nodes of the selection in tree order, groups before their samples.
    std::vector<TMapNode*> selectedSongNodes() const;
    // Checks 1 and 2 of both buttons; gives the current node to work with.
    TMapNode& checkFocus() const;

    std::vector<std::unique_ptr<TMapNode>> m_songTree;
    std::vector<std::unique_ptr<TMapNode>> m_currentTree;
    std::set<const TMapNode*> m_songSelection;
    TMapNode* m_songFocus = nullptr;
    TMapNode* m_currentFocus = nullptr;
    TMapNode* m_currentSelection = nullptr;
    bool m_accepted = false;
};

// Shows the mapper window modally. The window calls OkButtonClick when it is
// closed with "&OK"; any other close leaves the mapper not accepted.
class TMapperDialog {
public:
    virtual ~TMapperDialog() = default;
    virtual void showModal(TDrumsetMapper& mapper) = 0;
};

// Maps every group and sample record onto the rows by exact name; when any
// name stays unmatched and a dialog is given, lets the user link them and
// applies the links if accepted. Without a dialog the name matches stand, as
// after Cancel.
void ResolveNames(TLoadGroupList& groups, const std::vector<TMappingRow>& rows,
                  TMapperDialog* dialog);
