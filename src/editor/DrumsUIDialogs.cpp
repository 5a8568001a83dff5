// The hit properties dialogs as the control runs them.
#include "editor/DrumsUI.h"

void TDrumsUI::ShowHitProperties(TDRHit& /*hit*/) {}

void TDrumsUI::ShowSelectionProperties() {}
