// Russian window texts are Windows-1251 bytes given to the ANSI functions: the test run that
// checks them needs that code page, which Wine takes from the process's locale.
#include <gtest/gtest.h>
#include <windows.h>

namespace {

TEST(CyrillicCodePage, AnsiTextsAreWindows1251) {
  EXPECT_EQ(GetACP(), 1251u);
  const char bytes[] = "\xd0\xc4\xc0";  // three Cyrillic capitals in Windows-1251
  wchar_t wide[4] = {};
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, bytes, -1, wide, 4), 4);
  EXPECT_EQ(wide[0], 0x0420);
  EXPECT_EQ(wide[1], 0x0414);
  EXPECT_EQ(wide[2], 0x0410);
  HWND window = CreateWindowA("STATIC", bytes, 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  char back[8] = {};
  GetWindowTextA(window, back, sizeof back);
  EXPECT_STREQ(back, bytes);
  DestroyWindow(window);
}

}  // namespace
