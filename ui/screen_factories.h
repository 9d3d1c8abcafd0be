// Makes the three schedules build their screens from this program's views:
// installed once at start, and by tests and tools that show real screens.
#pragma once

#include "ui/view_guard.h"

void InstallScreenFactories();
void UninstallScreenFactories();
