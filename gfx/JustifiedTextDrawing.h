// Drawing a justified text (engine/JustifiedText.h) onto a device context: the message window
// and the about window show their texts this way. Each line is measured and drawn with the
// same font, and the lines that the layout justifies are stretched to the box's width with
// SetTextJustification.
#pragma once

#include <windows.h>

#include <cstdint>

struct JustifiedTextStyle {
    const char* face;
    int32_t weight;
    int32_t height;
    COLORREF colour;
    bool shadow;  // a copy in shadowColour, shadowOffset pixels right and down, first
    COLORREF shadowColour;
    int32_t shadowOffset;
};

// Draws `text` (NUL-terminated, "\n" separates lines) with its first row's top-left at (x, y)
// in a box `boxWidth` pixels wide; rows are one space's height apart and may run below any
// box. The dc keeps its font, colour, background mode and justification afterwards. Nothing is
// drawn when the font cannot be made or memory for the layout is short.
void DrawJustifiedText(HDC dc,
                       const char* text,
                       const JustifiedTextStyle& style,
                       int32_t x,
                       int32_t y,
                       int32_t boxWidth) noexcept;
