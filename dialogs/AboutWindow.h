// The about window (CWNDABOUTPRODUC): the screen in black with a 640 x 480 picture in the
// middle. Page 0 is the about page: any click or Escape closes it. Pages 1 to 4 describe the
// maker's other products: a picture, a justified text, a clip in a cabinet with play and stop
// buttons (disabled when the page has no clip), and a close button; only that button and
// Escape close them. The owner (the main menu) is disabled while the window is shown.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr char kAboutWindowClass[] = "CWNDABOUTPRODUC";
constexpr uint32_t kAboutPictureId = 410;
constexpr uint32_t kProductBackgroundId = 412;
constexpr uint32_t kProductPictureIds[] = {600, 601, 602, 603};  // pages 1 to 4
constexpr uint32_t kProductPlayImageId = 413;
constexpr uint32_t kProductStopImageId = 414;
constexpr uint32_t kProductCloseImageId = 205;
constexpr uint32_t kAboutPage = 0;
constexpr uint32_t kProductPageCount = 4;
constexpr POINT kAboutPictureSize{640, 480};
constexpr DWORD kAboutWindowStyle = WS_POPUP | WS_VISIBLE | WS_MAXIMIZE | WS_CLIPCHILDREN | WS_DLGFRAME;  // 0x93400000

// Places on a product page, from the picture's top-left corner.
constexpr POINT kProductPictureAt{1, 0};
constexpr POINT kProductPictureSize{266, 174};
constexpr POINT kProductTextAt{48, 188};
constexpr int32_t kProductTextWidth = 217;
constexpr int32_t kProductFontHeight = 22;
constexpr int32_t kProductFontWeight = 600;
constexpr int32_t kProductTextCapacity = 300;
constexpr POINT kProductPlayAt{505, 320};
constexpr POINT kProductStopAt{538, 320};
constexpr POINT kProductCloseAt{440, 412};
constexpr RECT kProductClipBox{364, 158, 364 + 222, 158 + 162};

bool RegisterAboutWindowClass(HINSTANCE instance);

// Opens page `page` (0 about, 1 to 4 a product) over the screen, owned by `owner` (may be
// null); null for a page that does not exist or a window that could not be made, and the
// owner is usable again.
HWND OpenAboutProducts(uint32_t page, HWND owner);
// The about page, as the main menu's logo opens it.
HWND OpenAboutWindow(HWND owner);

// Where the picture's top-left corner stands on a screen of that size (halves truncated).
POINT AboutPictureOrigin(int32_t screenWidth, int32_t screenHeight);
// The string base of a product page's text, and the pack bitmap of its picture (page 1 to 4).
uint32_t ProductTextBase(uint32_t page);
uint32_t ProductPictureId(uint32_t page);
