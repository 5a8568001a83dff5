// The control's side of playback: previews and the play cursor.
#include "editor/DrumsUI.h"

void TDrumsUI::PlayHit(const TDRHit& /*hit*/) {}

void TDrumsUI::PlayFromBar(int32_t /*gridX*/) {}
