// The tools panel (CWNDHerramientas): five animated tools (statistics, solve, hint, music,
// hall of honour) on a parchment panel that slides out over the tool strip while the pointer
// is on it and hides as soon as the pointer has left it.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr char kToolsPanelClass[] = "CWNDHerramientas";
constexpr int32_t kToolsPanelWidth = 136;
constexpr UINT_PTR kToolsPanelLeaveTimerId = 1;
constexpr UINT kToolsPanelLeaveCheckMs = 100;
constexpr UINT_PTR kHintSmokeTimerId = 2;
constexpr int32_t kToolsPanelSlideStart = -119;  // the slide-out draws the tile from x -119 up to 0

enum ToolIndex : int32_t {
    kStatisticsTool = 0,
    kSolveTool = 1,
    kHintTool = 2,
    kMusicTool = 3,
    kHonourTool = 4,
    kToolCount = 5,
};

// Control identifiers of the five tools inside the panel.
constexpr int32_t kFirstToolId = 200;

// Frames of the hint tool's sheet (2 rows of 6).
constexpr int32_t kHintRestFrame = 0;
constexpr int32_t kHintGlowFrames = 4;  // 0 to 3 loop while the tool is enabled
constexpr int32_t kHintBrightFrame = 1;
constexpr int32_t kHintSpentFrame = 4;
constexpr int32_t kHintLastFrame = 11;
// Frames of the music tool's sheet (2 rows of 5), run up to 9 and back down.
constexpr int32_t kMusicTopFrame = 9;
constexpr int32_t kMusicSoundFrame = 1;
constexpr UINT kMusicToolIntervalMs = 70;

bool RegisterToolsPanelClass(HINSTANCE instance);
HWND CreateToolsPanel(HWND playScreen);

// Slides the panel out and shows its tools; nothing while it is shown.
void ShowToolsPanel();
// The hints are used up: the hint tool is disabled, shows its spent bulb (frame 4), plays the
// sound of it and lets its smoke rise up to frame 11.
void SpendHintTool();
// The hint tool enabled again at its resting frame: a new game, a completed puzzle, the
// solve tool.
void EnableHintTool();

// Where tool `tool` sits in the panel for a screen `screenHeight` pixels high.
POINT ToolPosition(int32_t tool, int32_t screenHeight);
// Whether a point in the panel's client coordinates still counts as inside it: anywhere on
// the panel, its right edge included.
bool PointKeepsToolsPanel(POINT point, int32_t screenHeight);
