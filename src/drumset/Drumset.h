// TDrumset: the ordered groups of a drumset, each with its ordered samples,
// and the operations the drumset file, the drumset editor and the song editor
// use on it. The first group is the Unsorted group.
#pragma once

#include "drumset/DrumsetItem.h"
#include "model/SongTypes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Where MoveItem puts an item relative to its target.
enum class TMovePlace { mpBefore, mpAfter, mpInto };

// Gives a uniformly distributed integer in 0 .. n - 1 for n >= 1.
using TRandomSource = std::function<int32_t(int32_t n)>;

// A uniform source over a Mersenne Twister with the given seed.
TRandomSource seededRandomSource(uint32_t seed);

class TDrumset {
public:
    TDrumset();
    ~TDrumset();
    TDrumset(const TDrumset&) = delete;
    TDrumset& operator=(const TDrumset&) = delete;

    // --- Operations -----------------------------------------------------------
    // The default drumset: the Unsorted group and one group per non-blank line
    // of "Drumsets/definstr.txt" in the program folder.
    void NewDrumset();
    // A group with the caption "New sample group", appended after the last.
    TDrumsetItem& AddGroup();
    // A sample for fileName in the target's group (the target itself when it
    // is a group, the Unsorted group when there is no target).
    TDrumsetItem& AddSample(const std::string& fileName, TDrumsetItem* target);
    // Removes the items (a group with its samples), never the Unsorted group.
    // Removed items stay allocated, marked deleted, until Renumber or
    // NewDrumset, so references to them stay valid to compare.
    void DeleteItems(const std::vector<TDrumsetItem*>& items);
    // Puts item before or after target (a sibling level item) or into target
    // (a group, as its last sample). Returns false and changes nothing when
    // the move breaks the drumset's shape (groups inside groups, samples at
    // group level, anything before or moving the Unsorted group).
    bool MoveItem(TDrumsetItem& item, TDrumsetItem& target, TMovePlace place);
    // Finds the sample's file, falling back to the program's Samples folder,
    // and sets DirectoryName and Icon.
    void ResolveSampleFile(TDrumsetItem& sample) const;
    // Numbers all items in pre-order from 0, drops references to deleted
    // items from every cut-off list and frees the deleted items.
    void Renumber();
    // Recomputes PrioritySum of one group, or of all groups.
    void UpdatePrioritySums(TDrumsetItem& group, THitType hitType);
    void UpdatePrioritySums(THitType hitType);
    // A sample of the group chosen at random, weighted by priority, among the
    // visible samples eligible for hitType; none when there is none.
    TDrumsetItem* PickSample(const TDrumsetItem& group, THitType hitType);
    // DirectoryName + separator + FileName.
    static std::string SampleFilePath(const TDrumsetItem& sample);

    // --- Building blocks for the file reader ---------------------------------
    // Removes every item, the Unsorted group too, and the deleted items.
    void clear();
    // A group or sample with the item defaults and nothing else set.
    TDrumsetItem& appendGroupItem();
    TDrumsetItem& appendSampleItem(TDrumsetItem& group);

    // --- Access ----------------------------------------------------------------
    const std::vector<std::unique_ptr<TDrumsetItem>>& groups() const { return m_groups; }
    // The first group when it is the Unsorted group, else none.
    TDrumsetItem* unsortedGroup() const;
    // Every item in pre-order: a group, its samples, the next group, ...
    std::vector<TDrumsetItem*> allItems() const;

    void setRandomSource(TRandomSource source);

private:
    TDrumsetItem& addUnsortedGroup();
    // A live item of this drumset (not deleted, not another drumset's).
    bool owns(const TDrumsetItem& item) const;
    void releaseRuntimeState(TDrumsetItem& item);

    std::vector<std::unique_ptr<TDrumsetItem>> m_groups;
    std::vector<std::unique_ptr<TDrumsetItem>> m_deletedItems;
    TRandomSource m_random;
};
