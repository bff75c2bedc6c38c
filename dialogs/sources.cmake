list(APPEND VEXLA_WIN32_SOURCES dialogs/TimerWindow.cpp)
