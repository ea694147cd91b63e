#include "tests/support/screenshot_win.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace stats::testing {

namespace {

// The window's rectangle as it is on the screen now, as 24-bit rows.
std::vector<unsigned char> grab(const RECT& r, BITMAPINFOHEADER& info) {
  const int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);

  info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const int stride = (width * 3 + 3) & ~3;
  std::vector<unsigned char> pixels(static_cast<size_t>(stride) * height);
  GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
            DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

}  // namespace

std::string saveScreenshot(HWND window, const std::string& name) {
  const char* folder = std::getenv("STATS_SCREENSHOT_DIR");
  if (!folder || !*folder || !window) return "";
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  RECT r;
  GetWindowRect(window, &r);
  if (r.right <= r.left || r.bottom <= r.top) return "";
  // The window's thread repaints it after a moment: take the picture once two grabs agree.
  BITMAPINFOHEADER info;
  std::vector<unsigned char> pixels = grab(r, info);
  for (int tries = 0; tries < 20; ++tries) {
    Sleep(50);
    std::vector<unsigned char> again = grab(r, info);
    if (again == pixels) break;
    pixels.swap(again);
  }

  const std::string path = std::string(folder) + "\\" + name + ".bmp";
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return "";
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  std::fwrite(&file, sizeof file, 1, out);
  std::fwrite(&info, sizeof info, 1, out);
  std::fwrite(pixels.data(), 1, pixels.size(), out);
  std::fclose(out);
  return path;
}

COLORREF clientPixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}

}  // namespace stats::testing
