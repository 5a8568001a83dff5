// The default kit's instruments. Strength is 1 for a heavy hit and smaller for
// softer ones: softer hits are quieter and darker.
#pragma once

#include "Synth.h"

namespace kitgen {

Signal bassDrum(double strength);
Signal snare(double strength);
Signal sideStick(double strength);
Signal handClap(double strength);
Signal hiHat(double strength, double decaySeconds, uint64_t seed);
Signal tom(double strength, double pitchHz, uint64_t seed);
Signal crash(double strength);
Signal ride(double strength);
Signal rideBell(double strength);

} // namespace kitgen
