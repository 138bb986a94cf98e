#pragma once

#include <windows.h>

// The message loop of this thread around the main dialog: creates and shows the
// dialog, runs until the quit message, returns its code (0 when the dialog
// cannot be created). The command line is not read.
int Run(LPSTR commandLine, int showMode);
