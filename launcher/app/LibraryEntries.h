#pragma once
// The exports the Launcher calls in Options.dll and Brenlo.dll.

#include "LauncherExports.h"
