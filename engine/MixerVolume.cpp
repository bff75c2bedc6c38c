#include "engine/MixerVolume.h"

namespace {
constexpr double kPercentToFraction = 0.01;
}

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
    const double span = static_cast<double>(range.maximum - range.minimum);
    uint32_t raw = static_cast<uint32_t>(span * percent * kPercentToFraction + range.minimum);
    const uint32_t steps = range.steps == 0 ? 1 : range.steps;
    const uint32_t stepSize = steps - 1;
    if (stepSize > 0) raw = raw / stepSize * stepSize;
    // Lowering to a step can pass a minimum that is not itself on a step; never write below it.
    value = raw < range.minimum ? range.minimum : raw;
    return true;
}
