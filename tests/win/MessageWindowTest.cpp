// The message window with the game's own texts and pictures: opened centred and sized to its
// background with its owner disabled; Enter, Escape and the two buttons answer; the edit field
// keeps 23 characters and leaves them in EnteredName; the answer arrives 45 ms after the
// window went, with the owner enabled again, so a callback can ask again; the title of the
// language covers the background's corner; the window follows a drag of its background.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogTestSupport.h"
#include "app/AppGlobals.h"
#include "controls/CommandButton.h"
#include "dialogs/DialogPlacement.h"
#include "dialogs/MessageWindow.h"
#include "engine/AppString.h"
#include "engine/LanguageIds.h"
#include "gfx/ResourcePackFile.h"

namespace {

using ctltest::kWaitMs;

std::string DistPackPath() { return std::string(App.ModuleFolder) + "..\\..\\..\\dist\\vexla.rf"; }

// What the callbacks saw, reset by each test.
struct Answers {
    std::vector<bool> given;
    std::vector<bool> ownerEnabled;
    std::vector<bool> windowGone;
    std::vector<std::string> names;
    std::vector<DWORD> ticks;
};
Answers answers;
HWND currentOwner = nullptr;
HWND currentQuestion = nullptr;

void RecordAnswer(bool answer) {
    answers.given.push_back(answer);
    answers.ownerEnabled.push_back(IsWindowEnabled(currentOwner) != FALSE);
    answers.windowGone.push_back(!IsWindow(currentQuestion));
    answers.names.push_back(EnteredName.Text());
    answers.ticks.push_back(GetTickCount());
}

// The first answer asks a second question at once.
void AskAgain(bool answer) {
    RecordAnswer(answer);
    currentQuestion = AskUser(kPrintStringBase, currentOwner, RecordAnswer, 0);
}

class MessageWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ctltest::EnsureControlClasses();
        WNDCLASSA info{};
        if (!GetClassInfoA(App.Instance, kMessageWindowClass, &info)) RegisterMessageWindowClass(App.Instance);
        OpenResourcePack(DistPackPath().c_str());
    }
    static void TearDownTestSuite() { CloseResourcePack(); }

    void SetUp() override {
        ASSERT_TRUE(Pack.IsOpen()) << "build the game first: " << DistPackPath();
        App.LanguageIndex = kLanguageEnglish;
        App.SoundEffectsOn = 0;
        answers = Answers{};
        EnteredName.Assign("");
        ctltest::MoveCursorTo(ctltest::kFarAway);
        owner_ = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                 App.Instance, nullptr);
        currentOwner = owner_;
    }
    void TearDown() override {
        if (IsWindow(currentQuestion)) DestroyWindow(currentQuestion);
        dlgtest::RunGameLoopUntil([] { return false; }, 100);  // lets pending answers go
        DestroyWindow(owner_);
        App.LanguageIndex = kLanguageEnglish;
    }

    HWND Ask(uint32_t base, AskUserCallback onClose, BYTE edit) {
        currentQuestion = AskUser(base, owner_, onClose, edit);
        if (currentQuestion != nullptr) SetForegroundWindow(currentQuestion);
        dlgtest::RunGameLoopUntil([] { return GetForegroundWindow() == currentQuestion; }, kWaitMs);
        return currentQuestion;
    }
    static bool Answered(size_t count) { return answers.given.size() >= count; }
    HWND Button(POINT at) const {
        for (HWND b : dlgtest::ChildrenOfClass(currentQuestion, kCommandButtonClass)) {
            RECT r{};
            GetWindowRect(b, &r);
            MapWindowPoints(nullptr, currentQuestion, reinterpret_cast<POINT*>(&r), 2);
            if (r.left == at.x && r.top == at.y) return b;
        }
        return nullptr;
    }

    HWND owner_ = nullptr;
};

TEST_F(MessageWindowTest, OpensCentredOnItsBackgroundWithTheOwnerDisabled) {
    ASSERT_NE(Ask(kPrintStringBase, RecordAnswer, 0), nullptr);
    RECT client{};
    GetClientRect(currentQuestion, &client);
    EXPECT_EQ(client.right, 456);
    EXPECT_EQ(client.bottom, 270);
    RECT frame{};
    GetWindowRect(currentQuestion, &frame);
    const RECT expected = CentredDialogRect(456, 270, App.ScreenWidth, App.ScreenHeight);
    EXPECT_EQ(frame.left, expected.left);
    EXPECT_EQ(frame.top, expected.top);
    EXPECT_EQ(GetWindow(currentQuestion, GW_OWNER), owner_);
    EXPECT_FALSE(IsWindowEnabled(owner_));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(currentQuestion, GWL_STYLE)) & kDialogStyle, kDialogStyle);
}

TEST_F(MessageWindowTest, CancelButtonOnlyWithACallback) {
    const struct {
        AskUserCallback onClose;
        size_t buttons;
    } cases[] = {{RecordAnswer, 2}, {nullptr, 1}};
    for (const auto& c : cases) {
        ASSERT_NE(Ask(kPrintStringBase, c.onClose, 0), nullptr);
        EXPECT_EQ(dlgtest::ChildrenOfClass(currentQuestion, kCommandButtonClass).size(), c.buttons);
        EXPECT_NE(Button(kMessageOkAt), nullptr);
        EXPECT_EQ(Button(kMessageCancelAt) != nullptr, c.onClose != nullptr);
        EXPECT_TRUE(dlgtest::ChildrenOfClass(currentQuestion, "EDIT").empty());
        DestroyWindow(currentQuestion);
        ASSERT_TRUE(dlgtest::RunGameLoopUntil([this] { return IsWindowEnabled(owner_) != FALSE; }, kWaitMs));
    }
}

TEST_F(MessageWindowTest, KeysAndButtonsGiveTheAnswerAfterTheWindowWent) {
    enum class Act { Enter, Escape, OkButton, CancelButton };
    const struct {
        Act act;
        bool answer;
    } cases[] = {{Act::Enter, true}, {Act::Escape, false}, {Act::OkButton, true}, {Act::CancelButton, false}};
    for (const auto& c : cases) {
        answers = Answers{};
        ASSERT_NE(Ask(kRenameBoxStringBase, RecordAnswer, 1), nullptr);
        dlgtest::TypeText("Sky");
        HWND edit = dlgtest::ChildrenOfClass(currentQuestion, "EDIT").at(0);
        ASSERT_TRUE(dlgtest::RunGameLoopUntil([edit] { return dlgtest::WindowText(edit) == "Sky"; }, kWaitMs));
        switch (c.act) {
            case Act::Enter: dlgtest::SendKey(VK_RETURN); break;
            case Act::Escape: dlgtest::SendKey(VK_ESCAPE); break;
            case Act::OkButton: dlgtest::ClickControl(Button(kMessageOkAt)); break;
            case Act::CancelButton: dlgtest::ClickControl(Button(kMessageCancelAt)); break;
        }
        ASSERT_TRUE(dlgtest::RunGameLoopUntil([] { return Answered(1); }, kWaitMs)) << static_cast<int>(c.act);
        EXPECT_EQ(answers.given, std::vector<bool>{c.answer});
        EXPECT_EQ(answers.names, std::vector<std::string>{"Sky"});  // kept whatever the answer
        EXPECT_TRUE(answers.ownerEnabled.at(0));
        EXPECT_TRUE(answers.windowGone.at(0));
    }
}

TEST_F(MessageWindowTest, EditFieldKeepsTwentyThreeCharacters) {
    ASSERT_NE(Ask(kRenameBoxStringBase, RecordAnswer, 1), nullptr);
    const std::string typed = "WWWWWWWWWWabcdefghijklmnopqrst";  // 30, the first ten wider than most
    dlgtest::TypeText(typed);
    HWND edit = dlgtest::ChildrenOfClass(currentQuestion, "EDIT").at(0);
    ASSERT_TRUE(dlgtest::RunGameLoopUntil(
        [edit] { return dlgtest::WindowText(edit).size() >= static_cast<size_t>(kEnteredNameMaxChars); }, kWaitMs));
    dlgtest::SendKey(VK_RETURN);
    ASSERT_TRUE(dlgtest::RunGameLoopUntil([] { return Answered(1); }, kWaitMs));
    EXPECT_EQ(answers.names.at(0), typed.substr(0, kEnteredNameMaxChars));
}

TEST_F(MessageWindowTest, AnswerArrivesAboutFortyFiveMillisecondsLater) {
    ASSERT_NE(Ask(kPrintStringBase, RecordAnswer, 0), nullptr);
    const DWORD closed = GetTickCount();
    SendMessageA(currentQuestion, WM_CHAR, VK_RETURN, 0);
    EXPECT_FALSE(IsWindow(currentQuestion));
    EXPECT_FALSE(IsWindowEnabled(owner_));  // not before the answer
    ASSERT_TRUE(dlgtest::RunGameLoopUntil([] { return Answered(1); }, kWaitMs));
    // Tick counts move in steps of up to 16 ms; a busy machine may deliver much later.
    EXPECT_GE(answers.ticks.at(0) - closed, kMessageCompletionDelayMs - 16);
    EXPECT_LT(answers.ticks.at(0) - closed, kWaitMs);
}

TEST_F(MessageWindowTest, CallbackMayAskTheNextQuestion) {
    ASSERT_NE(Ask(kWallpaperStringBase, AskAgain, 0), nullptr);
    HWND first = currentQuestion;
    SendMessageA(first, WM_CHAR, VK_ESCAPE, 0);
    ASSERT_TRUE(dlgtest::RunGameLoopUntil([] { return Answered(1); }, kWaitMs));
    ASSERT_NE(currentQuestion, nullptr);
    EXPECT_NE(currentQuestion, first);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_FALSE(IsWindowEnabled(owner_));  // the second question holds it
    SendMessageA(currentQuestion, ChildCharMessage, VK_RETURN, 0);
    ASSERT_TRUE(dlgtest::RunGameLoopUntil([] { return Answered(2); }, kWaitMs));
    EXPECT_EQ(answers.given, (std::vector<bool>{false, true}));
    EXPECT_TRUE(IsWindowEnabled(owner_));
}

TEST_F(MessageWindowTest, OtherCharactersChangeNothing) {
    ASSERT_NE(Ask(kPrintStringBase, RecordAnswer, 0), nullptr);
    EXPECT_EQ(SendMessageA(currentQuestion, WM_CHAR, 'a', 0), 0);
    EXPECT_EQ(SendMessageA(currentQuestion, ChildCharMessage, ' ', 0), 0);
    dlgtest::RunGameLoopUntil([] { return false; }, 100);
    EXPECT_TRUE(IsWindow(currentQuestion));
    EXPECT_TRUE(answers.given.empty());
}

TEST_F(MessageWindowTest, TitleOfTheLanguageCoversTheCorner) {
    DibImage spanish, english;
    ASSERT_TRUE(spanish.LoadById(kMessageBackgroundId));
    ASSERT_TRUE(english.LoadById(kMessageTitleBase + kLanguageEnglish));
    // A point of the title where the two languages differ.
    POINT differing{-1, -1};
    const PackedDib* a = spanish.GetDib();
    const PackedDib* b = english.GetDib();
    for (int y = 0; y < kMessageTitleSize.y && differing.x < 0; ++y)
        for (int x = 0; x < kMessageTitleSize.x && differing.x < 0; ++x)
            if (dlgtest::DibPixel(a, x, y) != dlgtest::DibPixel(b, x, y)) differing = POINT{x, y};
    ASSERT_GE(differing.x, 0);
    for (uint32_t language : {kLanguageSpanish, kLanguageEnglish}) {
        App.LanguageIndex = language;
        ASSERT_NE(Ask(kPrintStringBase, RecordAnswer, 0), nullptr);
        const uint32_t expected = dlgtest::DibPixel(language == kLanguageSpanish ? a : b, differing.x, differing.y);
        EXPECT_EQ(ctltest::AwaitPixel(currentQuestion, differing.x, differing.y, expected), expected) << language;
        DestroyWindow(currentQuestion);
    }
}

TEST_F(MessageWindowTest, FollowsADragOfItsBackground) {
    ASSERT_NE(Ask(kPrintStringBase, RecordAnswer, 0), nullptr);
    RECT before{};
    GetWindowRect(currentQuestion, &before);
    ctltest::MoveCursorTo(ctltest::ScreenPointOf(currentQuestion, 60, 200));
    ctltest::PressLeft();
    ctltest::MoveCursorBy(-40, 25);
    ctltest::ReleaseLeft();
    RECT after{};
    ASSERT_TRUE(dlgtest::RunGameLoopUntil(
        [&] {
            GetWindowRect(currentQuestion, &after);
            return after.left != before.left;
        },
        kWaitMs));
    EXPECT_EQ(after.left - before.left, -40);
    EXPECT_EQ(after.top - before.top, 25);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MessageWindowTest, WithoutItsPictureNothingOpensAndTheOwnerStaysUsable) {
    CloseResourcePack();
    EXPECT_EQ(AskUser(kPrintStringBase, owner_, RecordAnswer, 0), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    dlgtest::RunGameLoopUntil([] { return false; }, 100);
    EXPECT_TRUE(answers.given.empty());
    OpenResourcePack(DistPackPath().c_str());
}

}  // namespace
