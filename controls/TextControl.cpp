#include "controls/TextControl.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

#include "controls/ControlProtocol.h"
#include "engine/Geometry.h"
#include "gfx/DibDraw.h"
#include "gfx/GdiHandles.h"
#include "platform/WindowKind.h"

namespace {

constexpr UINT kControlClassStyle = 0;
// Resize without moving or reordering (0x206).
constexpr UINT kResizeFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOOWNERZORDER;
// A text narrower or lower than this shows nothing worth a window.
constexpr int32_t kSmallestExtent = 2;

struct TextState {
    uint8_t enabled = 1;
    uint8_t hover = 0;
    uint8_t pressed = 0;
    const PackedDib* background = nullptr;  // the parent's whole picture, owned by the owner
    // Both texts live in the block itself: nothing to allocate, nothing that can fail.
    char text[kRefusedTextLength] = {};
    int32_t textSize = 0;  // characters + 1; 0 while there is no text
    uint8_t shadow = 0;
    char face[kRefusedFaceLength] = {};
    int32_t faceSize = 0;  // characters + 1; 0 while there is no face (an empty name is one)
    int32_t fontHeight = 10;
    COLORREF shadowColour = 0x000000;
    COLORREF textColour = 0xFFFFFF;
    COLORREF disabledColour = 0xA4A0A0;
    int32_t offset = 2;  // shadow displacement and pressed displacement, in x and in y
    uint8_t ready = 0;   // fonts made, text measured, background set
    int32_t weight = FW_NORMAL;
    int32_t hoverWeight = FW_BOLD;
    GdiObject<HFONT> font;
    GdiObject<HFONT> hoverFont;
};

TextState* StateOf(HWND text) { return ControlStateOf<TextState>(text); }

bool TakesMouse(const TextState& s) { return s.enabled && s.ready; }

// The characters only: the terminating zero is never measured or drawn.
int TextLength(const TextState& s) { return s.textSize > 0 ? s.textSize - 1 : 0; }

// Ends a press or a hover without telling anyone.
void DropPressAndHover(HWND text, TextState& s) {
    if (s.pressed) {
        s.pressed = 0;
        ReleaseCaptureIfHeld(text);
    } else if (s.hover) {
        StopHoverTimer(text);
    }
    s.hover = 0;
}

// --- Measuring --------------------------------------------------------------------------------

HFONT MakeFont(const TextState& s, int32_t weight) {
    return CreateFontA(s.fontHeight, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, s.face);
}

SIZE MeasureIn(HDC dc, HFONT font, const TextState& s) {
    SIZE size{};
    SelectedObject selected(dc, font);
    if (!selected.ok() || !GetTextExtentPoint32A(dc, s.text, TextLength(s), &size)) return SIZE{};
    return size;
}

// Whether the control can show its text: fonts made, the text measured in both, the window
// sized to the larger extent plus the offset, and a background to print it on.
bool MeasureAndSize(HWND text, TextState& s) {
    if (s.textSize == 0 || s.faceSize == 0) return false;
    WindowDC dc(text);
    if (dc.get() == nullptr) return false;
    GdiObject<HFONT> font(MakeFont(s, s.weight));
    GdiObject<HFONT> hoverFont(MakeFont(s, s.hoverWeight));
    if (!font || !hoverFont) return false;
    s.font = std::move(font);
    s.hoverFont = std::move(hoverFont);
    const SIZE normal = MeasureIn(dc.get(), s.font.get(), s);
    const SIZE hovered = MeasureIn(dc.get(), s.hoverFont.get(), s);
    const LONG width = std::max(normal.cx, hovered.cx);
    const LONG height = std::max(normal.cy, hovered.cy);
    if (width < kSmallestExtent || height < kSmallestExtent || s.background == nullptr) return false;
    SetWindowPos(text, nullptr, 0, 0, width + s.offset, height + s.offset, kResizeFlags);
    return true;
}

void Remeasure(HWND text, TextState& s) {
    s.ready = MeasureAndSize(text, s) ? 1 : 0;
    // A control that is not ready ignores the mouse, so a press or hover it holds could never
    // end: they end here, silently.
    if (!s.ready) DropPressAndHover(text, s);
    RepaintControl(text);
}

// --- Painting ---------------------------------------------------------------------------------

// The part of the background under the control, black wherever the control reaches past it.
void DrawBackgroundUnder(HWND text, const TextState& s, HDC dc, SIZE client) {
    PatBlt(dc, 0, 0, client.cx, client.cy, BLACKNESS);
    POINT corner{0, 0};
    MapWindowPoints(text, GetParent(text), &corner, 1);
    const BitmapInfoHeader& h = s.background->header;
    const Rect picture{0, 0, h.biWidth, h.biHeight < 0 ? -h.biHeight : h.biHeight};
    const RectCombination under =
        CombineRects(Rect{corner.x, corner.y, client.cx, client.cy}, picture, kRectIntersection);
    if (!under.overlap || under.rect.width < 1 || under.rect.height < 1) return;
    DrawBlock(dc, under.rect.x - corner.x, under.rect.y - corner.y, under.rect.width, under.rect.height, s.background,
              under.rect.x, under.rect.y);
}

// Normal weight with its shadow at rest, heavier under the mouse, and moved onto the shadow's
// place, without shadow, while pressed over it.
void DrawLabel(HWND text, const TextState& s, HDC dc, SIZE client) {
    DrawBackgroundUnder(text, s, dc, client);
    SetBkMode(dc, TRANSPARENT);
    const bool pressedOver = s.pressed && s.hover;
    SelectedObject selected(dc, s.hover ? s.hoverFont.get() : s.font.get());
    if (s.shadow && !pressedOver) {
        SetTextColor(dc, s.shadowColour);
        TextOutA(dc, s.offset, s.offset, s.text, TextLength(s));
    }
    SetTextColor(dc, s.enabled ? s.textColour : s.disabledColour);
    const int at = pressedOver ? s.offset : 0;
    TextOutA(dc, at, at, s.text, TextLength(s));
}

// Composed in memory and copied in one piece, so the text never flickers over its background.
void OnPaintText(HWND text, const TextState& s) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(text, &ps);
    const RECT& update = ps.rcPaint;
    if (!s.ready) {
        PaintFromBlock(dc, update, nullptr);
        EndPaint(text, &ps);
        return;
    }
    RECT area{};
    GetClientRect(text, &area);
    const SIZE client{area.right, area.bottom};
    MemoryDC memory(dc);
    GdiObject<HBITMAP> canvas(CreateCompatibleBitmap(dc, client.cx, client.cy));
    if (memory.get() != nullptr && canvas) {
        SelectedObject selected(memory.get(), canvas.get());
        DrawLabel(text, s, memory.get(), client);
        BitBlt(dc, update.left, update.top, update.right - update.left, update.bottom - update.top, memory.get(),
               update.left, update.top, SRCCOPY);
    } else {
        DrawLabel(text, s, dc, client);
    }
    EndPaint(text, &ps);
}

// --- Mouse ------------------------------------------------------------------------------------

void SetHover(HWND text, TextState& s, uint8_t hover) {
    s.hover = hover;
    RepaintControl(text);
}

void OnMouseMoveText(HWND text, TextState& s) {
    if (!TakesMouse(s)) return;
    if (!s.pressed) {
        if (s.hover) return;
        SetHover(text, s, 1);
        StartHoverTimer(text);
        NotifyParent(text, CN_ENTER);
        return;
    }
    // While pressed the capture brings every move; the window under the cursor decides.
    const bool over = CursorIsOver(text);
    if (over && !s.hover) {
        SetHover(text, s, 1);
        NotifyParent(text, CN_ENTER);
    } else if (!over && s.hover) {
        SetHover(text, s, 0);
        NotifyParent(text, CN_LEAVE);
    }
}

void OnTimerText(HWND text, TextState& s) {
    if (!TakesMouse(s) || s.pressed || !s.hover) return;
    if (CursorIsOver(text)) return;
    StopHoverTimer(text);
    SetHover(text, s, 0);
    NotifyParent(text, CN_LEAVE);
}

void OnLeftButtonDownText(HWND text, TextState& s) {
    if (!TakesMouse(s)) return;
    if (s.hover) StopHoverTimer(text);
    s.pressed = 1;
    SetCapture(text);
    RepaintControl(text);
    NotifyParent(text, CN_PRESSED);
}

void OnLeftButtonUpText(HWND text, TextState& s) {
    if (!TakesMouse(s)) return;
    // Cleared before the capture goes, so the WM_CAPTURECHANGED this causes finds no press.
    s.pressed = 0;
    ReleaseCaptureIfHeld(text);
    const bool click = CursorIsOver(text);
    if (click) StartHoverTimer(text);
    SetHover(text, s, click ? 1 : 0);
    NotifyParent(text, CN_RELEASED);
    if (click) NotifyParent(text, CN_CLICKED);
}

void OnCaptureChangedText(HWND text, const TextState& s, LPARAM newOwner) {
    if (s.pressed) EndPressOnCaptureLoss(text, newOwner);
}

// --- Configuration ----------------------------------------------------------------------------

// The new colour shows at the next repaint: disabling does not repaint.
LRESULT OnSetEnabledText(HWND text, TextState& s, LPARAM enable) {
    const uint8_t flag = enable != 0 ? 1 : 0;
    if (flag == s.enabled) return kControlMessageDone;
    if (!flag) DropPressAndHover(text, s);
    s.enabled = flag;
    return kControlMessageDone;
}

LRESULT OnSetBackground(HWND text, TextState& s, LPARAM background) {
    s.background = reinterpret_cast<const PackedDib*>(background);
    Remeasure(text, s);
    return kControlMessageDone;
}

// Copies a zero-terminated string of fewer than `room` characters into `buffer`; false, buffer
// unchanged, for a null pointer or a longer string (which is read no further than `room`).
bool CopyBounded(char* buffer, int32_t room, int32_t& size, LPARAM argument, bool acceptEmpty) {
    const char* given = reinterpret_cast<const char*>(argument);
    if (given == nullptr) return false;
    const size_t length = strnlen(given, static_cast<size_t>(room));
    if (length >= static_cast<size_t>(room) || (length == 0 && !acceptEmpty)) return false;
    std::memmove(buffer, given, length);
    buffer[length] = '\0';
    size = static_cast<int32_t>(length) + 1;
    return true;
}

LRESULT OnSetText(HWND text, TextState& s, LPARAM argument) {
    if (!CopyBounded(s.text, kRefusedTextLength, s.textSize, argument, false)) return 0;
    Remeasure(text, s);
    return kControlMessageDone;
}

LRESULT OnSetFace(HWND text, TextState& s, LPARAM argument) {
    if (!CopyBounded(s.face, kRefusedFaceLength, s.faceSize, argument, true)) return 0;
    Remeasure(text, s);
    return kControlMessageDone;
}

// A setting that changes the size: stored, then the text is measured again.
LRESULT StoreAndRemeasure(HWND text, TextState& s, int32_t& field, LPARAM value) {
    field = static_cast<int32_t>(value);
    Remeasure(text, s);
    return kControlMessageDone;
}

LRESULT StoreColour(HWND text, COLORREF& field, LPARAM colour) {
    field = static_cast<COLORREF>(colour);
    RepaintControl(text);
    return kControlMessageDone;
}

LRESULT OnSetShadow(HWND text, TextState& s, LPARAM shadow) {
    s.shadow = shadow != 0 ? 1 : 0;
    Remeasure(text, s);
    return kControlMessageDone;
}

// --- Life -------------------------------------------------------------------------------------

LRESULT OnUnknownTextMessage(HWND text, UINT message, WPARAM wParam, LPARAM lParam) {
    return IsControlMessage(message) ? kControlMessageDone : DefWindowProcA(text, message, wParam, lParam);
}

LRESULT CALLBACK TextControlProc(HWND text, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_CREATE) return CreateControlState<TextState>(text);
    TextState* s = StateOf(text);
    if (s == nullptr) return DefWindowProcA(text, message, wParam, lParam);
    switch (message) {
        case WM_DESTROY: DestroyControlState<TextState>(text); return 0;
        case WM_CLOSE: DestroyWindow(text); return 0;
        case WM_PAINT: OnPaintText(text, *s); return 0;
        case WM_MOUSEMOVE: OnMouseMoveText(text, *s); return 0;
        case WM_TIMER: OnTimerText(text, *s); return 0;
        case WM_LBUTTONDOWN: OnLeftButtonDownText(text, *s); return 0;
        case WM_LBUTTONUP: OnLeftButtonUpText(text, *s); return 0;
        case WM_CAPTURECHANGED: OnCaptureChangedText(text, *s, lParam); return 0;
        case CM_GETENABLED: return s->enabled;
        case CM_SETENABLED: return OnSetEnabledText(text, *s, lParam);
        case CM_GETBITMAP: return reinterpret_cast<LRESULT>(s->background);
        case CM_SETBITMAP: return OnSetBackground(text, *s, lParam);
        case TXT_GETSHADOW: return s->shadow;
        case TXT_SETSHADOW: return OnSetShadow(text, *s, lParam);
        case TXT_GETSHADOWCOLOR: return s->shadowColour;
        case TXT_SETSHADOWCOLOR: return StoreColour(text, s->shadowColour, lParam);
        case TXT_GETCOLOR: return s->textColour;
        case TXT_SETCOLOR: return StoreColour(text, s->textColour, lParam);
        case TXT_GETDISABLEDCOLOR: return s->disabledColour;
        case TXT_SETDISABLEDCOLOR: return StoreColour(text, s->disabledColour, lParam);
        case TXT_GETOFFSET: return s->offset;
        case TXT_SETOFFSET: return StoreAndRemeasure(text, *s, s->offset, lParam);
        case TXT_GETFONTHEIGHT: return s->fontHeight;
        case TXT_SETFONTHEIGHT: return StoreAndRemeasure(text, *s, s->fontHeight, lParam);
        case TXT_GETWEIGHT: return s->weight;
        case TXT_SETWEIGHT: return StoreAndRemeasure(text, *s, s->weight, lParam);
        case TXT_GETHOVERWEIGHT: return s->hoverWeight;
        case TXT_SETHOVERWEIGHT: return StoreAndRemeasure(text, *s, s->hoverWeight, lParam);
        case TXT_SETTEXT: return OnSetText(text, *s, lParam);
        case TXT_SETFACE: return OnSetFace(text, *s, lParam);
        default: return OnUnknownTextMessage(text, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterTextControlClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kTextControlClass, TextControlProc, kControlClassStyle);
}
