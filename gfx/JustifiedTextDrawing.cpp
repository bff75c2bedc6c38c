#include "gfx/JustifiedTextDrawing.h"

#include <new>
#include <string_view>
#include <vector>

#include "engine/JustifiedText.h"
#include "gfx/GdiHandles.h"

namespace {

// Restores what drawing changes on a dc that a window owns (CS_OWNDC keeps it between paints).
class SavedTextSettings {
public:
    explicit SavedTextSettings(HDC dc) : dc_(dc), colour_(GetTextColor(dc)), mode_(GetBkMode(dc)) {}
    ~SavedTextSettings() {
        SetTextColor(dc_, colour_);
        SetBkMode(dc_, mode_);
        SetTextJustification(dc_, 0, 0);
    }
    SavedTextSettings(const SavedTextSettings&) = delete;
    SavedTextSettings& operator=(const SavedTextSettings&) = delete;

private:
    HDC dc_;
    COLORREF colour_;
    int mode_;
};

int32_t MeasureWith(HDC dc, const char* text, int32_t count) {
    SIZE size{};
    if (count <= 0 || !GetTextExtentPoint32A(dc, text, count, &size)) return 0;
    return size.cx;
}

}  // namespace

void DrawJustifiedText(HDC dc,
                       const char* text,
                       const JustifiedTextStyle& style,
                       int32_t x,
                       int32_t y,
                       int32_t boxWidth) noexcept {
    if (dc == nullptr || text == nullptr) return;
    GdiObject<HFONT> font(CreateFontA(style.height, 0, 0, 0, style.weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                      style.face));
    if (!font) return;
    SelectedObject selected(dc, font.get());
    SavedTextSettings saved(dc);
    SetTextJustification(dc, 0, 0);  // a justification left on the dc would widen every measure
    SetBkMode(dc, TRANSPARENT);

    std::vector<JustifiedLine> lines;
    try {
        lines = LayOutJustifiedText(std::string_view(text), boxWidth,
                                    [dc](const char* chars, int32_t count) { return MeasureWith(dc, chars, count); });
    } catch (const std::bad_alloc&) {
        return;
    }
    SIZE space{};
    GetTextExtentPoint32A(dc, " ", 1, &space);
    for (const JustifiedLine& line : lines) {
        const char* chars = text + line.start;
        const int32_t top = y + line.row * space.cy;
        if (line.justified) SetTextJustification(dc, line.extraWidth, line.breakCount);
        if (style.shadow) {
            SetTextColor(dc, style.shadowColour);
            TextOutA(dc, x + style.shadowOffset, top + style.shadowOffset, chars, line.count);
        }
        SetTextColor(dc, style.colour);
        TextOutA(dc, x, top, chars, line.count);
        if (line.justified) SetTextJustification(dc, 0, 0);
    }
}
