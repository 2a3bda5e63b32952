// floor.exe: the cheapest live picker tick possible, the yardstick of the live benchmark.
//
// A window of Tintspot's size at (40,40) and a 3 ms timer (Wine runs it every 10 ms). Each tick
// does only what any tick of a live picker cannot avoid: it asks for the cursor and the window
// under it, takes the screen DC, copies the 41 x 21 capture area around the cursor (a 167 x 87
// view at 400%) into a DIB section and releases the DC. It draws nothing.
//
//   floor.exe            the tick described above
//   floor.exe empty      a tick that does nothing at all (the cost of the timer alone)
//   floor.exe getpixel   the tick described above plus one GetPixel of the cursor's pixel on the
//                        screen DC (the cost of a second screen read)
#include <windows.h>

#include <cstring>

namespace {

constexpr int kCaptureWidth = 41, kCaptureHeight = 21;

bool g_empty_tick = false, g_get_pixel = false;
HDC g_memory_dc = nullptr;
volatile LONG g_sink = 0;  // keeps the tick's results alive

void Tick() {
  if (g_empty_tick) return;
  POINT cursor;
  if (!GetCursorPos(&cursor)) return;
  HWND under = WindowFromPoint(cursor);
  g_sink = g_sink + (under != nullptr);
  HDC screen = GetDC(nullptr);
  BitBlt(g_memory_dc, 0, 0, kCaptureWidth, kCaptureHeight, screen, cursor.x - kCaptureWidth / 2,
         cursor.y - kCaptureHeight / 2, SRCCOPY);
  if (g_get_pixel) g_sink = g_sink + LONG(GetPixel(screen, cursor.x, cursor.y) & 1);
  ReleaseDC(nullptr, screen);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER: Tick(); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(hwnd, message, wparam, lparam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
  g_empty_tick = command_line != nullptr && strstr(command_line, "empty") != nullptr;
  g_get_pixel = command_line != nullptr && strstr(command_line, "getpixel") != nullptr;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kCaptureWidth;
  info.bmiHeader.biHeight = -kCaptureHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP capture = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  g_memory_dc = CreateCompatibleDC(nullptr);
  if (capture == nullptr || g_memory_dc == nullptr) return 1;
  SelectObject(g_memory_dc, capture);

  WNDCLASSA window_class{};
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = "TintspotFloor";
  if (RegisterClassA(&window_class) == 0) return 1;
  HWND hwnd = CreateWindowExA(0, window_class.lpszClassName, "Tintspot floor", WS_POPUP, 40, 40,
                              171, 234, nullptr, nullptr, instance, nullptr);
  if (hwnd == nullptr) return 1;
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  SetTimer(hwnd, 1, 3, nullptr);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
