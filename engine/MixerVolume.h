// The arithmetic between a mixer fader's raw value and the volume in percent that the music
// window shows and sets. Kept apart from the mixer calls so that it is the same on every
// system and can be checked without a sound device.
#pragma once

#include <cstdint>

// The top four bits of a mixer control type give its class; volume controls are faders.
constexpr uint32_t kMixerControlClassMask = 0xF0000000;
constexpr uint32_t kMixerControlClassFader = 0x50000000;
constexpr int32_t kVolumePercentMax = 100;
// What a fader without a range (minimum not below maximum) reads as.
constexpr uint32_t kVolumePercentNoRange = 50;

// A fader as the mixer describes it: its bounds and how many steps it has (0 when it does
// not say).
struct FaderRange {
    uint32_t minimum = 0;
    uint32_t maximum = 0;
    uint32_t steps = 0;
};

bool IsFaderControl(uint32_t controlType);

// Whether the fader has a range at all.
bool HasFaderRange(const FaderRange& range);

// (value - minimum) * 100 / (maximum - minimum), truncated; 50 without a range. A value
// outside the bounds is taken as the nearer bound, so the result is always 0 to 100.
uint32_t FaderPercent(const FaderRange& range, uint32_t value);

// The raw value for `percent`, chosen so that reading it back gives `percent` again: the
// smallest value on the fader's steps (multiples of steps - 1, or the bounds themselves) that
// reads as `percent`. A fader too coarse to hold that percent gets the step below it, as
// near as it can come. A fader that reports 0 or 1 steps has no step size, so every value
// counts as a step. False, `value` untouched, for a percent outside 0 to 100 or a fader
// without a range.
bool FaderValueForPercent(const FaderRange& range, int32_t percent, uint32_t& value);
