#include "app/AppModule.h"
#include "app/AppRun.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showMode) {
  CoInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  gModule.Init(instance);
  int result = Run(commandLine, showMode);
  gModule.Term();
  CoUninitialize();
  return result;
}
