// Congratulation window art: its picture (327), the last moment of the congratulation
// clip, so that the window shows exactly where the clip ended, and the blinking close
// button (328) drawn over the plate the picture keeps for it.
#include "assets/ArtDialogKit.h"
#include "assets/ArtDialogRegistry.h"
#include "assets/ClipScene.h"

using namespace art;

namespace {

constexpr int kCloseX = 148, kCloseY = 150;

const Bitmap& Picture() {
    static const Bitmap picture = [] {
        ClipFormat format = CongratulationClip();
        Canvas canvas(format.width, format.height);
        DrawCongratulationPicture(canvas.cr());
        return canvas.ToBitmap24();
    }();
    return picture;
}

// Close: 0 rest, 1 lit (the two alternate while the window waits), 2 held down.
Bitmap PaintClose(const ManifestEntry& e) {
    int fw = FrameWidth(e), fh = FrameHeight(e);
    return DrawOver(Picture(), kCloseX, kCloseY, fw, fh, 1, 3, [&](cairo_t* cr, int f) {
        RoundCloseFace(cr, fw / 2.0, fh / 2.0, fw * 0.38, f == 2 ? Look::Pressed : Look::Normal, f == 1);
    });
}

}  // namespace

void RegisterCongratulationArt(PainterTable& table) {
    table[327] = [](const ManifestEntry&) { return Picture(); };
    table[328] = PaintClose;
}
