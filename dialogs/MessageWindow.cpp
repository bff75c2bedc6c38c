#include "dialogs/MessageWindow.h"

#include "app/AppGlobals.h"
#include "controls/ControlProtocol.h"
#include "dialogs/BackgroundDrag.h"
#include "dialogs/DialogPlacement.h"
#include "engine/AppString.h"
#include "engine/DibBlit.h"
#include "engine/SoundIds.h"
#include "gfx/DibDraw.h"
#include "gfx/DibImage.h"
#include "gfx/JustifiedTextDrawing.h"
#include "platform/LanguageText.h"
#include "platform/Sound.h"
#include "platform/WindowKind.h"
#include "platform/WindowState.h"

namespace {

constexpr WPARAM kEnterKey = 13;
constexpr WPARAM kEscapeKey = 27;
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;

// What AskUser hands to the new window.
struct Question {
    char text[kMessageTextCapacity] = {};
    HWND owner = nullptr;
    bool withEdit = false;
    AskUserCallback onClose = nullptr;
};

struct MessageState {
    explicit MessageState(const Question& asked) : question(asked) {}

    Question question;
    bool answer = false;
    DibImage background;
    DibImage okImage;
    DibImage cancelImage;
    HWND okButton = nullptr;
    HWND cancelButton = nullptr;
    HWND editField = nullptr;
    BackgroundDrag drag;
};

MessageState* StateOf(HWND window) { return WindowStateOf<MessageState>(window); }

// --- Delivering the answer ---------------------------------------------------------------------
// The answer travels on a thread timer, so that it arrives once the window is gone and the
// owner is enabled again. What it needs is copied out of the window's state first: the
// callback may ask the next question, and that window has a state of its own.

struct PendingAnswer {
    UINT_PTR timer = 0;
    HWND owner = nullptr;
    AskUserCallback onClose = nullptr;
    bool answer = false;
};

// Answers given but not yet delivered; a slot is free while its timer is 0. More than a few at
// once would take several windows closing within 45 ms.
PendingAnswer pendingAnswers[8];

void Deliver(const PendingAnswer& pending) {
    if (pending.owner != nullptr && IsWindow(pending.owner)) EnableWindow(pending.owner, TRUE);
    if (pending.onClose != nullptr) pending.onClose(pending.answer);
}

void CALLBACK DeliverAnswerOnTick(HWND, UINT, UINT_PTR timer, DWORD) noexcept {
    KillTimer(nullptr, timer);
    for (PendingAnswer& slot : pendingAnswers) {
        if (slot.timer != timer) continue;
        const PendingAnswer pending = slot;
        slot = PendingAnswer{};
        Deliver(pending);
        return;
    }
}

void ScheduleAnswer(const MessageState& state) {
    PendingAnswer pending{0, state.question.owner, state.question.onClose, state.answer};
    for (PendingAnswer& slot : pendingAnswers) {
        if (slot.timer != 0) continue;
        pending.timer = SetTimer(nullptr, 0, kMessageCompletionDelayMs, DeliverAnswerOnTick);
        if (pending.timer == 0) break;
        slot = pending;
        return;
    }
    // No timer to be had: the answer is delivered at once rather than lost.
    Deliver(pending);
}

// --- Creation ----------------------------------------------------------------------------------

void CopyTitleOfLanguage(MessageState& state) {
    if (App.LanguageIndex == 0) return;  // the background carries the Spanish title
    if (!state.okImage.LoadById(kMessageTitleBase + App.LanguageIndex)) return;
    DibBlit(state.background.GetDib(), 0, 0, kMessageTitleSize.x, kMessageTitleSize.y, state.okImage.GetDib(), 0, 0,
            kRopSrcCopy);
}

void BuildMessageChildren(HWND window, MessageState& state) {
    if (state.question.withEdit) {
        state.editField =
            CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", kEditStyle, kMessageEditRect.left, kMessageEditRect.top,
                            kMessageEditRect.right - kMessageEditRect.left,
                            kMessageEditRect.bottom - kMessageEditRect.top, window, nullptr, App.Instance, nullptr);
        if (state.editField != nullptr) {
            SendMessageA(state.editField, EM_LIMITTEXT, kEnteredNameMaxChars, 0);
            SetFocus(state.editField);
        }
    }
    CopyTitleOfLanguage(state);
    state.okImage.LoadById(kMessageOkImageId);
    state.okButton = CreateDialogButton(window, kMessageOkAt, state.okImage.GetDib());
    if (state.question.onClose != nullptr) {
        state.cancelImage.LoadById(kMessageCancelImageId);
        state.cancelButton = CreateDialogButton(window, kMessageCancelAt, state.cancelImage.GetDib());
    }
}

LRESULT OnCreateMessage(HWND window, const CREATESTRUCTA* create) {
    const auto* question = static_cast<const Question*>(create->lpCreateParams);
    MessageState* state = AttachWindowState<MessageState>(window, *question);
    if (state == nullptr) return -1;
    if (!state->background.LoadById(kMessageBackgroundId)) {
        FreeWindowState<MessageState>(window);
        return -1;
    }
    const Point size = state->background.GetSize();
    FitDialogToBackground(window, size.x, size.y);
    BuildMessageChildren(window, *state);
    return 0;
}

// --- Messages ----------------------------------------------------------------------------------

void OnPaintMessage(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    const MessageState* state = StateOf(window);
    DrawBlock(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
              ps.rcPaint.bottom - ps.rcPaint.top, state->background.GetDib(), ps.rcPaint.left, ps.rcPaint.top);
    const JustifiedTextStyle style{"Comic Sans MS", FW_NORMAL, kMessageFontHeight, RGB(0, 0, 0), false,
                                   RGB(0, 0, 0),    0};
    DrawJustifiedText(dc, state->question.text, style, kMessageTextAt.x, kMessageTextAt.y, kMessageTextWidth);
    EndPaint(window, &ps);
}

void Answer(HWND window, bool answer) {
    StateOf(window)->answer = answer;
    SendMessageA(window, WM_CLOSE, 0, 0);
}

// The buttons' notices.
void OnMessageCommand(HWND window, UINT code, HWND control) {
    if (code == CN_CLICKED) {
        Answer(window, control == StateOf(window)->okButton);
    } else if (code == CN_ENTER) {
        PlaySwitchedEffect(kHoverSound);
    }
}

// Enter accepts and Escape cancels, whether the window or one of its children has the focus.
LRESULT OnMessageChar(HWND window, WPARAM key) {
    if (key == kEnterKey) {
        Answer(window, true);
        return 1;
    }
    if (key == kEscapeKey) {
        Answer(window, false);
        return 1;
    }
    return 0;
}

void OnCloseMessage(HWND window) {
    const HWND owner = StateOf(window)->question.owner;
    if (owner != nullptr) SetForegroundWindow(owner);
    DestroyWindow(window);
}

// The text of the edit field, up to its first line's end, into EnteredName.
void KeepEnteredName(HWND editField) {
    char name[kEnteredNameMaxChars + 1] = {};
    const LRESULT length = SendMessageA(editField, EM_LINELENGTH, 0, 0);
    const WPARAM capacity = static_cast<WPARAM>(length < kEnteredNameMaxChars ? length : kEnteredNameMaxChars) + 1;
    SendMessageA(editField, WM_GETTEXT, capacity, reinterpret_cast<LPARAM>(name));
    EnteredName.Assign(name);
}

void OnDestroyMessage(HWND window) {
    MessageState* state = StateOf(window);
    // The spoken answer plays whatever the sound switch says; an empty slot plays nothing.
    if (state->answer) {
        if (const void* sound = SoundSlot(kSpokenOkBase)) PlayEffectSync(sound);
    } else {
        if (const void* sound = SoundSlot(kSpokenCancelBase)) PlayEffect(sound);
    }
    if (state->question.withEdit && state->editField != nullptr) KeepEnteredName(state->editField);
    ScheduleAnswer(*state);
}

LRESULT OnQueryNewPaletteMessage(HWND window) {
    const MessageState* state = StateOf(window);
    for (HWND button : {state->okButton, state->cancelButton}) {
        if (button != nullptr) SendMessageA(button, WM_QUERYNEWPALETTE, 0, 0);
    }
    InvalidateRect(window, nullptr, FALSE);
    return TRUE;
}

void OnSetFocusMessage(HWND window) {
    const MessageState* state = StateOf(window);
    if (state->editField != nullptr) SetFocus(state->editField);
}

LRESULT CALLBACK MessageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CREATE && StateOf(window) == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_CREATE: return OnCreateMessage(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        case WM_PAINT: OnPaintMessage(window); return 0;
        case NotifyParentMessage:
            OnMessageCommand(window, static_cast<UINT>(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_CHAR:
        case ChildCharMessage: return OnMessageChar(window, wParam);
        case WM_SETFOCUS: OnSetFocusMessage(window); return 0;
        case WM_LBUTTONDOWN: StartBackgroundDrag(window, StateOf(window)->drag); return 0;
        case WM_MOUSEMOVE: FollowBackgroundDrag(window, StateOf(window)->drag); return 0;
        case WM_LBUTTONUP: EndBackgroundDrag(StateOf(window)->drag); return 0;
        case WM_CAPTURECHANGED:
            OnDragCaptureChanged(window, StateOf(window)->drag, reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_QUERYNEWPALETTE: return OnQueryNewPaletteMessage(window);
        case WM_CLOSE: OnCloseMessage(window); return 0;
        case WM_DESTROY: OnDestroyMessage(window); return 0;
        case WM_NCDESTROY: FreeWindowState<MessageState>(window); return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterMessageWindowClass(HINSTANCE instance) {
    return RegisterWindowKind(instance, kMessageWindowClass, MessageWindowProc, kOwnDcStyle);
}

HWND AskUser(uint32_t stringBase, HWND owner, AskUserCallback onClose, BYTE edit) {
    Question question;
    LoadLanguageString(stringBase, question.text, kMessageTextCapacity);
    question.owner = owner;
    question.withEdit = edit != 0;
    question.onClose = onClose;
    if (owner != nullptr) EnableWindow(owner, FALSE);
    // Placed and sized to its background on WM_CREATE, before it is first shown.
    HWND window =
        CreateWindowExA(0, kMessageWindowClass, "", kDialogStyle, 0, 0, 0, 0, owner, nullptr, App.Instance, &question);
    if (window == nullptr && owner != nullptr) EnableWindow(owner, TRUE);
    return window;
}
