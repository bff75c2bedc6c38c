// A thin layer over the system mixer through which the music window reads and sets the
// volume of mixer lines in percent. One mixer is open at a time, in App.MixerHandle; every
// call reports success as true and changes nothing when it fails.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>

// Opens mixer 0. With a window, the mixer sends it its change notifications. A mixer that
// is still open is closed first.
bool MixerOpen(HWND window);
bool MixerClose();

// The line of the given component type (MIXERLINE_COMPONENTTYPE_...).
bool GetLineId(DWORD componentType, DWORD& lineId);
// The control of the given type (MIXERCONTROL_CONTROLTYPE_...) on a line.
bool GetControlId(DWORD lineId, DWORD controlType, DWORD& controlId);

// A fader's value in percent; a fader whose minimum is not below its maximum reads 50.
// False, `percent` untouched, when the control cannot be read or is no fader.
bool GetVolumePercent(DWORD controlId, uint32_t& percent);
// Sets a fader to `percent` (0 to 100), lowered to the fader's steps. False for a percent
// outside 0 to 100, a control that cannot be read, is no fader or has no range.
bool SetVolumePercent(DWORD controlId, int32_t percent);

// A fader's raw value, to put back exactly what was found (percent would move it to a step).
// False, `value` untouched, when the control cannot be read or is no fader; a value outside
// the fader's bounds is refused.
bool GetVolumeValue(DWORD controlId, uint32_t& value);
bool SetVolumeValue(DWORD controlId, uint32_t value);
