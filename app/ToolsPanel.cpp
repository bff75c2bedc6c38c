#include "app/ToolsPanel.h"

#include <mmsystem.h>

#include "app/AppGlobals.h"
#include "app/PlayScreen.h"
#include "app/ToolStrip.h"
#include "board/BoardGlobals.h"
#include "controls/AnimationControl.h"
#include "controls/AnimationDrivers.h"
#include "controls/ControlProtocol.h"
#include "engine/SoundIds.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "gfx/GdiHandles.h"
#include "platform/Sound.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

namespace {

constexpr DWORD kToolsPanelStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD kToolStyle = WS_CHILD | WS_CLIPSIBLINGS;
constexpr int32_t kToolRows = 2;
constexpr int32_t kToolSteps = 5;  // the panel's height is shared out in five steps

struct ToolLayout {
    int32_t x;
    int32_t steps;  // y = steps x step + yOffset
    int32_t yOffset;
    uint32_t imageId;
    int32_t columns;
};

constexpr ToolLayout kToolLayouts[kToolCount] = {
    {27, 0, 0, 213, 5},    // statistics
    {16, 1, 0, 188, 5},    // solve
    {31, 2, 0, 193, 6},    // hint
    {3, 3, 0, 190, 5},     // music
    {24, 4, -10, 189, 5},  // hall of honour
};

// Frames of the wrap-around cycle at which a tool plays its sound.
constexpr int32_t kStatisticsSoundFrame = 6;
constexpr int32_t kSolveSoundFrameA = 0;
constexpr int32_t kSolveSoundFrameB = 4;
constexpr int32_t kHonourSoundFrame = 3;

// The music tool's user data: bit 0 tells that the pointer has left, bit 1 that the
// frames are running back down.
constexpr LRESULT kMusicLeftFlag = 1;
constexpr LRESULT kMusicFallingFlag = 2;
// The hint tool's user data: 1 once the pointer has left.
constexpr LRESULT kHintLeftFlag = 1;

struct ToolsPanelState {
    DibImage images[kToolCount];
    HWND tools[kToolCount] = {};
};

ToolsPanelState* PanelState(HWND panel) { return WindowStateOf<ToolsPanelState>(panel); }

int32_t ToolOf(HWND control) { return GetDlgCtrlID(control) - kFirstToolId; }

LRESULT Frame(HWND tool) { return SendMessageA(tool, ANM_GETFRAME, 0, 0); }
void SetFrame(HWND tool, int32_t frame) { SendMessageA(tool, ANM_SETFRAME, 0, frame); }
void SetRunning(HWND tool, bool running) { SendMessageA(tool, ANM_SETRUNNING, 0, running ? 1 : 0); }
LRESULT UserData(HWND tool) { return SendMessageA(tool, ANM_GETUSERDATA, 0, 0); }
void SetUserData(HWND tool, LRESULT data) { SendMessageA(tool, ANM_SETUSERDATA, 0, data); }

HWND CreateTool(HWND panel, ToolsPanelState& state, int32_t tool) {
    const ToolLayout& layout = kToolLayouts[tool];
    const POINT at = ToolPosition(tool, App.ScreenHeight);
    HWND control =
        CreateWindowExA(0, kAnimationClass, "", kToolStyle, at.x, at.y, 50, 50, panel,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstToolId + tool)), App.Instance, nullptr);
    if (control == nullptr) return nullptr;
    SendMessageA(control, ANM_SETFRAMEROWS, 0, kToolRows);
    SendMessageA(control, ANM_SETFRAMECOLUMNS, 0, layout.columns);
    if (tool == kMusicTool) SendMessageA(control, ANM_SETINTERVAL, 0, kMusicToolIntervalMs);
    state.images[tool].LoadById(layout.imageId);
    SendMessageA(control, CM_SETBITMAP, 0, reinterpret_cast<LPARAM>(state.images[tool].GetDib()));
    if (tool != kHintTool) SetFrame(control, 0);
    return control;
}

LRESULT OnCreateToolsPanel(HWND panel) {
    ToolsPanelState* state = AttachWindowState<ToolsPanelState>(panel);
    if (state == nullptr) return -1;
    App.ToolsPanelWindow = panel;
    App.ToolsPanelShown = 0;
    LocateToolsPanelSounds();
    for (int32_t tool = 0; tool < kToolCount; ++tool) state->tools[tool] = CreateTool(panel, *state, tool);
    App.HintTool = state->tools[kHintTool];
    if (mixerGetNumDevs() == 0 && state->tools[kMusicTool] != nullptr)
        SendMessageA(state->tools[kMusicTool], CM_SETENABLED, 0, 0);
    return 0;
}

// The tool images stay until WM_NCDESTROY: the tools showing them are destroyed after this.
void OnDestroyToolsPanel(HWND panel) {
    KillTimer(panel, kToolsPanelLeaveTimerId);
    KillTimer(panel, kHintSmokeTimerId);
    if (App.ToolsPanelWindow == panel) {
        App.ToolsPanelWindow = nullptr;
        App.HintTool = nullptr;
        App.ToolsPanelShown = 0;
    }
}

void OnPaintToolsPanel(HWND panel) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(panel, &ps);
    const PackedDib* tile = ToolTile().GetDib();
    const int32_t left = ps.rcPaint.left;
    if (tile != nullptr && left < kToolTileWidth) {
        for (int32_t top = ps.rcPaint.top; top < ps.rcPaint.bottom; top += kToolTileHeight)
            DrawBlock(dc, left, top, kToolTileWidth - left, kToolTileHeight, tile, left, 0);
    }
    EndPaint(panel, &ps);
}

void HideToolsPanel(HWND panel) {
    KillTimer(panel, kToolsPanelLeaveTimerId);
    App.ToolsPanelShown = 0;
    if (ToolsPanelState* state = PanelState(panel)) {
        for (HWND tool : state->tools)
            if (tool != nullptr) ShowWindow(tool, SW_HIDE);
    }
    ShowWindow(panel, SW_HIDE);
}

// A disabled control does not tick, so the panel runs the spent bulb's smoke (frames 4 to 11)
// with a timer of its own, at the tool's interval, and leaves it on the last frame.
void OnHintSmokeTick(HWND panel) {
    HWND tool = App.HintTool;
    const int32_t frame = tool != nullptr ? static_cast<int32_t>(Frame(tool)) : kHintLastFrame;
    if (tool == nullptr || SendMessageA(tool, CM_GETENABLED, 0, 0) != 0 || frame >= kHintLastFrame) {
        KillTimer(panel, kHintSmokeTimerId);
        return;
    }
    SetFrame(tool, frame + 1);
    if (frame + 1 >= kHintLastFrame) KillTimer(panel, kHintSmokeTimerId);
}

void OnTimerToolsPanel(HWND panel, WPARAM timer) {
    if (timer == kHintSmokeTimerId) {
        OnHintSmokeTick(panel);
        return;
    }
    if (timer != kToolsPanelLeaveTimerId) return;
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(panel, &cursor);
    if (!PointKeepsToolsPanel(cursor, App.ScreenHeight)) HideToolsPanel(panel);
}

// Frames 0 to 3 glow in a loop while the hint tool is enabled and stop at 0 once the pointer
// has left.
void HintToolStep(HWND tool, UINT code) {
    switch (code) {
        case CN_ENTER:
            SetRunning(tool, true);
            SetUserData(tool, 0);
            break;
        case CN_LEAVE: SetUserData(tool, kHintLeftFlag); break;
        case CN_TICK: {
            const int32_t next = (static_cast<int32_t>(Frame(tool)) + 1) % kHintGlowFrames;
            SetFrame(tool, next);
            if (next == kHintBrightFrame) PlaySwitchedEffect(kLogoSound);
            if (next == kHintRestFrame && UserData(tool) == kHintLeftFlag) SetRunning(tool, false);
            break;
        }
        default: break;
    }
}

// Frames 0 up to 9 and back down to 0, again and again while hovered; after the pointer has
// left, the run ends when it is back at frame 0.
void MusicToolStep(HWND tool, UINT code) {
    switch (code) {
        case CN_ENTER:
            SetRunning(tool, true);
            SetUserData(tool, UserData(tool) & ~kMusicLeftFlag);
            break;
        case CN_LEAVE: SetUserData(tool, UserData(tool) | kMusicLeftFlag); break;
        case CN_TICK: {
            LRESULT data = UserData(tool);
            const int32_t frame = static_cast<int32_t>(Frame(tool));
            int32_t next;
            if ((data & kMusicFallingFlag) != 0) {
                next = frame > 0 ? frame - 1 : 0;
                if (next == 0) data &= ~kMusicFallingFlag;
            } else {
                next = frame < kMusicTopFrame ? frame + 1 : kMusicTopFrame;
                if (next == kMusicTopFrame) data |= kMusicFallingFlag;
                if (next == kMusicSoundFrame) PlaySwitchedEffect(kMusicToolSound);
            }
            SetFrame(tool, next);
            SetUserData(tool, data);
            if (next == 0 && (data & kMusicLeftFlag) != 0) SetRunning(tool, false);
            break;
        }
        default: break;
    }
}

void WrapToolStep(HWND tool, int32_t index, UINT code) {
    const int32_t frame = AnimHoverStep(tool, code);
    if (frame == kNoTickFrame) return;
    switch (index) {
        case kStatisticsTool:
            if (frame == kStatisticsSoundFrame) PlaySwitchedEffect(kStatsToolSound);
            break;
        case kSolveTool:
            if (frame == kSolveSoundFrameA || frame == kSolveSoundFrameB) PlaySwitchedEffect(kSolveToolSound);
            break;
        case kHonourTool:
            if (frame == kHonourSoundFrame) PlaySwitchedEffect(kHonourToolSound);
            break;
        default: break;
    }
}

void OnToolClicked(HWND tool, int32_t index) {
    switch (index) {
        case kStatisticsTool: OpenStatisticsFromPlay(); break;
        case kSolveTool:
            SolvePuzzleInPlay();
            EnableHintTool();
            break;
        case kHintTool:
            if (!TakeHintInPlay()) SpendHintTool();
            break;
        case kMusicTool: OpenMusicFromPlay(); break;
        case kHonourTool: OpenHallOfHonourFromPlay(); break;
        default: break;
    }
}

void OnToolsPanelCommand(HWND tool, UINT code) {
    const int32_t index = ToolOf(tool);
    if (index < 0 || index >= kToolCount) return;
    if (code == CN_CLICKED) {
        OnToolClicked(tool, index);
    } else if (index == kHintTool) {
        HintToolStep(tool, code);
    } else if (index == kMusicTool) {
        MusicToolStep(tool, code);
    } else {
        WrapToolStep(tool, index, code);
    }
}

LRESULT CALLBACK ToolsPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && PanelState(panel) == nullptr) return DefWindowProcA(panel, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreateToolsPanel(panel);
        case WM_PAINT: OnPaintToolsPanel(panel); return 0;
        case WM_TIMER: OnTimerToolsPanel(panel, wParam); return 0;
        case NotifyParentMessage:
            OnToolsPanelCommand(reinterpret_cast<HWND>(lParam), static_cast<UINT>(wParam));
            return 0;
        case WM_DESTROY: OnDestroyToolsPanel(panel); return 0;
        case WM_NCDESTROY: FreeWindowState<ToolsPanelState>(panel); return 0;
        default: return DefWindowProcA(panel, message, wParam, lParam);
    }
}

}  // namespace

POINT ToolPosition(int32_t tool, int32_t screenHeight) {
    const int32_t step = (screenHeight - kToolStripHeightMargin) / kToolSteps;
    const ToolLayout& layout = kToolLayouts[tool];
    return POINT{layout.x, layout.steps * step + layout.yOffset};
}

bool PointKeepsToolsPanel(POINT point, int32_t screenHeight) {
    // The whole height of the panel counts (ScreenHeight - 96 rows), so the panel never hides
    // under a pointer that is still on it.
    return point.x >= 0 && point.x <= kToolsPanelWidth && point.y >= 0 &&
           point.y < screenHeight - kToolStripHeightMargin;
}

bool RegisterToolsPanelClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kToolsPanelClass, ToolsPanelProc, kOwnDcStyle);
}

HWND CreateToolsPanel(HWND playScreen) {
    return CreateWindowExA(0, kToolsPanelClass, "", kToolsPanelStyle, 0, kToolStripTop, kToolsPanelWidth,
                           App.ScreenHeight - kToolStripHeightMargin, playScreen, nullptr, App.Instance, nullptr);
}

void ShowToolsPanel() {
    HWND panel = App.ToolsPanelWindow;
    if (panel == nullptr || App.ToolsPanelShown) return;
    App.ToolsPanelShown = 1;
    ShowWindow(panel, SW_SHOW);
    // The slide-out: 120 one-pixel steps drawn straight into the panel, with no pause.
    if (const PackedDib* tile = ToolTile().GetDib()) {
        WindowDC dc(panel);
        const int32_t height = App.ScreenHeight - kToolStripHeightMargin;
        for (int32_t x = kToolsPanelSlideStart; x <= 0; ++x) {
            for (int32_t y = 0; y < height; y += kToolTileHeight)
                DrawBlock(dc.get(), x, y, kToolTileWidth, kToolTileHeight, tile, 0, 0);
        }
    }
    if (ToolsPanelState* state = PanelState(panel)) {
        for (HWND tool : state->tools)
            if (tool != nullptr) ShowWindow(tool, SW_SHOW);
    }
    ValidateRect(panel, nullptr);
    SetTimer(panel, kToolsPanelLeaveTimerId, kToolsPanelLeaveCheckMs, nullptr);
}

void SpendHintTool() {
    HWND tool = App.HintTool;
    if (tool == nullptr) return;
    SendMessageA(tool, CM_SETENABLED, 0, 0);
    SetRunning(tool, false);
    SetFrame(tool, kHintSpentFrame);
    PlaySwitchedEffect(kHintsGoneSound);
    const UINT interval = static_cast<UINT>(SendMessageA(tool, ANM_GETINTERVAL, 0, 0));
    SetTimer(App.ToolsPanelWindow, kHintSmokeTimerId, interval, nullptr);
}

void EnableHintTool() {
    if (App.HintTool == nullptr) return;
    if (App.ToolsPanelWindow != nullptr) KillTimer(App.ToolsPanelWindow, kHintSmokeTimerId);
    SendMessageA(App.HintTool, CM_SETENABLED, 0, 1);
    SetFrame(App.HintTool, kHintRestFrame);
}
