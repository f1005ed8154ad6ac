// A screensaver host as the settings dialog is one: a top-level window holding a
// preview window, in which it starts the saver with /p and the preview's handle
// in decimal. Then it reports what it sees, one fact a line:
//   preview_host SCR destroy   destroys the preview once the saver draws in it
//   preview_host SCR disable   disables it instead (and keeps it)
// Lines: "child <w>x<h>" for a window of the saver's process inside the preview,
// "exit <code>" when the saver ends, "preview alive" or "preview gone" after,
// and for a live preview "preview unchanged" when it kept its place, size,
// text and parent.
// Exit code 0 when the run went through; waits are bounded so that it ends.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int preview_width = 152;
constexpr int preview_height = 112;

struct Search {
  DWORD process;
  HWND found;
};

BOOL CALLBACK find_saver_window(HWND window, LPARAM data) {
  Search* search = reinterpret_cast<Search*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == search->process) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// Handles this thread's messages for up to the given time, or until the
// process ends; true when it ended.
bool pump_until_exit(HANDLE process, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= milliseconds) return false;
    const DWORD woke = MsgWaitForMultipleObjects(1, &process, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    if (woke == WAIT_OBJECT_0) return true;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || (std::strcmp(argv[2], "destroy") != 0 && std::strcmp(argv[2], "disable") != 0)) return 2;
  const bool destroy = std::strcmp(argv[2], "destroy") == 0;
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA host_class = {};
  host_class.lpfnWndProc = DefWindowProcA;
  host_class.hInstance = instance;
  host_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  host_class.lpszClassName = "PreviewHost";
  RegisterClassA(&host_class);
  HWND host = CreateWindowExA(0, "PreviewHost", "Preview host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 250,
                              nullptr, nullptr, instance, nullptr);
  HWND preview = CreateWindowExA(0, "static", "", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 60, 40, preview_width,
                                 preview_height, host, nullptr, instance, nullptr);
  if (host == nullptr || preview == nullptr) return 3;
  RECT placed = {};
  GetWindowRect(preview, &placed);

  // The handle as the host writes it: a 32-bit signed decimal.
  const long handle = static_cast<long>(reinterpret_cast<LONG_PTR>(preview));
  std::string command = std::string("\"") + argv[1] + "\" /p " + std::to_string(handle);
  // The saver's own output (the model loader's progress) stays out of the report.
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE nowhere = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nowhere;
  startup.hStdOutput = nowhere;
  startup.hStdError = nowhere;
  PROCESS_INFORMATION saver = {};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &saver)) {
    std::printf("cannot start %s\n", command.c_str());
    return 4;
  }

  Search search = {saver.dwProcessId, nullptr};
  for (int i = 0; i < 1200 && search.found == nullptr; ++i) {
    if (pump_until_exit(saver.hProcess, 100)) break;
    EnumChildWindows(preview, find_saver_window, reinterpret_cast<LPARAM>(&search));
  }
  if (search.found != nullptr) {
    // A few more frames, so that the saver is well into its loop.
    pump_until_exit(saver.hProcess, 1000);
    RECT client = {};
    GetClientRect(search.found, &client);
    std::printf("child %ldx%ld\n", client.right - client.left, client.bottom - client.top);
    std::fflush(stdout);
    if (destroy) {
      DestroyWindow(preview);
    } else {
      EnableWindow(preview, FALSE);
    }
  } else {
    std::printf("no child\n");
  }

  const bool ended = pump_until_exit(saver.hProcess, 120000);
  DWORD code = 0;
  if (ended && GetExitCodeProcess(saver.hProcess, &code)) {
    std::printf("exit %lu\n", code);
  } else {
    std::printf("exit none\n");
    TerminateProcess(saver.hProcess, 1);
  }
  std::printf("preview %s\n", IsWindow(preview) ? "alive" : "gone");
  if (IsWindow(preview)) {
    RECT now = {};
    GetWindowRect(preview, &now);
    char text[64] = {};
    GetWindowTextA(preview, text, sizeof text);
    const bool kept = EqualRect(&now, &placed) && text[0] == '\0' && GetParent(preview) == host;
    std::printf("preview %s\n", kept ? "unchanged" : "changed");
  }
  DestroyWindow(host);
  return 0;
}
