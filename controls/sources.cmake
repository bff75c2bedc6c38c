# Control library: the six custom controls and what they share.
list(APPEND VEXLA_WIN32_SOURCES
    controls/AnimationControl.cpp
    controls/AnimationDrivers.cpp
    controls/CheckBox.cpp
    controls/CommandButton.cpp
    controls/ControlClasses.cpp
    controls/ControlProtocol.cpp
    controls/Scroller.cpp
    controls/Slider.cpp
    controls/TextControl.cpp)
