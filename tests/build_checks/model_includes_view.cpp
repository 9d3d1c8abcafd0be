// Compiled with the model library's settings; must not build.
#include "ui/view_guard.h"
