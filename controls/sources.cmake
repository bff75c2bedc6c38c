# Control library: the six custom controls and what they share.
list(APPEND VEXLA_WIN32_SOURCES
    controls/CommandButton.cpp
    controls/ControlClasses.cpp
    controls/ControlProtocol.cpp
    controls/PlaceholderControl.cpp)
list(APPEND VEXLA_WIN32_SOURCES controls/AnimationControl.cpp controls/AnimationDrivers.cpp)
