// The hit properties dialogs as the control runs them.
#include "editor/DrumsUI.h"
#include "editor/HitProperties.h"
#include "editor/PropForm.h"

namespace {

// The drumset sample of the hit's row; null when the row is gone.
const TDrumsetItem* sampleOf(const TSongEditor& editor, const TDRHit& hit) {
    const auto& tracks = editor.Plocha.Tracks;
    if (hit.Group < 0 || hit.Group >= static_cast<int32_t>(tracks.size())) {
        return nullptr;
    }
    const auto& samples = tracks[static_cast<size_t>(hit.Group)]->Samples;
    if (hit.Sample < 0 || hit.Sample >= static_cast<int32_t>(samples.size())) {
        return nullptr;
    }
    return samples[static_cast<size_t>(hit.Sample)]->SampleData;
}

} // namespace

bool TDrumsUI::runPropDialog(const TDRHit& hit, bool several, TPropResults& results) {
    const TDrumsetItem* sample = sampleOf(*m_editor, hit);
    if (m_propDialog) {
        return m_propDialog(hit, sample, several, results);
    }
    if (m_propForm == nullptr) {
        return false;
    }
    m_propForm->Setup(hit, sample, several);
    m_propForm->exec();
    if (!m_propForm->Confirmed()) {
        return false;
    }
    results = m_propForm->Results();
    return true;
}

void TDrumsUI::ShowHitProperties(TDRHit& hit) {
    TPropResults results;
    if (runPropDialog(hit, false, results)) {
        m_editor->EditHitProperties(hit, results);
    }
}

void TDrumsUI::ShowSelectionProperties() {
    if (m_editor->Selection.empty()) {
        return;
    }
    TPropResults results;
    if (runPropDialog(*m_editor->Selection.front(), true, results)) {
        m_editor->EditSelectionProperties(results);
    }
}
