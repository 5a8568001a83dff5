#include "app/EditorOperations.h"

#include "editor/DrumsUI.h"

#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

void SelectAllHits(TDrumsUI& drumsUI) {
    TSongEditor& editor = drumsUI.Editor();
    for (int32_t bar = 0; bar < editor.Song.BarCount(); ++bar) {
        for (const auto& hit : editor.Song.Bar(bar).StartingHits) {
            if (!hit->Selected) {
                editor.SelectHit(hit.get());
            }
        }
    }
    editor.InvalidateView(dfHits);
}

void DeleteSelectedHits(TDrumsUI& drumsUI) {
    TSongEditor& editor = drumsUI.Editor();
    if (editor.Selection.empty()) {
        return;
    }
    {
        const TSongEditLock lock(editor);
        editor.Song.NewAction();
        editor.Modified = true;
        for (TDRHit* hit : std::exchange(editor.Selection, {})) {
            hit->Selected = false;
            editor.Song.DeleteHit(hit);
        }
    }
    editor.InvalidateView(dfHits);
}

int32_t DeleteDuplicateHits(TDrumsUI& drumsUI) {
    TSongEditor& editor = drumsUI.Editor();
    std::vector<TDRHit*> sorted = editor.Selection;
    const auto place = [](const TDRHit* h) {
        return std::make_tuple(int64_t{h->StartBar} * 1000 + h->StartTick, h->Group, h->Sample);
    };
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&](const TDRHit* a, const TDRHit* b) { return place(a) < place(b); });
    std::vector<TDRHit*> duplicates;
    for (size_t i = 1; i < sorted.size(); ++i) {
        const TDRHit* before = sorted[i - 1];
        const TDRHit* hit = sorted[i];
        if (hit->StartBar == before->StartBar && hit->StartTick == before->StartTick &&
            hit->Group == before->Group && hit->Sample == before->Sample) {
            duplicates.push_back(sorted[i]);
        }
    }
    if (!duplicates.empty()) {
        const TSongEditLock lock(editor);
        editor.Song.NewAction();
        editor.Modified = true;
        for (TDRHit* hit : duplicates) {
            editor.DeselectHit(hit);
            editor.Song.DeleteHit(hit);
        }
    }
    editor.InvalidateView(dfBackground | dfHits | dfPanel);
    return static_cast<int32_t>(duplicates.size());
}

void MuteOffAllGroups(TDrumsUI& drumsUI) {
    TSongEditor& editor = drumsUI.Editor();
    {
        // Playback reads the flags.
        const TSongEditLock lock(editor);
        for (const auto& track : editor.Plocha.Tracks) {
            track->Muted = false;
        }
    }
    editor.InvalidateView(dfBackground | dfHits | dfPanel);
}
