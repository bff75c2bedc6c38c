// CQVTXT, one line of text printed over the part of its parent's background picture that it
// covers, optionally with a drop shadow, in a window sized to the text. It doubles as a hot
// link: under the mouse it switches to a heavier font, pressed it moves the text onto its
// shadow, and it reports enter, leave, press, release and click like a button. A disabled
// text control ignores the mouse and draws in its disabled colour; owners use that for plain
// labels.
//
// It is ready once it has a text, a face name and the background; until then it is black and
// ignores the mouse. The background is the whole picture the parent paints at its own (0, 0),
// and the control copies the part under itself. Its size is the larger extent of the text in
// the normal and the hover font, plus the shadow offset.
//
// Messages: CM_GETENABLED .. CM_SETBITMAP (the background) and the TXT_ numbers below; there is
// no message that returns the text. Notifications: CN_PRESSED, CN_RELEASED, CN_ENTER,
// CN_LEAVE, CN_CLICKED. A left-button release over an enabled, ready control counts as a
// click even without a press on it.
#pragma once

#include <windows.h>

constexpr char kTextControlClass[] = "CQVTXT";

constexpr UINT TXT_GETSHADOW = WM_USER + 310;         // 1334
constexpr UINT TXT_SETSHADOW = WM_USER + 311;         // 1335: nonzero draws the shadow
constexpr UINT TXT_GETSHADOWCOLOR = WM_USER + 312;    // 1336
constexpr UINT TXT_SETSHADOWCOLOR = WM_USER + 313;    // 1337: COLORREF
constexpr UINT TXT_GETCOLOR = WM_USER + 314;          // 1338
constexpr UINT TXT_SETCOLOR = WM_USER + 315;          // 1339: COLORREF, used while enabled
constexpr UINT TXT_GETDISABLEDCOLOR = WM_USER + 316;  // 1340
constexpr UINT TXT_SETDISABLEDCOLOR = WM_USER + 317;  // 1341: COLORREF, used while disabled
constexpr UINT TXT_GETOFFSET = WM_USER + 318;         // 1342
constexpr UINT TXT_SETOFFSET = WM_USER + 319;         // 1343: shadow and pressed shift, pixels
constexpr UINT TXT_GETFONTHEIGHT = WM_USER + 320;     // 1344
constexpr UINT TXT_SETFONTHEIGHT = WM_USER + 321;     // 1345: the height given to CreateFontA
constexpr UINT TXT_GETWEIGHT = WM_USER + 322;         // 1346
constexpr UINT TXT_SETWEIGHT = WM_USER + 323;         // 1347: weight at rest
constexpr UINT TXT_GETHOVERWEIGHT = WM_USER + 324;    // 1348
constexpr UINT TXT_SETHOVERWEIGHT = WM_USER + 325;    // 1349: weight under the mouse
constexpr UINT TXT_SETTEXT = WM_USER + 327;           // 1351: 1 to 199 characters, else 0
constexpr UINT TXT_SETFACE = WM_USER + 328;           // 1352: at most 99 characters, else 0

// Texts of this many characters or more are refused, and so are face names of kRefusedFaceLength.
constexpr int kRefusedTextLength = 200;
constexpr int kRefusedFaceLength = 100;

// The look of the program's own texts.
constexpr char kTextFace[] = "Comic Sans MS";

bool RegisterTextControlClass(HINSTANCE instance);
