#pragma once

// Keeps command controls in step with the program's state. The main dialog has
// no such controls yet, so there is nothing to update.
class CUpdateUI {
public:
  BOOL UIUpdateChildWindows() { return TRUE; }
};
