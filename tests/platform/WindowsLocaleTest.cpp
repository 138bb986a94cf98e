#include <windows.h>
#include <gtest/gtest.h>

#include <string>

// The Windows tests run under code page 936, and some of them again under
// other code pages for non-Unicode programs (NESTARI_ACP): each run must get
// the one it was set up for, or it proves nothing.
TEST(WindowsLocale, AnsiCodePageIsTheOneAskedFor) {
  char wanted[16] = "936";
  GetEnvironmentVariableA("NESTARI_ACP", wanted, sizeof wanted);
  EXPECT_EQ(GetACP(), std::stoul(wanted));
}
