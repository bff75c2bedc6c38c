// How long one step of the options panel's slide takes on the Wine desktop: the tile drawn
// again and again across the panel's width (one DrawDib draw per 103 columns, as a straight
// reading of the slide would do it), against one copy of the pre-tiled strip. Prints the
// median time of a step for each; a measurement, never a test.
//
//   scripts/wine-run.sh build/win64/bench/win/bench_options_slide.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/AppGlobals.h"
#include "app/OptionsBar.h"
#include "app/OptionsPanel.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "gfx/GdiHandles.h"
#include "gfx/ResourcePackFile.h"
#include "platform/ProgramFolder.h"

namespace {

constexpr int kSlides = 15;

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The median time of one step, in microseconds, over kSlides whole slides.
template <typename Step>
double MedianStepMicroseconds(HDC dc, Step step) {
    std::vector<double> perStep;
    for (int slide = 0; slide < kSlides; ++slide) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        for (int32_t top = kOptionsPanelHeight; top >= 0; --top) step(dc, top);
        GdiFlush();
        QueryPerformanceCounter(&end);
        perStep.push_back(Seconds(start, end) * 1e6 / (kOptionsPanelHeight + 1));
    }
    std::sort(perStep.begin(), perStep.end());
    return perStep[perStep.size() / 2];
}

}  // namespace

int main() {
    App.Instance = GetModuleHandleA(nullptr);
    FillModuleFolder(App.Instance);
    const std::string pack = std::string(App.ModuleFolder) + "..\\..\\..\\dist\\vexla.rf";
    OpenResourcePack(pack.c_str());
    if (!OptionsTile().LoadById(kOptionsTileImageId) || !BuildOptionsTileStrip(App.ScreenWidth)) {
        std::printf("no tile in %s\n", pack.c_str());
        return 1;
    }
    HWND panel = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, App.ScreenHeight - kOptionsPanelHeight,
                                 App.ScreenWidth, kOptionsPanelHeight, nullptr, nullptr, App.Instance, nullptr);
    const PackedDib* tile = OptionsTile().GetDib();
    const int32_t width = App.ScreenWidth;
    double tileByTile = 0, oneCopy = 0;
    {
        WindowDC dc(panel);
        tileByTile = MedianStepMicroseconds(dc.get(), [tile, width](HDC target, int32_t top) {
            for (int32_t x = 0; x < width; x += kOptionsTileSize)
                DrawBlock(target, x, top, kOptionsTileSize, kOptionsTileSize, tile, 0, 0);
        });
        oneCopy = MedianStepMicroseconds(
            dc.get(), [width](HDC target, int32_t top) { DrawOptionsSlideStep(target, top, width); });
    }
    std::printf("slide step on a %d-pixel-wide panel (median of %d slides of %d steps)\n", width, kSlides,
                kOptionsPanelHeight + 1);
    std::printf("  tile by tile (%d draws): %10.1f us\n", (width + kOptionsTileSize - 1) / kOptionsTileSize,
                tileByTile);
    std::printf("  one copy of the strip:  %10.1f us\n", oneCopy);
    std::printf("  whole slide: %.1f ms before, %.1f ms after\n", tileByTile * (kOptionsPanelHeight + 1) / 1000,
                oneCopy * (kOptionsPanelHeight + 1) / 1000);
    DestroyWindow(panel);
    CloseResourcePack();
    return 0;
}
