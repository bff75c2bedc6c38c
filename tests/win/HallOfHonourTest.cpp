// The hall of honour on the Wine desktop with the game's own pack: the table it shows for
// each state of the records file, the erase and close buttons under the real pointer, the
// owner disabled while it is open, dragging by the background, and a result entered at its
// place in the file as the file is when it is written.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "ControlTestSupport.h"
#include "WinTestSupport.h"
#include "app/AppGlobals.h"
#include "app/WindowClasses.h"
#include "dialogs/HallOfHonour.h"
#include "engine/BinaryFile.h"
#include "engine/RecordsFile.h"
#include "gfx/ResourcePackFile.h"

namespace {

using ctltest::kWaitMs;
using ctltest::MoveCursorTo;
using ctltest::PumpFor;
using ctltest::PumpUntil;
using ctltest::ScreenPointOf;

std::string DistPackPath() { return std::string(App.ModuleFolder) + "..\\..\\..\\dist\\vexla.rf"; }

constexpr POINT kEraseButtonCentre{288 + 32, 362 + 26};
constexpr POINT kCloseButtonCentre{492 + 28, 338 + 28};

RecordsTable Named(const std::vector<std::pair<const char*, int32_t>>& rows) {
    RecordsTable table = DefaultRecords();
    for (size_t k = 0; k < rows.size(); ++k) {
        RecordEntry& entry = table.entries[k];
        entry = RecordEntry{};
        std::strncpy(entry.name, rows[k].first, kRecordNameMaxChars);
        entry.score = rows[k].second;
    }
    return table;
}

std::vector<std::string> Names(const RecordsTable& table) {
    std::vector<std::string> names;
    for (const RecordEntry& entry : table.entries) names.emplace_back(entry.name);
    return names;
}

std::vector<int32_t> Scores(const RecordsTable& table) {
    std::vector<int32_t> scores;
    for (const RecordEntry& entry : table.entries) scores.push_back(entry.score);
    return scores;
}

class HallOfHonourTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ctltest::EnsureControlClasses();
        RegisterWindowClasses(App.Instance);
        OpenResourcePack(DistPackPath().c_str());
    }
    static void TearDownTestSuite() { CloseResourcePack(); }

    void SetUp() override {
        std::memcpy(savedFolder_, App.ModuleFolder, sizeof savedFolder_);
        folder_ = wintest::TempPath("hall\\");
        CreateDirectoryA(folder_.c_str(), nullptr);
        std::strncpy(App.ModuleFolder, folder_.c_str(), sizeof App.ModuleFolder - 1);
        DeleteFileA(RecordsPath().c_str());
        App.SoundEffectsOn = 0;
        MoveCursorTo(POINT{900, 700});
        owner_ = std::make_unique<ctltest::TestParent>(0, 0, App.ScreenWidth, App.ScreenHeight);
        App.PlayScreenWindow = owner_->get();
    }
    void TearDown() override {
        if (HallOfHonourWindow() != nullptr) DestroyWindow(HallOfHonourWindow());
        App.PlayScreenWindow = nullptr;
        owner_.reset();
        DeleteFileA(RecordsPath().c_str());
        RemoveDirectoryA(folder_.c_str());
        std::memcpy(App.ModuleFolder, savedFolder_, sizeof savedFolder_);
    }

    HWND Open() {
        HWND hall = OpenHallOfHonour();
        EXPECT_NE(hall, nullptr);
        PumpFor(100);
        return hall;
    }
    void Write(const RecordsTable& table) { ASSERT_TRUE(WriteRecords(RecordsPath().c_str(), table)); }
    bool FileExists() const { return GetFileAttributesA(RecordsPath().c_str()) != INVALID_FILE_ATTRIBUTES; }
    std::vector<uint8_t> OnDisk() const {
        BinaryFile f;
        if (!f.OpenRead(RecordsPath().c_str())) return {};
        std::vector<uint8_t> bytes(static_cast<size_t>(f.Size()));
        EXPECT_TRUE(f.ReadExact(bytes.data(), bytes.size()));
        return bytes;
    }
    // A real click at a point of the hall's client area; returns once the button is up again.
    void ClickAt(HWND hall, POINT at) {
        MoveCursorTo(ScreenPointOf(hall, at.x, at.y));
        ctltest::PressLeft();
        PumpFor(50);
        ctltest::ReleaseLeft();
    }

    char savedFolder_[kModuleFolderCapacity] = {};
    std::string folder_;
    std::unique_ptr<ctltest::TestParent> owner_;
};

TEST_F(HallOfHonourTest, OpensCentredOverItsDisabledOwnerAndTheCloseButtonGivesItBack) {
    HWND hall = Open();
    ASSERT_NE(hall, nullptr);
    EXPECT_EQ(OpenHallOfHonour(), hall) << "one hall at a time";
    EXPECT_EQ(GetWindow(hall, GW_OWNER), owner_->get());
    EXPECT_FALSE(IsWindowEnabled(owner_->get()));
    RECT at{};
    GetWindowRect(hall, &at);
    EXPECT_EQ(at.right - at.left, 568);
    EXPECT_EQ(at.bottom - at.top, 436);
    EXPECT_EQ(at.left, (App.ScreenWidth - 568) / 2);
    EXPECT_EQ(at.top, (App.ScreenHeight - 436) / 2);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(hall, GWL_STYLE)) & 0x92400000u, 0x92400000u);

    ClickAt(hall, kCloseButtonCentre);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(hall); }, kWaitMs)) << "the close button closes the hall";
    EXPECT_EQ(HallOfHonourWindow(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner_->get()));
}

TEST_F(HallOfHonourTest, ShowsTheTableOfEachStateOfTheFile) {
    const RecordsTable sample = Named({{"Ada", 900}, {"Bo", 800}, {"Cy", 800}, {"Di", 12}});
    struct Case {
        const char* what;
        std::vector<uint8_t> file;  // empty: no file
        RecordsTable shown;
        bool fileKept;
    };
    const RecordsBytes good = SerializeRecords(sample);
    std::vector<uint8_t> wrongTag(good.begin(), good.end());
    wrongTag[0] = 'X';
    const std::vector<uint8_t> shortFile(good.begin(), good.begin() + 100);
    const Case cases[] = {
        {"no file", {}, DefaultRecords(), false},
        {"a good file", std::vector<uint8_t>(good.begin(), good.end()), sample, true},
        {"a short file", shortFile, DefaultRecords(), false},
        {"a wrong tag", wrongTag, DefaultRecords(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileA(RecordsPath().c_str());
        if (!c.file.empty()) {
            BinaryFile f;
            ASSERT_TRUE(f.CreateWrite(RecordsPath().c_str()));
            ASSERT_TRUE(f.WriteAll(c.file.data(), c.file.size()));
        }
        HWND hall = Open();
        EXPECT_EQ(Names(ShownRecords()), Names(c.shown));
        EXPECT_EQ(Scores(ShownRecords()), Scores(c.shown));
        EXPECT_EQ(FileExists(), c.fileKept);
        DestroyWindow(hall);
    }
}

TEST_F(HallOfHonourTest, AFileHeldByAnotherProgramIsLeftAlone) {
    Write(Named({{"Ada", 900}}));
    const std::vector<uint8_t> before = OnDisk();
    HANDLE holder =
        CreateFileA(RecordsPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    HWND hall = Open();
    EXPECT_EQ(Names(ShownRecords()), Names(DefaultRecords()));
    DestroyWindow(hall);
    CloseHandle(holder);
    EXPECT_EQ(OnDisk(), before);
}

TEST_F(HallOfHonourTest, TheEraseButtonDeletesTheFileAndShowsTheDefaultTable) {
    Write(Named({{"Ada", 900}, {"Bo", 800}}));
    HWND hall = Open();
    ASSERT_EQ(ShownRecords().entries[0].score, 900);
    ClickAt(hall, kEraseButtonCentre);
    ASSERT_TRUE(PumpUntil([] { return ShownRecords().entries[0].score == 0; }, kWaitMs));
    EXPECT_EQ(Names(ShownRecords()), Names(DefaultRecords()));
    EXPECT_FALSE(FileExists());
    EXPECT_TRUE(IsWindow(hall)) << "erasing asks nothing and keeps the hall open";
}

TEST_F(HallOfHonourTest, DraggingTheBackgroundMovesTheWindowByTheCursorsDisplacement) {
    HWND hall = Open();
    RECT before{};
    GetWindowRect(hall, &before);
    MoveCursorTo(ScreenPointOf(hall, 300, 20));
    ctltest::PressLeft();
    ASSERT_TRUE(PumpUntil([&] { return GetCapture() == hall; }, kWaitMs));
    ctltest::MoveCursorBy(-40, 25);
    ctltest::MoveCursorBy(-10, 5);
    ctltest::ReleaseLeft();
    ASSERT_TRUE(PumpUntil([&] { return GetCapture() == nullptr; }, kWaitMs));
    RECT after{};
    GetWindowRect(hall, &after);
    EXPECT_EQ(after.left - before.left, -50);
    EXPECT_EQ(after.top - before.top, 30);
}

TEST_F(HallOfHonourTest, AResultEntersAtItsPlaceInTheFileAsItIsWhenWritten) {
    Write(Named({{"Ada", 900}, {"Bo", 800}, {"Cy", 500}}));
    EXPECT_EQ(SetPendingHonourResult(800), 2) << "below the equal score";
    EXPECT_EQ(SetPendingHonourResult(0), kRecordsCount) << "a score of 0 never enters";
    EXPECT_EQ(SetPendingHonourResult(800), 2);
    HWND hall = Open();
    // Meanwhile another game wrote a better table: the place is found on the file as it is now.
    Write(Named({{"Ada", 900}, {"Eve", 850}, {"Bo", 800}, {"Cy", 500}}));
    EnterPendingResult("");
    EXPECT_EQ(ShownRecords().entries[1].score, 800) << "an empty name enters nothing: the hall shows the old table";
    EXPECT_EQ(OnDisk()[16 + 28], 'E') << "and the file is as it was";
    EnterPendingResult("Zed");
    const std::vector<std::string> shown = Names(ShownRecords());
    const std::vector<std::string> expected = {"Ada", "Eve", "Bo", "Zed", "Cy"};
    EXPECT_EQ(std::vector<std::string>(shown.begin(), shown.begin() + 5), expected);
    RecordsTable onDisk{};
    const std::vector<uint8_t> bytes = OnDisk();
    ASSERT_TRUE(ParseRecords(bytes.data(), bytes.size(), &onDisk));
    EXPECT_EQ(Names(onDisk), Names(ShownRecords()));
    EXPECT_EQ(onDisk.entries[3].score, 800);
    EXPECT_TRUE(IsWindow(hall)) << "the hall stays open showing the new table";
}

}  // namespace
