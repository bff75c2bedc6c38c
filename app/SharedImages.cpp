#include "app/SharedImages.h"

SharedImages Shared;
