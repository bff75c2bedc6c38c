#include "platform/Mixer.h"

#include <vector>

#include "app/AppGlobals.h"
#include "engine/MixerVolume.h"

namespace {
constexpr UINT kMixerId = 0;

HMIXEROBJ MixerObject() { return reinterpret_cast<HMIXEROBJ>(App.MixerHandle); }

bool ReadControl(DWORD controlId, MIXERCONTROLA& control) {
    control = MIXERCONTROLA{};
    control.cbStruct = sizeof control;
    MIXERLINECONTROLSA query{};
    query.cbStruct = sizeof query;
    query.dwControlID = controlId;
    query.cControls = 1;
    query.cbmxctrl = sizeof control;
    query.pamxctrl = &control;
    return mixerGetLineControlsA(MixerObject(), &query, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYID) ==
           MMSYSERR_NOERROR;
}

FaderRange RangeOf(const MIXERCONTROLA& control) {
    return FaderRange{control.Bounds.dwMinimum, control.Bounds.dwMaximum, control.Metrics.cSteps};
}

// One channel of a control. A control with several items gets room for all of them: the
// mixer fills (or reads) one value per item.
struct ChannelValues {
    explicit ChannelValues(DWORD controlId, const MIXERCONTROLA& control) {
        const bool multiple = (control.fdwControl & MIXERCONTROL_CONTROLF_MULTIPLE) != 0;
        const DWORD items = multiple ? control.cMultipleItems : 0;
        values.assign(items > 1 ? items : 1, MIXERCONTROLDETAILS_UNSIGNED{});
        details.cbStruct = sizeof details;
        details.dwControlID = controlId;
        details.cChannels = 1;
        details.cMultipleItems = items;
        details.cbDetails = sizeof(MIXERCONTROLDETAILS_UNSIGNED);
        details.paDetails = values.data();
    }
    MIXERCONTROLDETAILS details{};
    std::vector<MIXERCONTROLDETAILS_UNSIGNED> values;
};
}  // namespace

bool MixerOpen(HWND window) {
    if (App.MixerHandle != nullptr) MixerClose();
    HMIXER opened = nullptr;
    const DWORD callback = window != nullptr ? CALLBACK_WINDOW : 0;
    if (mixerOpen(&opened, kMixerId, reinterpret_cast<DWORD_PTR>(window), 0, callback) != MMSYSERR_NOERROR)
        return false;
    App.MixerHandle = opened;
    return true;
}

bool MixerClose() {
    if (App.MixerHandle == nullptr || mixerClose(App.MixerHandle) != MMSYSERR_NOERROR) return false;
    App.MixerHandle = nullptr;
    return true;
}

bool GetLineId(DWORD componentType, DWORD& lineId) {
    MIXERLINEA line{};
    line.cbStruct = sizeof line;
    line.dwComponentType = componentType;
    if (mixerGetLineInfoA(MixerObject(), &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) !=
        MMSYSERR_NOERROR)
        return false;
    lineId = line.dwLineID;
    return true;
}

bool GetControlId(DWORD lineId, DWORD controlType, DWORD& controlId) {
    MIXERCONTROLA control{};
    control.cbStruct = sizeof control;
    MIXERLINECONTROLSA query{};
    query.cbStruct = sizeof query;
    query.dwLineID = lineId;
    query.dwControlType = controlType;
    query.cControls = 1;
    query.cbmxctrl = sizeof control;
    query.pamxctrl = &control;
    if (mixerGetLineControlsA(MixerObject(), &query, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) !=
        MMSYSERR_NOERROR)
        return false;
    controlId = control.dwControlID;
    return true;
}

bool GetVolumePercent(DWORD controlId, uint32_t& percent) {
    MIXERCONTROLA control;
    if (!ReadControl(controlId, control) || !IsFaderControl(control.dwControlType)) return false;
    const FaderRange range = RangeOf(control);
    if (!HasFaderRange(range)) {
        percent = kVolumePercentNoRange;
        return true;
    }
    ChannelValues channel(controlId, control);
    if (mixerGetControlDetailsA(MixerObject(), &channel.details,
                                MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE) != MMSYSERR_NOERROR)
        return false;
    percent = FaderPercent(range, channel.values[0].dwValue);
    return true;
}

bool GetVolumeValue(DWORD controlId, uint32_t& value) {
    MIXERCONTROLA control;
    if (!ReadControl(controlId, control) || !IsFaderControl(control.dwControlType)) return false;
    ChannelValues channel(controlId, control);
    if (mixerGetControlDetailsA(MixerObject(), &channel.details,
                                MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE) != MMSYSERR_NOERROR)
        return false;
    value = channel.values[0].dwValue;
    return true;
}

bool SetVolumeValue(DWORD controlId, uint32_t value) {
    MIXERCONTROLA control;
    if (!ReadControl(controlId, control) || !IsFaderControl(control.dwControlType)) return false;
    if (value < control.Bounds.dwMinimum || value > control.Bounds.dwMaximum) return false;
    ChannelValues channel(controlId, control);
    for (MIXERCONTROLDETAILS_UNSIGNED& item : channel.values) item.dwValue = value;
    return mixerSetControlDetails(MixerObject(), &channel.details,
                                  MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE) == MMSYSERR_NOERROR;
}

bool SetVolumePercent(DWORD controlId, int32_t percent) {
    if (percent < 0 || percent > kVolumePercentMax) return false;
    MIXERCONTROLA control;
    if (!ReadControl(controlId, control) || !IsFaderControl(control.dwControlType)) return false;
    uint32_t value = 0;
    if (!FaderValueForPercent(RangeOf(control), percent, value)) return false;
    ChannelValues channel(controlId, control);
    for (MIXERCONTROLDETAILS_UNSIGNED& item : channel.values) item.dwValue = value;
    return mixerSetControlDetails(MixerObject(), &channel.details,
                                  MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE) == MMSYSERR_NOERROR;
}
