#include <windows.h>
#include <gtest/gtest.h>

// Every text of the program is GBK; the test environment must give the
// ANSI code page that the users' systems have.
TEST(WindowsLocale, AnsiCodePageIsGbk) { EXPECT_EQ(GetACP(), 936u); }
