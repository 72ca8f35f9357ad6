// The Wine environment the win32 tests run in is the host's: a Japanese
// system, whose ANSI code page is 932, with a window system to create on.
#include <gtest/gtest.h>
#include <windows.h>

TEST(Environment, AnsiCodePageIs932) { EXPECT_EQ(GetACP(), 932u); }

TEST(Environment, WindowsCanBeCreated) {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    DestroyWindow(window);
}
