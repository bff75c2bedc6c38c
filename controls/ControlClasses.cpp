#include "controls/ControlClasses.h"

#include "controls/AnimationControl.h"
#include "controls/CommandButton.h"
#include "controls/PlaceholderControl.h"

namespace {

struct ControlKind {
    const char* className;
    UINT style;                        // used while the kind has no registration of its own
    bool (*registerClass)(HINSTANCE);  // null until that control is written
};

// Registration order. The scroller and the animation draw outside WM_PAINT, hence their own
// device contexts.
constexpr ControlKind kControlKinds[] = {
    {kCommandButtonClass, 0, RegisterCommandButtonClass},
    {"CQVCHECK", 0, nullptr},
    {"CQVSLIDE", 0, nullptr},
    {"CQVSROLL", CS_OWNDC, nullptr},
    {kAnimationClass, CS_OWNDC, RegisterAnimationClass},
    {"CQVTXT", 0, nullptr},
};

}  // namespace

bool RegisterControlClasses(HINSTANCE instance) {
    for (const ControlKind& kind : kControlKinds) {
        const bool registered = kind.registerClass != nullptr
                                    ? kind.registerClass(instance)
                                    : RegisterPlaceholderControlClass(instance, kind.className, kind.style);
        if (!registered) return false;
    }
    return true;
}
