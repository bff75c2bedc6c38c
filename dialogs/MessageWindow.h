// The message window (CWNDMENSAJE): the program's one question box. A small movable pop-up
// drawn from a bitmap shows a text of the string table, justified, with an OK button, a
// Cancel button when the caller wants an answer, and on request a one-line edit field.
//
// It is not modal: AskUser disables the owner and returns at once. The answer arrives later
// through the completion callback, 45 ms after the window has gone, when the owner has been
// enabled again; so a callback may ask the next question at once. A window with an edit field
// leaves its text in EnteredName (app/AppGlobals.h) before the callback runs.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr char kMessageWindowClass[] = "CWNDMENSAJE";

constexpr uint32_t kMessageBackgroundId = 158;
constexpr uint32_t kMessageTitleBase = 1590;  // + LanguageIndex; the background carries the Spanish one
constexpr uint32_t kMessageOkImageId = 151;
constexpr uint32_t kMessageCancelImageId = 153;

constexpr int32_t kMessageTextCapacity = 200;
constexpr int32_t kEnteredNameMaxChars = 23;
constexpr UINT kMessageCompletionDelayMs = 45;

constexpr POINT kMessageTitleSize{209, 57};
constexpr POINT kMessageOkAt{194, 204};
constexpr POINT kMessageCancelAt{331, 201};
constexpr RECT kMessageEditRect{169, 119, 169 + 225, 119 + 24};
constexpr POINT kMessageTextAt{181, 40};
constexpr int32_t kMessageTextWidth = 210;
constexpr int32_t kMessageFontHeight = 20;

// Called once with the answer: true for OK (button or Enter), false for Cancel (button or
// Escape) or any other way the window went.
using AskUserCallback = void (*)(bool answer);

bool RegisterMessageWindowClass(HINSTANCE instance);

// Asks string `stringBase` + LanguageIndex, centred on the screen, owned by `owner` (may be
// null), which stays disabled until the answer is delivered. Without a callback there is no
// Cancel button. `edit` non-zero adds the edit field of at most kEnteredNameMaxChars
// characters, which takes the keyboard focus. The new window, or null when it could not be
// made: the owner is then enabled again and the callback is never called.
HWND AskUser(uint32_t stringBase, HWND owner, AskUserCallback onClose, BYTE edit);
