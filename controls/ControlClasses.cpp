#include "controls/ControlClasses.h"

#include "controls/AnimationControl.h"
#include "controls/CheckBox.h"
#include "controls/CommandButton.h"
#include "controls/Scroller.h"
#include "controls/Slider.h"
#include "controls/TextControl.h"

namespace {

// Registration order; each class brings its own style (the scroller and the animation keep
// their own device contexts).
constexpr bool (*kControlRegistrations[])(HINSTANCE) = {
    RegisterCommandButtonClass, RegisterCheckBoxClass,  RegisterSliderClass,
    RegisterScrollerClass,      RegisterAnimationClass, RegisterTextControlClass,
};

}  // namespace

bool RegisterControlClasses(HINSTANCE instance) {
    for (bool (*registerClass)(HINSTANCE) : kControlRegistrations) {
        if (!registerClass(instance)) return false;
    }
    return true;
}
