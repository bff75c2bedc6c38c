// Entry point of every Win32 test program: the globals are set up as start-up would
// (instance, English, the program folder) before the tests run.
#include <gtest/gtest.h>

#include "app/AppGlobals.h"
#include "platform/ProgramFolder.h"

int main(int argc, char** argv) {
    App.Instance = GetModuleHandleA(nullptr);
    App.LanguageIndex = 1;
    FillModuleFolder(App.Instance);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
