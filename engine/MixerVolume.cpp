#include "engine/MixerVolume.h"

#include <algorithm>

bool IsFaderControl(uint32_t controlType) { return (controlType & kMixerControlClassMask) == kMixerControlClassFader; }

bool HasFaderRange(const FaderRange& range) { return range.minimum < range.maximum; }

uint32_t FaderPercent(const FaderRange& range, uint32_t value) {
    if (!HasFaderRange(range)) return kVolumePercentNoRange;
    if (value < range.minimum) value = range.minimum;
    if (value > range.maximum) value = range.maximum;
    // Widened: 100 times a large raw value does not fit in 32 bits.
    const uint64_t above = static_cast<uint64_t>(value - range.minimum) * kVolumePercentMax;
    return static_cast<uint32_t>(above / (range.maximum - range.minimum));
}

bool FaderValueForPercent(const FaderRange& range, int32_t percent, uint32_t& value) {
    if (percent < 0 || percent > kVolumePercentMax || !HasFaderRange(range)) return false;
    // The smallest raw value that reads as `percent`: the percent is truncated when read, so
    // the value is rounded up here (a value rounded down would read one percent lower).
    const uint64_t span = range.maximum - range.minimum;
    const uint64_t wanted = static_cast<uint64_t>(percent);
    const uint64_t above = (span * wanted + kVolumePercentMax - 1) / kVolumePercentMax;
    const uint64_t raw = range.minimum + above;  // never past the maximum: percent <= 100
    const uint64_t stepSize = range.steps > 1 ? range.steps - 1 : 1;
    // The fader's steps are the multiples of steps - 1, and its bounds.
    const uint64_t stepUp =
        raw == range.minimum ? raw : std::min<uint64_t>((raw + stepSize - 1) / stepSize * stepSize, range.maximum);
    if (FaderPercent(range, static_cast<uint32_t>(stepUp)) == static_cast<uint32_t>(percent)) {
        value = static_cast<uint32_t>(stepUp);
        return true;
    }
    // Too coarse to hold this percent: the step below, never under the minimum.
    const uint64_t stepDown = raw / stepSize * stepSize;
    value = static_cast<uint32_t>(std::max<uint64_t>(stepDown, range.minimum));
    return true;
}
