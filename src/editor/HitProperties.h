// TPropResults: what the hit properties dialog hands back to the editor's
// apply operations, free of Qt so the CLI and the tests can fill it.
#pragma once

#include <cstdint>

// The properties dialog's limits; values from elsewhere are held to them.
namespace PropLimits {
constexpr int32_t MaxBar = 999999;
constexpr int32_t MaxTick = 999;
constexpr int32_t MaxPercent = 100; // volume, and each side of the panning
constexpr int32_t MaxBeforeFadeOut = 5000;
constexpr int32_t MaxFadeOut = 30000;
} // namespace PropLimits

struct TPropResults {
    // -1 = not given (the dialog's field was disabled); the hit keeps its
    // value.
    int32_t Bar = -1;
    int32_t Tick = -1;
    int32_t EndTime = -1; // ms after the hit's start
    int32_t Volume = -1;
    int32_t BeforeFadeOut = -1;
    int32_t FadeOut = -1;
    // Always given: -1 is a pan like any other (the dialog never disables it).
    int32_t Panning = 0; // -100..100
};
