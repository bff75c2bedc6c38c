# Windows tree: the game (static runtime, no console) and, unless only the game is wanted,
# the Win32 test programs and the end-to-end tests, all run under Wine by ctest.
enable_language(RC)
# ctest runs every Windows test program through the Wine runner.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX STRICT _WIN32_WINNT=0x0601)

add_library(vexla_win STATIC ${VEXLA_WIN32_SOURCES})
target_include_directories(vexla_win PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(vexla_win PUBLIC vexla_engine msvfw32 windowscodecs ole32 winmm gdi32 user32 shell32 comctl32 comdlg32 advapi32 mpr winspool)
vexla_warnings(vexla_win)

add_executable(Vexla WIN32 app/WinMain.cpp res/Vexla.rc)
target_link_libraries(Vexla PRIVATE vexla_win)
target_link_options(Vexla PRIVATE -static -mwindows)
vexla_warnings(Vexla)
# The resource script pulls in files made by the build (the sounds), so it looks there too.
set(VEXLA_GENERATED_DIR "${CMAKE_SOURCE_DIR}/build/generated" CACHE PATH "data the native build generates for the game")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${VEXLA_GENERATED_DIR}")

if(NOT VEXLA_GAME_ONLY)
    add_custom_command(TARGET Vexla POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E make_directory ${VEXLA_DIST_DIR}
        COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Vexla> ${VEXLA_DIST_DIR}/Vexla.exe
        # The suggested folder of saved games ships with the game, empty.
        COMMAND ${CMAKE_COMMAND} -E make_directory ${VEXLA_DIST_DIR}/folder)
    foreach(dir tests/win tests/e2e bench/win)
        if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
            add_subdirectory(${dir})
        endif()
    endforeach()
endif()
