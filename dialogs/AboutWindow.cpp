#include "dialogs/AboutWindow.h"

#include <mmsystem.h>

#include <string>

#include "app/AppGlobals.h"
#include "controls/AnimationControl.h"
#include "controls/AnimationDrivers.h"
#include "controls/CommandButton.h"
#include "controls/ControlProtocol.h"
#include "dialogs/DialogPlacement.h"
#include "engine/DibBlit.h"
#include "engine/LanguageIds.h"
#include "engine/SoundIds.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "gfx/JustifiedTextDrawing.h"
#include "platform/Handles.h"
#include "platform/LanguageText.h"
#include "platform/Sound.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

namespace {

constexpr int32_t kCloseFrameRows = 2;
constexpr int32_t kCloseFrameColumns = 5;
constexpr int32_t kCloseSoundFrame = 1;

struct AboutState {
    AboutState(uint32_t shownPage, HWND ownerWindow) : page(shownPage), owner(ownerWindow) {}

    uint32_t page;
    HWND owner;
    DibImage picture;
    POINT origin{0, 0};
    // Product pages only.
    DibImage productImage;  // the product's picture, then the play button's strip
    DibImage stopImage;
    DibImage closeImage;
    HWND playButton = nullptr;
    HWND stopButton = nullptr;
    HWND closeButton = nullptr;
    char text[kProductTextCapacity] = {};
    MciDevice clip;
};

AboutState* StateOf(HWND window) { return WindowStateOf<AboutState>(window); }

POINT At(const AboutState& state, POINT offset) { return POINT{state.origin.x + offset.x, state.origin.y + offset.y}; }

RECT ClipBox(const AboutState& state) {
    return RECT{state.origin.x + kProductClipBox.left, state.origin.y + kProductClipBox.top,
                state.origin.x + kProductClipBox.right, state.origin.y + kProductClipBox.bottom};
}

// --- The product clip --------------------------------------------------------------------------
// "Video\<page - 1>.avi" below the program's folder, shown stretched into the cabinet's screen
// and not started. A page without its clip has its play and stop buttons disabled.

void OpenProductClip(HWND window, AboutState& state) {
    const std::string path = std::string(App.ModuleFolder) + "Video\\" + std::to_string(state.page - 1) + ".avi";
    MCI_OPEN_PARMSA open{};
    open.lpstrElementName = path.c_str();
    if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&open)) != 0) return;
    state.clip.reset(open.wDeviceID);
    const RECT box = ClipBox(state);
    MCI_ANIM_RECT_PARMS put{};
    put.rc = RECT{box.left, box.top, box.right - box.left, box.bottom - box.top};  // MCI takes a size here
    mciSendCommandA(state.clip.get(), MCI_PUT, MCI_ANIM_PUT_DESTINATION | MCI_ANIM_RECT | MCI_WAIT,
                    reinterpret_cast<DWORD_PTR>(&put));
    MCI_ANIM_WINDOW_PARMSA show{};
    show.hWnd = window;
    mciSendCommandA(state.clip.get(), MCI_WINDOW, MCI_ANIM_WINDOW_HWND | MCI_ANIM_WINDOW_ENABLE_STRETCH | MCI_WAIT,
                    reinterpret_cast<DWORD_PTR>(&show));
}

bool ClipIsStopped(const AboutState& state) {
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_MODE;
    if (mciSendCommandA(state.clip.get(), MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT,
                        reinterpret_cast<DWORD_PTR>(&status)) != 0)
        return false;
    return status.dwReturn == MCI_MODE_STOP;
}

// Play does nothing while the clip runs; it always starts from the beginning, since stopping
// and the clip's end bring it back there.
void PlayProductClip(HWND window, const AboutState& state) {
    if (state.clip.get() == 0 || !ClipIsStopped(state)) return;
    MCI_PLAY_PARMS play{};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(window);
    mciSendCommandA(state.clip.get(), MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play));
}

void StopProductClip(HWND window, const AboutState& state) {
    if (state.clip.get() == 0) return;
    MCI_GENERIC_PARMS stop{};
    stop.dwCallback = reinterpret_cast<DWORD_PTR>(window);
    mciSendCommandA(state.clip.get(), MCI_STOP, MCI_NOTIFY | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&stop));
}

void OnClipNotice(HWND window) {
    AboutState* state = StateOf(window);
    if (state->clip.get() == 0) return;
    const RECT box = ClipBox(*state);
    InvalidateRect(window, &box, FALSE);
    MCI_SEEK_PARMS seek{};
    mciSendCommandA(state->clip.get(), MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&seek));
}

// --- Creation ----------------------------------------------------------------------------------

HWND CreateProductButton(HWND window, const char* className, POINT at) {
    return CreateWindowExA(0, className, "", kDialogButtonStyle, at.x, at.y, kDialogControlSize, kDialogControlSize,
                           window, nullptr, App.Instance, nullptr);
}

void BuildProductPage(HWND window, AboutState& state) {
    if (state.productImage.LoadById(ProductPictureId(state.page))) {
        DibBlit(state.picture.GetDib(), kProductPictureAt.x, kProductPictureAt.y, kProductPictureSize.x,
                kProductPictureSize.y, state.productImage.GetDib(), 0, 0, kRopSrcCopy);
    }
    LoadLanguageString(ProductTextBase(state.page), state.text, kProductTextCapacity);

    state.productImage.LoadById(kProductPlayImageId);
    state.stopImage.LoadById(kProductStopImageId);
    state.closeImage.LoadById(kProductCloseImageId);
    state.playButton = CreateProductButton(window, kCommandButtonClass, At(state, kProductPlayAt));
    state.stopButton = CreateProductButton(window, kCommandButtonClass, At(state, kProductStopAt));
    for (auto [button, image] :
         {std::pair{state.playButton, &state.productImage}, std::pair{state.stopButton, &state.stopImage}}) {
        if (button == nullptr) continue;
        SendMessageA(button, CM_SETDISABLEDFRAME, 0, 1);
        SendMessageA(button, CM_SETBITMAP, 0, reinterpret_cast<LPARAM>(image->GetDib()));
    }
    state.closeButton = CreateProductButton(window, kAnimationClass, At(state, kProductCloseAt));
    if (state.closeButton != nullptr) {
        SendMessageA(state.closeButton, ANM_SETFRAMEROWS, 0, kCloseFrameRows);
        SendMessageA(state.closeButton, ANM_SETFRAMECOLUMNS, 0, kCloseFrameColumns);
        SendMessageA(state.closeButton, CM_SETBITMAP, 0, reinterpret_cast<LPARAM>(state.closeImage.GetDib()));
    }

    OpenProductClip(window, state);
    if (state.clip.get() == 0) {
        for (HWND button : {state.playButton, state.stopButton})
            if (button != nullptr) SendMessageA(button, CM_SETENABLED, 0, 0);
    }
}

LRESULT OnCreateAbout(HWND window, const CREATESTRUCTA* create) {
    const auto page = static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(create->lpCreateParams));
    AboutState* state = AttachWindowState<AboutState>(window, page, create->hwndParent);
    if (state == nullptr) return -1;
    if (!state->picture.LoadById(page == kAboutPage ? kAboutPictureId : kProductBackgroundId)) {
        FreeWindowState<AboutState>(window);
        return -1;
    }
    const Point size = state->picture.GetSize();
    state->origin = POINT{(App.ScreenWidth - size.x) / 2, (App.ScreenHeight - size.y) / 2};
    if (page != kAboutPage) BuildProductPage(window, *state);
    return 0;
}

// --- Messages ----------------------------------------------------------------------------------

// The black around the picture is the class's brush, erased by BeginPaint.
void OnPaintAbout(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    const AboutState* state = StateOf(window);
    DrawBlock(dc, state->origin.x, state->origin.y, kAboutPictureSize.x, kAboutPictureSize.y, state->picture.GetDib(),
              0, 0);
    if (state->page != kAboutPage) {
        const JustifiedTextStyle style{
            "Comic Sans MS", kProductFontWeight, kProductFontHeight, RGB(0, 0, 0), false, RGB(0, 0, 0), 0};
        const POINT at = At(*state, kProductTextAt);
        DrawJustifiedText(dc, state->text, style, at.x, at.y, kProductTextWidth);
    }
    EndPaint(window, &ps);
}

void OnProductCommand(HWND window, UINT code, HWND control) {
    const AboutState* state = StateOf(window);
    if (control == state->closeButton) {
        if (code == CN_CLICKED) {
            PostMessageA(window, WM_CLOSE, 0, 0);
        } else if (AnimHoverStep(control, code) == kCloseSoundFrame) {
            PlaySwitchedEffect(kAboutSound);
        }
        return;
    }
    if (code == CN_ENTER) {
        PlaySwitchedEffect(kHoverSound);
    } else if (code == CN_CLICKED && control == state->playButton) {
        PlayProductClip(window, *state);
    } else if (code == CN_CLICKED && control == state->stopButton) {
        StopProductClip(window, *state);
    }
}

// Only the about page closes on a click; a product page has its close button.
void OnButtonUpAbout(HWND window) {
    if (StateOf(window)->page == kAboutPage) PostMessageA(window, WM_CLOSE, 0, 0);
}

void OnKeyUpAbout(HWND window, WPARAM key) {
    if (key == VK_ESCAPE) PostMessageA(window, WM_CLOSE, 0, 0);
}

void OnCloseAbout(HWND window) {
    AboutState* state = StateOf(window);
    state->clip.reset();
    if (state->owner != nullptr) SetForegroundWindow(state->owner);
    DestroyWindow(window);
}

void OnDestroyAbout(HWND window) {
    AboutState* state = StateOf(window);
    state->clip.reset();
    if (state->owner != nullptr) EnableWindow(state->owner, TRUE);
}

LRESULT CALLBACK AboutWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(window) == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreateAbout(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        case WM_PAINT: OnPaintAbout(window); return 0;
        case NotifyParentMessage:
            OnProductCommand(window, static_cast<UINT>(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case MM_MCINOTIFY: OnClipNotice(window); return 0;
        case WM_LBUTTONUP: OnButtonUpAbout(window); return 0;
        case WM_KEYUP: OnKeyUpAbout(window, wParam); return 0;
        case WM_CLOSE: OnCloseAbout(window); return 0;
        case WM_DESTROY: OnDestroyAbout(window); return 0;
        case WM_NCDESTROY: FreeWindowState<AboutState>(window); return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

POINT AboutPictureOrigin(int32_t screenWidth, int32_t screenHeight) {
    return POINT{(screenWidth - kAboutPictureSize.x) / 2, (screenHeight - kAboutPictureSize.y) / 2};
}

uint32_t ProductTextBase(uint32_t page) {
    constexpr uint32_t kBases[kProductPageCount] = {kProductPage1StringBase, kProductPage2StringBase,
                                                    kProductPage3StringBase, kProductPage4StringBase};
    return page >= 1 && page <= kProductPageCount ? kBases[page - 1] : 0;
}

uint32_t ProductPictureId(uint32_t page) {
    return page >= 1 && page <= kProductPageCount ? kProductPictureIds[page - 1] : 0;
}

bool RegisterAboutWindowClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kAboutWindowClass, AboutWindowProc, kOwnDcStyle, ClassBackground::Black);
}

HWND OpenAboutProducts(uint32_t page, HWND owner) {
    if (page > kProductPageCount) return nullptr;
    if (owner != nullptr) EnableWindow(owner, FALSE);
    HWND window = CreateWindowExA(0, kAboutWindowClass, "", kAboutWindowStyle, 0, 0, 100, 100, owner, nullptr,
                                  App.Instance, reinterpret_cast<void*>(static_cast<UINT_PTR>(page)));
    if (window == nullptr && owner != nullptr) EnableWindow(owner, TRUE);
    return window;
}

HWND OpenAboutWindow(HWND owner) { return OpenAboutProducts(kAboutPage, owner); }
