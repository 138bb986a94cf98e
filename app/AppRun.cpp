#include "app/AppRun.h"

#include "app/AppModule.h"
#include "app/MainDlg.h"
#include "app/MessageLoop.h"

int Run(LPSTR /*commandLine*/, int showMode) {
  CMessageLoop loop;
  gModule.AddMessageLoop(&loop);

  int result = 0;
  {
    CMainDlg dialog;
    if (dialog.Create(nullptr)) {
      ShowWindow(dialog.GetHwnd(), showMode);
      result = loop.Run();
    }
  }
  gModule.RemoveMessageLoop();
  return result;
}
