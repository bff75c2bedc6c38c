#include "app/TestGameLoad.h"

#include "app/AppGlobals.h"
#include "board/BoardGlobals.h"
#include "board/SurfaceWindows.h"
#include "engine/PuzzleFile.h"

namespace {

constexpr char kTestGameVariable[] = "VEXLA_TEST_GAME";

}  // namespace

bool TestGameAsked() { return GetEnvironmentVariableA(kTestGameVariable, nullptr, 0) > 0; }

void LoadTestGame() {
    char path[MAX_PATH] = "";
    const DWORD length = GetEnvironmentVariableA(kTestGameVariable, path, sizeof path);
    if (length == 0 || length >= sizeof path) return;
    PuzzleFileEnvironment env;
    env.cut = GameCutEnvironment();
    env.gameFolder = App.ModuleFolder;
    const LoadGameResult loaded = LoadGame(Board.Puzzle, path, env);
    if (loaded.outcome == LoadOutcome::Loaded) ApplyBoardChanges(loaded.changes);
}
