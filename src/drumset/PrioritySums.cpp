// Choosing a group's sample for a hit: priority sums per hit type and the
// weighted random pick.
#include "drumset/Drumset.h"

#include <algorithm>
#include <limits>

namespace {

// Priorities outside the editor's range come only from edited files; a
// negative weight would make the pick walk meaningless, so it counts as 0.
int64_t weightOf(const TDrumsetItem& sample) {
    return std::max<int64_t>(0, sample.Priority);
}

bool counts(const TDrumsetItem& sample, THitType hitType) {
    return sample.Visible && sample.isEligible(hitType);
}

} // namespace

void TDrumset::UpdatePrioritySums(TDrumsetItem& group, THitType hitType) {
    int64_t sum = 0;
    for (const auto& sample : group.samples()) {
        if (counts(*sample, hitType)) {
            sum += weightOf(*sample);
        }
    }
    group.PrioritySum =
        static_cast<int32_t>(std::min<int64_t>(sum, std::numeric_limits<int32_t>::max()));
}

void TDrumset::UpdatePrioritySums(THitType hitType) {
    for (const auto& group : m_groups) {
        UpdatePrioritySums(*group, hitType);
    }
}

TDrumsetItem* TDrumset::PickSample(const TDrumsetItem& group, THitType hitType) {
    if (!group.IsGroup || group.PrioritySum <= 0) {
        return nullptr;
    }
    int64_t r = static_cast<int64_t>(m_random(group.PrioritySum)) + 1;
    for (const auto& sample : group.samples()) {
        if (r <= 0) {
            break;
        }
        if (counts(*sample, hitType)) {
            r -= weightOf(*sample);
            if (r <= 0) {
                return sample.get();
            }
        }
    }
    // The sums were made for another hit type; the caller chooses itself.
    return nullptr;
}
