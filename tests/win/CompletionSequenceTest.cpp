// The completion sequence under Wine with the game's own loop, message windows and pack,
// answered with real keys: without the congratulation clip the wallpaper question comes at
// once; yes makes the fitted picture the wallpaper, no leaves file and registry alone; the
// print question comes only when a default printer exists (the PDF printer's run of this
// program); the play screen is usable at the end; a qualifying player's typed name lands in
// the records file at its place, and Escape leaves the file alone.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "ControlTestSupport.h"
#include "DialogTestSupport.h"
#include "ScreenshotSupport.h"
#include "WinTestSupport.h"
#include "app/AppGlobals.h"
#include "app/PlayScreen.h"
#include "app/WindowClasses.h"
#include "board/BoardGlobals.h"
#include "dialogs/HallOfHonour.h"
#include "dialogs/MessageWindow.h"
#include "engine/BinaryFile.h"
#include "engine/BmpFileReader.h"
#include "engine/RecordsFile.h"
#include "gfx/ResourcePackFile.h"
#include "platform/DesktopWallpaper.h"
#include "platform/Handles.h"
#include "platform/PicturePrinter.h"
#include "tests/unit/BmpTestFiles.h"

namespace {

using ctltest::kWaitMs;

constexpr char kDistFolder[] = "..\\..\\..\\dist\\";
constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr int32_t kPictureWidth = 200;
constexpr int32_t kPictureHeight = 100;

std::string TileValue() {
    const RegistryKey key(HKEY_CURRENT_USER, kDesktopKey, KEY_QUERY_VALUE);
    char value[MAX_PATH + 1] = "";
    DWORD bytes = MAX_PATH;
    DWORD type = 0;
    if (!key || RegQueryValueExA(key.get(), "TileWallpaper", nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes) !=
                    ERROR_SUCCESS)
        return "(none)";
    return value;
}

void SetTile(const char* value) {
    const RegistryKey key(HKEY_CURRENT_USER, kDesktopKey, KEY_SET_VALUE);
    if (key)
        RegSetValueExA(key.get(), "TileWallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>(std::strlen(value) + 1));
}

HWND Question() { return FindWindowA(kMessageWindowClass, nullptr); }

class CompletionSequenceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ctltest::EnsureControlClasses();
        RegisterWindowClasses(App.Instance);
        OpenResourcePack((std::string(App.ModuleFolder) + kDistFolder + "vexla.rf").c_str());
    }
    static void TearDownTestSuite() { CloseResourcePack(); }

    void SetUp() override {
        std::memcpy(savedFolder_, App.ModuleFolder, sizeof savedFolder_);
        // A game folder with no clips: the sequence starts with the wallpaper question.
        folder_ = wintest::TempPath("completion\\");
        CreateDirectoryA(folder_.c_str(), nullptr);
        std::strncpy(App.ModuleFolder, folder_.c_str(), sizeof App.ModuleFolder - 1);
        DeleteFileA(RecordsPath().c_str());
        App.SoundEffectsOn = 0;

        wallpaper_ = WallpaperFilePath();
        DeleteFileA(wallpaper_.c_str());
        savedTile_ = TileValue();
        SetTile("1");
        BmpDescription picture;
        picture.width = kPictureWidth;
        picture.height = kPictureHeight;
        picture.bitCount = 24;
        picture.pixel = [](int32_t x, int32_t y) { return static_cast<uint32_t>(x * 7 + y * 13) * 0x010203u; };
        picturePath_ = folder_ + "picture.bmp";
        const std::vector<uint8_t> bytes = BuildBmp(picture);
        BinaryFile file;
        ASSERT_TRUE(file.CreateWrite(picturePath_.c_str()) && file.WriteAll(bytes.data(), bytes.size()));
        file.Close();
        ASSERT_TRUE(Board.Puzzle.picture.Open(picturePath_.c_str()));

        screen_ = std::make_unique<ctltest::TestParent>(0, 0, App.ScreenWidth, App.ScreenHeight);
        App.PlayScreenWindow = screen_->get();
    }
    void TearDown() override {
        for (HWND open : {Question(), HallOfHonourWindow()})
            if (open != nullptr) DestroyWindow(open);
        dlgtest::RunGameLoopUntil([] { return false; }, 100);  // late answers land here
        App.PlayScreenWindow = nullptr;
        screen_.reset();
        Board.Puzzle.picture.Close();
        DeleteFileA(picturePath_.c_str());
        DeleteFileA(wallpaper_.c_str());
        DeleteFileA(RecordsPath().c_str());
        if (savedTile_ != "(none)") SetTile(savedTile_.c_str());
        RemoveDirectoryA(folder_.c_str());
        std::memcpy(App.ModuleFolder, savedFolder_, sizeof savedFolder_);
    }

    // Waits for a question and answers it with `key` once it is the foreground window; with a
    // name, a screenshot of the question is saved first.
    static void Answer(WORD key, const char* screenshot = nullptr) {
        ASSERT_TRUE(dlgtest::RunGameLoopUntil([] { return Question() != nullptr; }, kWaitMs)) << "a question opens";
        HWND question = Question();
        SetForegroundWindow(question);
        ASSERT_TRUE(dlgtest::RunGameLoopUntil([question] { return GetForegroundWindow() == question; }, kWaitMs));
        if (screenshot != nullptr) {
            dlgtest::RunGameLoopUntil([] { return false; }, 300);
            wintest::SaveScreenshot(screenshot);
        }
        dlgtest::SendKey(key);
        ASSERT_TRUE(dlgtest::RunGameLoopUntil([question] { return !IsWindow(question); }, kWaitMs));
    }
    // The sequence is over: no question is open, or opens within the answer's delay and more.
    void ExpectOverWithThePlayScreenUsable() {
        EXPECT_FALSE(dlgtest::RunGameLoopUntil([] { return Question() != nullptr; }, 1000)) << "no further question";
        EXPECT_EQ(HallOfHonourWindow(), nullptr) << "a score of 0 does not enter the hall";
        EXPECT_TRUE(IsWindowEnabled(screen_->get()));
    }
    bool WallpaperWritten() const { return GetFileAttributesA(wallpaper_.c_str()) != INVALID_FILE_ATTRIBUTES; }

    char savedFolder_[kModuleFolderCapacity] = {};
    std::string folder_;
    std::string wallpaper_;
    std::string savedTile_;
    std::string picturePath_;
    std::unique_ptr<ctltest::TestParent> screen_;
};

TEST_F(CompletionSequenceTest, WithoutTheClipTheWallpaperQuestionComesAtOnceAndNoLeavesTheDesktopAlone) {
    OnPuzzleCompleted();
    EXPECT_NE(Question(), nullptr) << "asked at once: no congratulation window";
    EXPECT_FALSE(IsWindowEnabled(screen_->get())) << "the question disables the play screen";
    Answer(VK_ESCAPE, "completion_wallpaper_question");
    if (DefaultPrinterExists(nullptr)) Answer(VK_ESCAPE);  // the print question: no
    ExpectOverWithThePlayScreenUsable();
    EXPECT_FALSE(WallpaperWritten());
    EXPECT_EQ(TileValue(), "1");
}

TEST_F(CompletionSequenceTest, YesMakesThePictureFittedToTheScreenTheWallpaper) {
    OnPuzzleCompleted();
    Answer(VK_RETURN);
    if (DefaultPrinterExists(nullptr)) Answer(VK_ESCAPE);
    ExpectOverWithThePlayScreenUsable();
    ASSERT_TRUE(WallpaperWritten());
    BmpFileReader written;
    ASSERT_TRUE(written.Open(wallpaper_.c_str()));
    const PictureSize size = written.GetSize();
    // 200 x 100 fits a 1024 x 768 screen by its width.
    EXPECT_EQ(size.width, App.ScreenWidth);
    EXPECT_EQ(std::abs(size.height), App.ScreenWidth * kPictureHeight / kPictureWidth);
    written.Close();
    EXPECT_EQ(TileValue(), "0");
}

// Run by the PDF printer's entry of this program: the print question follows the wallpaper
// question, and without a printer (the other runs) it never comes.
TEST_F(CompletionSequenceTest, ThePrintQuestionComesExactlyWhenADefaultPrinterExists) {
    const bool printer = DefaultPrinterExists(nullptr);
    char runnerPrinter[16] = "";
    GetEnvironmentVariableA("VEXLA_PRINTER", runnerPrinter, sizeof runnerPrinter);
    ASSERT_EQ(printer, std::string(runnerPrinter) == "pdf") << "the runner gives a printer exactly when asked";
    OnPuzzleCompleted();
    Answer(VK_ESCAPE);
    EXPECT_EQ(dlgtest::RunGameLoopUntil([] { return Question() != nullptr; }, 2000), printer)
        << (printer ? "a default printer: the print question" : "no printer: no print question");
    if (printer) Answer(VK_ESCAPE, "completion_print_question");
    ExpectOverWithThePlayScreenUsable();
}

TEST_F(CompletionSequenceTest, AQualifyingPlayersTypedNameLandsAtItsPlace) {
    RecordsTable table = DefaultRecords();
    const char* names[] = {"Ada", "Bo", "Cy"};
    const int32_t scores[] = {900, 500, 100};
    for (int k = 0; k < 3; ++k) {
        std::strncpy(table.entries[k].name, names[k], kRecordNameMaxChars);
        table.entries[k].score = scores[k];
    }
    ASSERT_TRUE(WriteRecords(RecordsPath().c_str(), table));
    ASSERT_EQ(SetPendingHonourResult(500), 2);
    HWND hall = OpenHallOfHonour();
    ASSERT_NE(hall, nullptr);

    // Escape leaves the file as it was; then the same result, named.
    ASSERT_NE(AskUser(kHonourNameStringBase, hall, SaveRecord, 1), nullptr);
    dlgtest::TypeText("Nobody");
    Answer(VK_ESCAPE);
    dlgtest::RunGameLoopUntil([] { return false; }, 200);
    EXPECT_EQ(std::string(LoadRecords(RecordsPath().c_str()).table.entries[2].name), "Cy");

    ASSERT_NE(AskUser(kHonourNameStringBase, hall, SaveRecord, 1), nullptr);
    dlgtest::TypeText("Zed");
    HWND edit = dlgtest::ChildrenOfClass(Question(), "EDIT").at(0);
    ASSERT_TRUE(dlgtest::RunGameLoopUntil([edit] { return dlgtest::WindowText(edit) == "Zed"; }, kWaitMs));
    Answer(VK_RETURN, "completion_hall_name");
    ASSERT_TRUE(dlgtest::RunGameLoopUntil(
        [] { return std::string(LoadRecords(RecordsPath().c_str()).table.entries[2].name) == "Zed"; }, kWaitMs));
    const RecordsTable saved = LoadRecords(RecordsPath().c_str()).table;
    EXPECT_EQ(saved.entries[2].score, 500);
    EXPECT_EQ(std::string(saved.entries[1].name), "Bo") << "the equal older score stays above";
    EXPECT_EQ(std::string(saved.entries[3].name), "Cy");
    EXPECT_EQ(std::string(ShownRecords().entries[2].name), "Zed") << "the hall shows the new table";
}

}  // namespace
