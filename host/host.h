// The Windows screen-saver host: process entry and modes, the saver window's class and message
// loop, and the message procedures that hide the cursor, end the saver on input and, on the
// Windows 95/98/Me family, ask for the screen-saver password. GUI thread only.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>

// The screen-saver contract. ScreenSaverProc is the saver's own window procedure; the host calls it
// for every message it does not settle itself, and it hands what it does not handle to
// DefScreenSaverProc.
LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT WINAPI DefScreenSaverProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
BOOL WINAPI ScreenSaverConfigureDialog(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
BOOL WINAPI RegisterDialogClasses(HANDLE instance);

namespace vorpane::host {

constexpr char window_class_name[] = "WindowsScreenSaverClass";
constexpr char full_screen_title[] = "Screen Saver";
constexpr char preview_title[] = "Preview";
constexpr int exit_failure = -1;
constexpr UINT password_message = WM_APP;
constexpr DWORD password_retry_ms = 200;
constexpr DWORD no_check_yet = 0xFFFFFFFFu;

using verify_password_fn = BOOL(WINAPI*)(HWND);
using imm_associate_context_fn = HANDLE(WINAPI*)(HWND, HANDLE);

// Start-up.
extern HINSTANCE instance;
extern HWND saver_window;

// Shared by the message procedures and the start-up.
extern std::int32_t preview;
extern std::int32_t closing;
extern std::int32_t checking_password;
extern std::int32_t win9x_platform;
extern HMODULE password_library;
extern verify_password_fn verify_password;
extern HMODULE imm_library;
extern imm_associate_context_fn imm_associate_context;
extern HANDLE saved_input_context;
extern POINT anchor_cursor;
extern std::uint32_t move_threshold;
extern DWORD last_check_tick;

// The whole process: reads GetCommandLineA, runs the mode and ends the process with its exit code.
[[noreturn]] void saver_main();
// The command line after the program name and the blanks that follow it.
const char* skip_program_name(const char* line);
// Runs the mode that a command line (program name already skipped) selects; returns the exit code.
int run_mode(const char* command_line);
std::uint32_t parse_window_handle(const char* text);
HWND window_from_handle(std::uint32_t handle);

int run_saver_window(HWND parent);
void change_password(HWND parent);
INT_PTR show_config_dialog(HWND parent);

LRESULT CALLBACK host_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
BOOL check_password(HWND window);
void load_password_hook();
void release_password_hook();
void set_saver_running(BOOL running);

} // namespace vorpane::host
