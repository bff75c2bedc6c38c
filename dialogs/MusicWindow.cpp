#include "dialogs/MusicWindow.h"

#include <mmsystem.h>

#include <algorithm>
#include <memory>
#include <new>
#include <utility>

#include "app/AppGlobals.h"
#include "controls/AnimationControl.h"
#include "controls/AnimationDrivers.h"
#include "controls/CommandButton.h"
#include "controls/ControlProtocol.h"
#include "controls/Slider.h"
#include "engine/DibBlit.h"
#include "engine/SoundIds.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "platform/BackgroundMusic.h"
#include "platform/Help.h"
#include "platform/Mixer.h"
#include "platform/Sound.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_DLGFRAME;
static_assert(kDialogStyle == 0x92400000, "style of the dialogs");
constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr int32_t kChildCreateSize = 50;  // controls size themselves to their pictures
constexpr UINT kDragMoveFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;
static_assert(kDragMoveFlags == 0x605, "a dragged dialog moves only");

constexpr POINT kOkAt{126, 234};
constexpr POINT kCancelAt{253, 234};
constexpr POINT kHelpAt{17, 211};
constexpr int32_t kSliderRows = 2;
constexpr int32_t kSliderColumns = 10;
constexpr int32_t kMusicSliderStep = 1;
constexpr int32_t kHelpColumns = 3;
constexpr UINT kHelpIntervalMs = 200;

// The title of languages other than English is copied onto the background here (the
// background carries the English one).
constexpr int32_t kTitleX = 11;
constexpr int32_t kTitleY = 5;
constexpr int32_t kTitleWidth = 140;
constexpr int32_t kTitleHeight = 50;

// One volume: its mixer line, its slider and what the window found when it opened.
struct VolumeSlider {
    DWORD componentType;
    uint32_t thumbId;
    POINT start;
    POINT end;
    MusicChild id;
};

constexpr VolumeSlider kMasterVolume{MIXERLINE_COMPONENTTYPE_DST_SPEAKERS,
                                     kMasterThumbId,
                                     {123, 215},
                                     {123, 68},
                                     kMasterSliderId};
constexpr VolumeSlider kWaveVolume{MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT,
                                   kWaveThumbId,
                                   {220, 215},
                                   {220, 68},
                                   kWaveSliderId};
static_assert(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS == 4 && MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT == 0x1008 &&
                  MIXERCONTROL_CONTROLTYPE_VOLUME == 0x50030001,
              "the mixer lines and control of the two sliders");

struct BoundVolume {
    HWND slider = nullptr;
    bool readable = false;    // the mixer control was found and reads
    uint32_t foundValue = 0;  // its raw value when the window opened, put back by Cancel
    DibImage thumb;
};

struct MusicWindowState {
    explicit MusicWindowState(std::unique_ptr<DibImage> picture) : background(std::move(picture)) {}
    std::unique_ptr<DibImage> background;
    DibImage okImage;
    DibImage cancelImage;
    DibImage helpImage;
    BoundVolume master;
    BoundVolume wave;
    HWND okButton = nullptr;
    HWND cancelButton = nullptr;
    HWND helpButton = nullptr;
    bool sliding = false;  // the player holds a thumb
    bool dragging = false;
    POINT lastCursor{0, 0};
};

MusicWindowState* StateOf(HWND window) { return WindowStateOf<MusicWindowState>(window); }

LPARAM PackPoint(POINT p) { return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)); }

HWND CreateChild(HWND window, const char* className, POINT at, MusicChild id) {
    return CreateWindowExA(0, className, "", kChildStyle, at.x, at.y, kChildCreateSize, kChildCreateSize, window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), App.Instance, nullptr);
}

void SetImage(HWND control, const DibImage& image) {
    if (control != nullptr) SendMessageA(control, CM_SETBITMAP, 0, reinterpret_cast<LPARAM>(image.GetDib()));
}

void ShowSliderValue(HWND slider, int32_t value) {
    SendMessageA(slider, SLD_SETVALUE, 0, value);
    SendMessageA(slider, SLD_SETTHUMBFRAME, 0, value / kMusicThumbFrameDivisor);
}

// Finds the line's volume control into `controlId`; false when the mixer has none.
bool FindVolumeControl(DWORD componentType, DWORD& controlId) {
    DWORD line = 0;
    return GetLineId(componentType, line) && GetControlId(line, MIXERCONTROL_CONTROLTYPE_VOLUME, controlId);
}

void BindVolume(HWND window,
                MusicWindowState& state,
                const VolumeSlider& volume,
                DWORD& controlId,
                BoundVolume& bound) {
    uint32_t percent = 0;
    bound.readable = FindVolumeControl(volume.componentType, controlId) && GetVolumePercent(controlId, percent) &&
                     GetVolumeValue(controlId, bound.foundValue);
    bound.thumb.LoadById(volume.thumbId);
    HWND slider = CreateChild(window, kSliderClass, POINT{0, 0}, volume.id);
    bound.slider = slider;
    if (slider == nullptr) return;
    SendMessageA(slider, SLD_SETFRAMEROWS, 0, kSliderRows);
    SendMessageA(slider, SLD_SETFRAMECOLUMNS, 0, kSliderColumns);
    SendMessageA(slider, SLD_SETSTART, 0, PackPoint(volume.start));
    SendMessageA(slider, SLD_SETEND, 0, PackPoint(volume.end));
    SendMessageA(slider, SLD_SETBACKGROUND, 0, reinterpret_cast<LPARAM>(state.background->GetDib()));
    SendMessageA(slider, SLD_SETMAX, 0, kMusicSliderMax);
    // Whole percents: on the slider's default grid of 5 a volume read as 99 would show as 95.
    SendMessageA(slider, SLD_SETSTEP, 0, kMusicSliderStep);
    SetImage(slider, bound.thumb);
    ShowSliderValue(slider, bound.readable ? SliderValueForVolume(percent) : 0);
    if (!bound.readable) SendMessageA(slider, CM_SETENABLED, 0, 0);
}

void DrawLanguageTitle(DibImage& background) {
    uint32_t titleId = 0;
    switch (App.LanguageIndex) {
        case 0:
        case 2:
        case 3: titleId = 407; break;
        case 4: titleId = 403; break;
        case 5: titleId = 408; break;
        default: return;  // English is on the background
    }
    DibImage title;
    if (title.LoadById(titleId))
        DibBlit(background.GetDib(), kTitleX, kTitleY, kTitleWidth, kTitleHeight, title.GetDib(), 0, 0, kRopSrcCopy);
}

LRESULT OnCreateMusicWindow(HWND window, const CREATESTRUCTA& create) {
    auto* picture = static_cast<std::unique_ptr<DibImage>*>(create.lpCreateParams);
    if (picture == nullptr || !*picture) return -1;
    MusicWindowState* state = AttachWindowState<MusicWindowState>(window, std::move(*picture));
    if (state == nullptr) return -1;
    StopMusic();
    MixerOpen(window);
    DrawLanguageTitle(*state->background);

    state->okImage.LoadById(kMusicOkButtonId);
    state->okButton = CreateChild(window, kCommandButtonClass, kOkAt, kMusicOkId);
    SetImage(state->okButton, state->okImage);
    state->cancelImage.LoadById(kMusicCancelButtonId);
    state->cancelButton = CreateChild(window, kCommandButtonClass, kCancelAt, kMusicCancelId);
    SetImage(state->cancelButton, state->cancelImage);

    BindVolume(window, *state, kMasterVolume, App.MasterVolumeControl, state->master);
    BindVolume(window, *state, kWaveVolume, App.WaveVolumeControl, state->wave);

    state->helpImage.LoadById(kMusicHelpButtonId);
    state->helpButton = CreateChild(window, kAnimationClass, kHelpAt, kMusicHelpId);
    if (state->helpButton != nullptr) {
        SendMessageA(state->helpButton, ANM_SETFRAMECOLUMNS, 0, kHelpColumns);
        SendMessageA(state->helpButton, ANM_SETINTERVAL, 0, kHelpIntervalMs);
    }
    SetImage(state->helpButton, state->helpImage);
    state->sliding = false;
    return 0;
}

// --- Commands ---------------------------------------------------------------------------------

void OnSliderNotice(MusicWindowState& state, HWND slider, DWORD controlId, UINT code) {
    switch (code) {
        case CN_PRESSED: state.sliding = true; break;
        case CN_RELEASED: state.sliding = false; break;
        case CN_CHANGED: {
            const auto value = static_cast<int32_t>(SendMessageA(slider, SLD_GETVALUE, 0, 0));
            SendMessageA(slider, SLD_SETTHUMBFRAME, 0, value / kMusicThumbFrameDivisor);
            SetVolumePercent(controlId, value);
            break;
        }
        default: break;
    }
}

void RestoreFoundVolume(const BoundVolume& bound, DWORD controlId) {
    if (bound.readable) SetVolumeValue(controlId, bound.foundValue);
}

void OnOk(HWND window) {
    PlaySwitchedEffect(kSpokenOkBase);
    CloseMusic();
    SendMessageA(window, WM_CLOSE, 0, 0);
}

void OnCancel(HWND window, MusicWindowState& state) {
    PlaySwitchedEffect(kSpokenCancelBase);
    RestoreFoundVolume(state.master, App.MasterVolumeControl);
    RestoreFoundVolume(state.wave, App.WaveVolumeControl);
    if (MusicDevice() != 0) RestartMusic(App.PlayScreenWindow);
    SendMessageA(window, WM_CLOSE, 0, 0);
}

void OnMusicWindowCommand(HWND window, HWND control, UINT code) {
    MusicWindowState* state = StateOf(window);
    if (control == nullptr) return;
    if (code == CN_ENTER) PlaySwitchedEffect(kHoverSound);
    if (control == state->master.slider) {
        OnSliderNotice(*state, control, App.MasterVolumeControl, code);
    } else if (control == state->wave.slider) {
        OnSliderNotice(*state, control, App.WaveVolumeControl, code);
    } else if (control == state->okButton) {
        if (code == CN_CLICKED) OnOk(window);
    } else if (control == state->cancelButton) {
        if (code == CN_CLICKED) OnCancel(window, *state);
    } else if (control == state->helpButton) {
        if (code == CN_CLICKED)
            OpenHelp(window);
        else if (ButtonHoverStep(control, code))
            PlaySwitchedEffect(kAnimatedHoverSound);
    }
}

// A volume changed elsewhere moves its slider, unless the player is holding a thumb.
void OnMixerControlChange(MusicWindowState& state, DWORD controlId) {
    if (state.sliding) return;
    BoundVolume* bound = nullptr;
    if (state.master.readable && controlId == App.MasterVolumeControl)
        bound = &state.master;
    else if (state.wave.readable && controlId == App.WaveVolumeControl)
        bound = &state.wave;
    uint32_t percent = 0;
    if (bound == nullptr || bound->slider == nullptr || !GetVolumePercent(controlId, percent)) return;
    const int32_t value = SliderValueForVolume(percent);
    if (SendMessageA(bound->slider, SLD_GETVALUE, 0, 0) != value) ShowSliderValue(bound->slider, value);
}

// --- Window procedure -------------------------------------------------------------------------

void OnPaintMusicWindow(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    const RECT& r = ps.rcPaint;
    DrawBlock(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, StateOf(window)->background->GetDib(), r.left,
              r.top);
    EndPaint(window, &ps);
}

void OnDragStart(HWND window, MusicWindowState& state) {
    if (state.dragging) return;
    state.dragging = true;
    GetCursorPos(&state.lastCursor);
    SetCapture(window);
}

void OnDragMove(HWND window, MusicWindowState& state) {
    if (!state.dragging) return;
    POINT cursor;
    GetCursorPos(&cursor);
    if (cursor.x == state.lastCursor.x && cursor.y == state.lastCursor.y) return;
    RECT r;
    GetWindowRect(window, &r);
    SetWindowPos(window, nullptr, r.left + cursor.x - state.lastCursor.x, r.top + cursor.y - state.lastCursor.y, 0, 0,
                 kDragMoveFlags);
    state.lastCursor = cursor;
}

void OnDragEnd(MusicWindowState& state) {
    if (!state.dragging) return;
    state.dragging = false;
    ReleaseCapture();
}

void OnCloseMusicWindow(HWND window) {
    if (App.PlayScreenWindow != nullptr) SetForegroundWindow(App.PlayScreenWindow);
    DestroyWindow(window);
}

void OnDestroyMusicWindow() {
    MixerClose();
    if (App.PlayScreenWindow != nullptr) EnableWindow(App.PlayScreenWindow, TRUE);
}

LRESULT CALLBACK MusicWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(window) == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreateMusicWindow(window, *reinterpret_cast<const CREATESTRUCTA*>(lParam));
        case WM_PAINT: OnPaintMusicWindow(window); return 0;
        case WM_LBUTTONDOWN: OnDragStart(window, *StateOf(window)); return 0;
        case WM_MOUSEMOVE: OnDragMove(window, *StateOf(window)); return 0;
        case WM_LBUTTONUP: OnDragEnd(*StateOf(window)); return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != window) StateOf(window)->dragging = false;
            return 0;
        case WM_QUERYNEWPALETTE: InvalidateRect(window, nullptr, FALSE); return TRUE;
        case MM_MIXM_CONTROL_CHANGE: OnMixerControlChange(*StateOf(window), static_cast<DWORD>(lParam)); return 0;
        case NotifyParentMessage:
            OnMusicWindowCommand(window, reinterpret_cast<HWND>(lParam), static_cast<UINT>(wParam));
            return 0;
        case WM_CLOSE: OnCloseMusicWindow(window); return 0;
        case WM_DESTROY: OnDestroyMusicWindow(); return 0;
        // The images stay until here: the children showing them are destroyed first.
        case WM_NCDESTROY: FreeWindowState<MusicWindowState>(window); return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int32_t SliderValueForVolume(uint32_t percent) {
    return static_cast<int32_t>(std::min<uint32_t>(percent, kMusicSliderMax));
}

bool RegisterMusicWindowClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kMusicWindowClass, MusicWindowProc, kOwnDcStyle);
}

HWND OpenMusicWindow() {
    std::unique_ptr<DibImage> background(new (std::nothrow) DibImage());
    if (!background || !background->LoadById(kMusicBackgroundId)) return nullptr;
    const Point size = background->GetSize();
    RECT frame{0, 0, size.x, size.y};
    AdjustWindowRect(&frame, kDialogStyle, FALSE);
    const int32_t width = frame.right - frame.left;
    const int32_t height = frame.bottom - frame.top;
    const auto x = static_cast<int32_t>((App.ScreenWidth - width) / 2.0);
    const auto y = static_cast<int32_t>((App.ScreenHeight - height) / 2.0);
    HWND owner = App.PlayScreenWindow;
    if (owner != nullptr) EnableWindow(owner, FALSE);
    HWND window = CreateWindowExA(0, kMusicWindowClass, "", kDialogStyle, x, y, width, height, owner, nullptr,
                                  App.Instance, &background);
    // A refused create gets no WM_DESTROY under Wine: the owner is enabled again here.
    if (window == nullptr && owner != nullptr) EnableWindow(owner, TRUE);
    return window;
}
