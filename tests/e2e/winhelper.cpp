// winhelper.exe: asks Win32 about the program under test from inside the same Wine prefix.
// Cross-compiled with MinGW; prints "key=value" lines. Exit code 0 on success, 1 when the
// window is not found or the call fails, 2 on bad usage.
//
//   winhelper restore CAPTION        ShowWindow(SW_RESTORE) on the top-level window
//   winhelper minimize CAPTION       ShowWindow(SW_MINIMIZE)
//   winhelper info CAPTION           rectangles, placement, visible/iconic/topmost, pid
//   winhelper resources CAPTION      GDI/USER object counts, handles and memory of its process
//                                    (Wine 8 answers 0 for the object and handle counts; the
//                                    working set and pagefile figures are real, and so are
//                                    kernel_handles, gdi_table_entries and windows, counted from
//                                    the system's handle list, the process's GDI handle table
//                                    and its windows)
//   winhelper syscolor INDEX         GetSysColor(INDEX)
//   winhelper pixel X Y              GetPixel on the screen
//   winhelper profile-write FILE SECTION KEY VALUE   WritePrivateProfileStringA
//   winhelper profile-batch OPS      per line of OPS (fields in hex, "-" empty) one answer line:
//                                    "r PATH SECTION KEY SIZE" Get...StringA ("r HEX"; "r -": the
//                                    default), "w PATH SECTION KEY VALUE" Write...StringA ("w 1"),
//                                    "c PATH COPY" copies the file as it is now ("c 1")
//   winhelper clipboard-set TEXT     puts TEXT on the clipboard as CF_TEXT
//   winhelper clipboard-hold SECONDS keeps the clipboard open for SECONDS (other programs cannot
//                                    open it meanwhile); prints "held=1" once it has it
//   winhelper combo CAPTION          the window's drop-down list: selection, its text, enabled
//   winhelper dialog-text CAPTION    the texts of the static controls of a dialog box (e.g. a
//                                    message box) with this caption, in UTF-8, and its owner's
//                                    process
//   winhelper hold-open FILE SECONDS opens FILE with no sharing at all (no other program can
//                                    open it meanwhile) for SECONDS; prints "held=1" once it has it
//   winhelper monitors               every monitor as "monitor=X,Y,W,H work=X,Y,W,H primary=0|1"
//   winhelper idle                   waits forever (keeps the prefix's Wine processes running)
//   winhelper keylog                 shows a window "winhelper keylog" at 0,0 (200x100) and prints
//                                    its key messages as "key=MSG,VK,REPEATED" until Escape
//   winhelper draw-text IN OUT FACE HEIGHT R,G,B LEFT TOP WIDTH HEIGHT TEXT [LEFT TOP ...]
//                                    reads the binary PPM picture IN into a 32-bit DIB section,
//                                    draws each TEXT in the font FACE (LOGFONT height HEIGHT,
//                                    normal weight, default quality) in colour R,G,B over a
//                                    transparent background, centred in its box and cut off at it
//                                    (DrawText, DT_CENTER | DT_NOPREFIX | DT_EXPANDTABS), and
//                                    writes the result to the binary PPM OUT
//   winhelper font-face FACE HEIGHT  the face GDI really selects for FACE at LOGFONT height
//                                    HEIGHT (normal weight, default charset): "face=NAME"
//   winhelper version-info FILE      the version resource of FILE: "fixed=A.B.C.D" (file
//                                    version), "product_fixed=A.B.C.D" and one NAME=VALUE line
//                                    per string of its first language
#include <windows.h>
// psapi.h needs the types of windows.h
#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Search {
  const char* caption;
  HWND found;
};

// The top-level window with this caption that is not a dialog box (the program's error
// boxes share its caption).
BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lparam) {
  auto* search = reinterpret_cast<Search*>(lparam);
  char text[256] = {0}, cls[256] = {0};
  GetWindowTextA(hwnd, text, sizeof text);
  GetClassNameA(hwnd, cls, sizeof cls);
  if (strcmp(text, search->caption) == 0 && strcmp(cls, "#32770") != 0) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND FindByCaption(const char* caption) {
  Search search{caption, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  if (search.found == nullptr) printf("found=0\n");
  return search.found;
}

void PrintRect(const char* name, const RECT& r) {
  printf("%s=%ld,%ld,%ld,%ld\n", name, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

int Info(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  RECT rect;
  GetWindowRect(hwnd, &rect);
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(hwnd, &placement);
  LONG_PTR exstyle = GetWindowLongPtrA(hwnd, GWL_EXSTYLE);
  printf("found=1\npid=%lu\n", pid);
  PrintRect("rect", rect);
  PrintRect("normal_rect", placement.rcNormalPosition);
  printf("visible=%d\niconic=%d\ntopmost=%d\nforeground=%d\n", IsWindowVisible(hwnd) ? 1 : 0,
         IsIconic(hwnd) ? 1 : 0, (exstyle & WS_EX_TOPMOST) ? 1 : 0,
         GetForegroundWindow() == hwnd ? 1 : 0);
  return 0;
}

// Kernel handles of a process, from the system's handle list (Wine answers 0 to
// GetProcessHandleCount but keeps this list); -1 if the list cannot be read.
struct SystemHandle {
  ULONG owner_pid;
  BYTE type, flags;
  USHORT value;
  PVOID object;
  ULONG access;
};

long KernelHandles(DWORD pid) {
  std::vector<char> buffer(1 << 20);
  ULONG needed = 0;
  NTSTATUS status;
  while ((status = NtQuerySystemInformation(SYSTEM_INFORMATION_CLASS(16), buffer.data(),
                                            ULONG(buffer.size()), &needed)) ==
         NTSTATUS(0xC0000004L)) {  // STATUS_INFO_LENGTH_MISMATCH
    buffer.resize(std::max<size_t>(buffer.size() * 2, needed));
  }
  if (status != 0) return -1;
  ULONG count = *reinterpret_cast<ULONG*>(buffer.data());
  auto* handles = reinterpret_cast<SystemHandle*>(buffer.data() + sizeof(ULONG_PTR));
  long owned = 0;
  for (ULONG i = 0; i < count; ++i) owned += handles[i].owner_pid == pid;
  return owned;
}

// GDI objects of a process: the used entries of its GDI handle table, which the PEB points to
// (Wine answers 0 to GetGuiResources; its table belongs to the process alone). -1 if unreadable.
struct GdiHandleEntry {
  UINT64 object;
  ULONG owner;
  USHORT unique;
  BYTE type, flags;
  UINT64 user_pointer;
};

long GdiObjects(HANDLE process) {
  PROCESS_BASIC_INFORMATION basic{};
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) !=
      0) {
    return -1;
  }
  UINT64 table = 0;
  const auto* peb = reinterpret_cast<const char*>(basic.PebBaseAddress);
  if (!ReadProcessMemory(process, peb + 0xF8, &table, sizeof table, nullptr) || table == 0) {
    return -1;
  }
  std::vector<GdiHandleEntry> entries(0x10000);
  SIZE_T read = 0;
  if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                         entries.size() * sizeof(GdiHandleEntry), &read)) {
    return -1;
  }
  long used = 0;
  for (size_t i = 0; i < read / sizeof(GdiHandleEntry); ++i) used += entries[i].type != 0;
  return used;
}

struct WindowCount {
  DWORD pid;
  long count;
};

BOOL CALLBACK CountChild(HWND hwnd, LPARAM lparam) {
  auto* windows = reinterpret_cast<WindowCount*>(lparam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  windows->count += pid == windows->pid;
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM lparam) {
  CountChild(hwnd, lparam);
  EnumChildWindows(hwnd, CountChild, lparam);
  return TRUE;
}

// Windows of a process (top-level, message-only and child windows): the USER objects that
// Wine can tell about, since GetGuiResources answers 0 there.
long Windows(DWORD pid) {
  WindowCount windows{pid, 0};
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
  HWND message_only = nullptr;
  while ((message_only = FindWindowExA(HWND_MESSAGE, message_only, nullptr, nullptr)) != nullptr) {
    CountTopLevel(message_only, reinterpret_cast<LPARAM>(&windows));
  }
  return windows.count;
}

int Resources(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (process == nullptr) return 1;
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process, &memory, sizeof memory);
  DWORD handles = 0;
  GetProcessHandleCount(process, &handles);
  printf("found=1\npid=%lu\ngdi_objects=%lu\nuser_objects=%lu\nhandles=%lu\n", pid,
         GetGuiResources(process, GR_GDIOBJECTS), GetGuiResources(process, GR_USEROBJECTS),
         handles);
  printf("kernel_handles=%ld\ngdi_table_entries=%ld\nwindows=%ld\n", KernelHandles(pid),
         GdiObjects(process), Windows(pid));
  printf("working_set=%llu\npagefile=%llu\n",
         static_cast<unsigned long long>(memory.WorkingSetSize),
         static_cast<unsigned long long>(memory.PagefileUsage));
  CloseHandle(process);
  return 0;
}

BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(monitor, &info)) return TRUE;
  const RECT& m = info.rcMonitor;
  const RECT& w = info.rcWork;
  printf("monitor=%ld,%ld,%ld,%ld work=%ld,%ld,%ld,%ld primary=%d\n", m.left, m.top,
         m.right - m.left, m.bottom - m.top, w.left, w.top, w.right - w.left, w.bottom - w.top,
         (info.dwFlags & MONITORINFOF_PRIMARY) ? 1 : 0);
  return TRUE;
}

int Combo(HWND hwnd) {
  HWND combo = FindWindowExA(hwnd, nullptr, "ComboBox", nullptr);
  if (combo == nullptr) {
    printf("found=1\ncombo=0\n");
    return 1;
  }
  LRESULT selection = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  // The item text through the wide message: Wine hands it across processes in that form only.
  wchar_t wide[256] = {0};
  char text[256] = {0};
  if (selection != CB_ERR && SendMessageW(combo, CB_GETLBTEXTLEN, selection, 0) < 256) {
    SendMessageW(combo, CB_GETLBTEXT, selection, reinterpret_cast<LPARAM>(wide));
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  }
  printf("found=1\ncombo=1\nselection=%ld\ntext=%s\nenabled=%d\n", long(selection), text,
         IsWindowEnabled(combo) ? 1 : 0);
  return 0;
}

BOOL CALLBACK MatchDialog(HWND hwnd, LPARAM lparam) {
  auto* search = reinterpret_cast<Search*>(lparam);
  char text[256] = {0}, cls[256] = {0};
  GetWindowTextA(hwnd, text, sizeof text);
  GetClassNameA(hwnd, cls, sizeof cls);
  if (strcmp(text, search->caption) == 0 && strcmp(cls, "#32770") == 0) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK PrintStaticText(HWND child, LPARAM) {
  char cls[64] = {0}, text[4096] = {0};
  wchar_t wide[1024] = {0};
  GetClassNameA(child, cls, sizeof cls);
  GetWindowTextW(child, wide, 1024);
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  if (_stricmp(cls, "Static") == 0 && text[0] != '\0') printf("text=%s\n", text);
  return TRUE;
}

int HoldOpen(const char* path, const char* seconds) {
  HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    printf("held=0\nerror=%lu\n", GetLastError());
    return 1;
  }
  printf("held=1\n");
  fflush(stdout);
  Sleep(static_cast<DWORD>(atoi(seconds)) * 1000);
  CloseHandle(file);
  return 0;
}

int DialogText(const char* caption) {
  Search search{caption, nullptr};
  EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
  if (search.found == nullptr) {
    printf("found=0\n");
    return 1;
  }
  DWORD pid = 0;
  GetWindowThreadProcessId(search.found, &pid);
  printf("found=1\npid=%lu\n", pid);
  EnumChildWindows(search.found, PrintStaticText, 0);
  return 0;
}

int ProfileWrite(char** args) {
  char path[MAX_PATH];
  GetFullPathNameA(args[0], MAX_PATH, path, nullptr);
  SetLastError(0);
  BOOL ok = WritePrivateProfileStringA(args[1], args[2], args[3], path);
  printf("path=%s\nok=%d\nerror=%lu\n", path, ok ? 1 : 0, GetLastError());
  return ok ? 0 : 1;
}

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; hex != "-" && i + 1 < hex.size(); i += 2) {
    bytes += char(strtol(hex.substr(i, 2).c_str(), nullptr, 16));
  }
  return bytes;
}

int ProfileBatch(const char* ops_path) {
  FILE* ops = fopen(ops_path, "rb");
  if (ops == nullptr) return 1;
  // What no value can be, even cut to one character: a value ends at its line's end.
  const char absent[] = "\n";
  std::vector<char> line(1 << 16);
  while (fgets(line.data(), int(line.size()), ops) != nullptr) {
    std::vector<std::string> f;
    for (char* field = strtok(line.data(), " \r\n"); field != nullptr;
         field = strtok(nullptr, " \r\n"))
      f.push_back(field);
    if (f.size() == 5 && f[0] == "r") {
      std::vector<char> buffer(strtoul(f[4].c_str(), nullptr, 10));
      const DWORD length =
          GetPrivateProfileStringA(FromHex(f[2]).c_str(), FromHex(f[3]).c_str(), absent,
                                   buffer.data(), DWORD(buffer.size()), FromHex(f[1]).c_str());
      const std::string value(buffer.data(), length);
      printf(value == absent ? "r -" : "r ");
      for (unsigned char c : value == absent ? std::string() : value) printf("%02x", c);
      printf("\n");
    } else if (f.size() == 5 && f[0] == "w") {
      const BOOL ok = WritePrivateProfileStringA(FromHex(f[2]).c_str(), FromHex(f[3]).c_str(),
                                                 FromHex(f[4]).c_str(), FromHex(f[1]).c_str());
      printf("w %d\n", ok ? 1 : 0);
    } else if (f.size() == 3 && f[0] == "c") {
      printf("c %d\n", CopyFileA(FromHex(f[1]).c_str(), FromHex(f[2]).c_str(), FALSE) ? 1 : 0);
    } else {
      return 2;
    }
  }
  fclose(ops);
  return 0;
}

int ClipboardSet(const char* text) {
  size_t size = strlen(text) + 1;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  memcpy(GlobalLock(memory), text, size);
  GlobalUnlock(memory);
  if (!OpenClipboard(nullptr)) return 1;
  EmptyClipboard();
  bool ok = SetClipboardData(CF_TEXT, memory) != nullptr;
  CloseClipboard();
  printf("ok=%d\n", ok ? 1 : 0);
  return ok ? 0 : 1;
}

int ClipboardHold(const char* seconds) {
  if (!OpenClipboard(nullptr)) return 1;
  printf("held=1\n");
  fflush(stdout);
  Sleep(DWORD(atoi(seconds)) * 1000);
  CloseClipboard();
  return 0;
}

LRESULT CALLBACK KeyLogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP) {
    const char* name = msg == WM_KEYDOWN      ? "down"
                       : msg == WM_KEYUP      ? "up"
                       : msg == WM_SYSKEYDOWN ? "sysdown"
                                              : "sysup";
    // Bit 30 of lParam: the key was already down (an auto-repeat).
    printf("key=%s,%u,%d\n", name, unsigned(wp), (lp >> 30) & 1 ? 1 : 0);
    fflush(stdout);
    if (msg == WM_KEYUP && wp == VK_ESCAPE) DestroyWindow(hwnd);
    return 0;
  }
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

int KeyLog() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = KeyLogProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  wc.lpszClassName = "winhelper_keylog";
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "winhelper keylog", WS_POPUP | WS_VISIBLE, 0, 0,
                              200, 100, nullptr, nullptr, wc.hInstance, nullptr);
  if (hwnd == nullptr) return 1;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

// A binary PPM (P6, maxval 255) into a top-down 32-bit DIB pixel array.
bool ReadPpm(const char* path, int* width, int* height, std::vector<DWORD>* pixels) {
  FILE* in = fopen(path, "rb");
  if (in == nullptr) return false;
  int maxval = 0;
  bool ok = fscanf(in, "P6 %d %d %d", width, height, &maxval) == 3 && maxval == 255 && *width > 0 &&
            *height > 0 && fgetc(in) != EOF;
  if (ok) {
    std::vector<unsigned char> rgb(size_t(*width) * *height * 3);
    ok = fread(rgb.data(), 1, rgb.size(), in) == rgb.size();
    pixels->resize(size_t(*width) * *height);
    for (size_t i = 0; ok && i < pixels->size(); ++i) {
      (*pixels)[i] = DWORD(rgb[i * 3] << 16) | DWORD(rgb[i * 3 + 1] << 8) | rgb[i * 3 + 2];
    }
  }
  fclose(in);
  return ok;
}

bool WritePpm(const char* path, int width, int height, const DWORD* pixels) {
  FILE* out = fopen(path, "wb");
  if (out == nullptr) return false;
  fprintf(out, "P6\n%d %d\n255\n", width, height);
  std::vector<unsigned char> rgb(size_t(width) * height * 3);
  for (size_t i = 0; i < size_t(width) * height; ++i) {
    rgb[i * 3] = static_cast<unsigned char>(pixels[i] >> 16);
    rgb[i * 3 + 1] = static_cast<unsigned char>(pixels[i] >> 8);
    rgb[i * 3 + 2] = static_cast<unsigned char>(pixels[i]);
  }
  bool ok = fwrite(rgb.data(), 1, rgb.size(), out) == rgb.size();
  return fclose(out) == 0 && ok;
}

int DrawTexts(int argc, char** argv) {
  // argv: IN OUT FACE HEIGHT R,G,B then groups of LEFT TOP WIDTH HEIGHT TEXT.
  if (argc < 10 || (argc - 5) % 5 != 0) return 2;
  int r = 0, g = 0, b = 0;
  if (sscanf(argv[4], "%d,%d,%d", &r, &g, &b) != 3) return 2;
  int width = 0, height = 0;
  std::vector<DWORD> picture;
  if (!ReadPpm(argv[0], &width, &height, &picture)) {
    printf("ok=0\nerror=cannot read %s\n", argv[0]);
    return 1;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC dc = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dc == nullptr || bitmap == nullptr || bits == nullptr) return 1;
  HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
  memcpy(bits, picture.data(), picture.size() * sizeof(DWORD));
  HFONT font = CreateFontA(atoi(argv[3]), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, argv[2]);
  if (font == nullptr) return 1;
  HGDIOBJ old_font = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(r, g, b));
  for (int i = 5; i + 4 < argc; i += 5) {
    RECT box{atoi(argv[i]), atoi(argv[i + 1]), 0, 0};
    box.right = box.left + atoi(argv[i + 2]);
    box.bottom = box.top + atoi(argv[i + 3]);
    const char* text = argv[i + 4];
    IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
    DrawTextA(dc, text, int(strlen(text)), &box, DT_CENTER | DT_NOPREFIX | DT_EXPANDTABS);
    SelectClipRgn(dc, nullptr);
  }
  GdiFlush();
  char face[LF_FACESIZE] = {0};
  GetTextFaceA(dc, sizeof face, face);
  memcpy(picture.data(), bits, picture.size() * sizeof(DWORD));
  SelectObject(dc, old_font);
  DeleteObject(font);
  SelectObject(dc, old_bitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  bool ok = WritePpm(argv[1], width, height, picture.data());
  printf("ok=%d\nface=%s\n", ok ? 1 : 0, face);
  return ok ? 0 : 1;
}

int FontFace(const char* face, int height) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, face);
  if (dc == nullptr || font == nullptr) return 1;
  HGDIOBJ old_font = SelectObject(dc, font);
  char selected[LF_FACESIZE] = {0};
  GetTextFaceA(dc, sizeof selected, selected);
  SelectObject(dc, old_font);
  DeleteObject(font);
  DeleteDC(dc);
  printf("face=%s\n", selected);
  return 0;
}

int VersionInfo(const char* file) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(file, &ignored);
  std::vector<char> data(size);
  if (size == 0 || !GetFileVersionInfoA(file, 0, size, data.data())) {
    printf("found=0\n");
    return 1;
  }
  printf("found=1\n");
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) &&
      length >= sizeof *fixed) {
    printf("fixed=%lu.%lu.%lu.%lu\n", fixed->dwFileVersionMS >> 16, fixed->dwFileVersionMS & 0xFFFF,
           fixed->dwFileVersionLS >> 16, fixed->dwFileVersionLS & 0xFFFF);
    printf("product_fixed=%lu.%lu.%lu.%lu\n", fixed->dwProductVersionMS >> 16,
           fixed->dwProductVersionMS & 0xFFFF, fixed->dwProductVersionLS >> 16,
           fixed->dwProductVersionLS & 0xFFFF);
  }
  struct Translation {
    WORD language, codepage;
  }* translation = nullptr;
  if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translation), &length) ||
      length < sizeof *translation) {
    return 1;
  }
  printf("translation=%04x%04x\n", translation->language, translation->codepage);
  for (const char* name : {"CompanyName", "FileDescription", "FileVersion", "InternalName",
                           "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion"}) {
    char query[128];
    snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\%s", translation->language,
             translation->codepage, name);
    char* value = nullptr;
    if (VerQueryValueA(data.data(), query, reinterpret_cast<void**>(&value), &length)) {
      printf("%s=%s\n", name, value);
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "keylog") return KeyLog();
  if (argc == 2 && std::string(argv[1]) == "idle") {
    Sleep(INFINITE);
    return 0;
  }
  if (argc == 2 && std::string(argv[1]) == "monitors") {
    return EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 0) ? 0 : 1;
  }
  if (argc < 3) {
    fprintf(stderr, "usage: winhelper COMMAND ARGS...\n");
    return 2;
  }
  std::string command = argv[1];
  if (command == "syscolor") {
    COLORREF c = GetSysColor(atoi(argv[2]));
    printf("value=0x%06lx\nrgb=%d,%d,%d\n", c, GetRValue(c), GetGValue(c), GetBValue(c));
    return 0;
  }
  if (command == "pixel" && argc == 4) {
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, atoi(argv[2]), atoi(argv[3]));
    ReleaseDC(nullptr, screen);
    printf("value=0x%06lx\nrgb=%d,%d,%d\n", c, GetRValue(c), GetGValue(c), GetBValue(c));
    return c == CLR_INVALID ? 1 : 0;
  }
  if (command == "profile-write" && argc == 6) return ProfileWrite(argv + 2);
  if (command == "profile-batch") return ProfileBatch(argv[2]);
  if (command == "clipboard-set") return ClipboardSet(argv[2]);
  if (command == "clipboard-hold") return ClipboardHold(argv[2]);
  if (command == "dialog-text") return DialogText(argv[2]);
  if (command == "hold-open" && argc == 4) return HoldOpen(argv[2], argv[3]);
  if (command == "draw-text") return DrawTexts(argc - 2, argv + 2);
  if (command == "font-face" && argc == 4) return FontFace(argv[2], atoi(argv[3]));
  if (command == "version-info") return VersionInfo(argv[2]);
  HWND hwnd = FindByCaption(argv[2]);
  if (hwnd == nullptr) return 1;
  if (command == "restore" || command == "minimize") {
    ShowWindow(hwnd, command == "restore" ? SW_RESTORE : SW_MINIMIZE);
    printf("found=1\n");
    return 0;
  }
  if (command == "info") return Info(hwnd);
  if (command == "resources") return Resources(hwnd);
  if (command == "combo") return Combo(hwnd);
  fprintf(stderr, "unknown command %s\n", command.c_str());
  return 2;
}
