#include "host.h"

#include "uniform_source.h"

#include <commctrl.h>

#include <exception>

namespace vorpane::host {

HINSTANCE instance = nullptr;
HWND saver_window = nullptr;

namespace {

constexpr int config_dialog_template = 2003;
constexpr int class_icon = 100; // not in the module: the class goes without an icon

// A failure inside a window procedure, carried past DispatchMessage to the start-up's guard.
// NOTE: 64-bit Windows may swallow exceptions that unwind through its window-message callbacks,
// so they are caught at the procedure and rethrown after the message loop.
std::exception_ptr pending_failure;

LONG WINAPI guard_filter(EXCEPTION_POINTERS*)
{
    set_saver_running(FALSE);
    ExitProcess(static_cast<UINT>(exit_failure));
}

LRESULT CALLBACK guarded_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    try {
        return host_window_proc(window, message, wparam, lparam);
    } catch (...) {
        if (!pending_failure) {
            pending_failure = std::current_exception();
        }
        if (message == WM_CREATE) {
            return -1; // the window is not created
        }
        PostQuitMessage(0);
        return 0;
    }
}

INT_PTR CALLBACK config_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    return ScreenSaverConfigureDialog(dialog, message, wparam, lparam);
}

const char* skip_blanks(const char* p)
{
    while (*p == ' ') {
        ++p;
    }
    return p;
}

HWND parent_or_foreground(std::uint32_t handle)
{
    const HWND window = window_from_handle(handle);
    return window != nullptr ? window : GetForegroundWindow();
}

} // namespace

HWND window_from_handle(std::uint32_t handle)
{
    if (handle == 0) {
        return nullptr;
    }
    // Window handles are 32-bit values, sign-extended in 64-bit processes.
    const HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<std::int32_t>(handle)));
    return IsWindow(window) ? window : nullptr;
}

const char* skip_program_name(const char* line)
{
    const char* p = line;
    if (*p == '"') {
        p = CharNextA(p);
        while (*p != '\0' && *p != '"') {
            p = CharNextA(p);
        }
        if (*p == '"') {
            p = CharNextA(p);
        }
    } else {
        while (static_cast<unsigned char>(*p) > ' ') {
            p = CharNextA(p);
        }
    }
    while (*p != '\0' && static_cast<unsigned char>(*p) <= ' ') {
        p = CharNextA(p);
    }
    return p;
}

std::uint32_t parse_window_handle(const char* text)
{
    std::uint32_t value = 0;
    for (const char* p = text; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10u + static_cast<std::uint32_t>(*p - '0');
    }
    return value;
}

int run_mode(const char* command_line)
{
    for (const char* p = command_line;; ++p) {
        switch (*p) {
        case '\0':
            return static_cast<int>(show_config_dialog(nullptr));
        case ' ':
        case '-':
        case '/':
            continue;
        case 's':
        case 'S':
            return run_saver_window(nullptr);
        case 'p':
        case 'P':
        case 'l':
        case 'L': {
            const HWND parent = window_from_handle(parse_window_handle(skip_blanks(p + 1)));
            return parent != nullptr ? run_saver_window(parent) : exit_failure;
        }
        case 'c':
        case 'C': {
            const std::uint32_t handle = p[1] == ':' ? parse_window_handle(p + 2) : 0;
            return static_cast<int>(show_config_dialog(parent_or_foreground(handle)));
        }
        case 'a':
        case 'A':
            if (win9x_platform == 0) {
                return exit_failure;
            }
            change_password(parent_or_foreground(parse_window_handle(skip_blanks(p + 1))));
            return 0;
        default:
            return exit_failure;
        }
    }
}

int run_saver_window(HWND parent)
{
    WNDCLASSA window_class = {};
    window_class.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
    window_class.lpfnWndProc = guarded_window_proc;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(class_icon));
    window_class.hCursor = nullptr;
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    window_class.lpszClassName = window_class_name;

    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    DWORD style = 0;
    DWORD extended_style = 0;
    const char* title = nullptr;
    if (parent != nullptr) {
        RECT client = {};
        GetClientRect(parent, &client);
        width = client.right;
        height = client.bottom;
        style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
        title = preview_title;
        preview = 1;
    } else {
        x = GetSystemMetrics(SM_XVIRTUALSCREEN);
        y = GetSystemMetrics(SM_YVIRTUALSCREEN);
        width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
        height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
        if (width == 0 || height == 0) {
            const HDC screen = GetDC(nullptr);
            RECT box = {};
            GetClipBox(screen, &box);
            ReleaseDC(nullptr, screen);
            x = box.left;
            y = box.top;
            width = box.right - box.left;
            height = box.bottom - box.top;
        }
        style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        extended_style = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
        title = full_screen_title;

        const HWND running = FindWindowA(window_class_name, full_screen_title);
        if (running != nullptr && IsWindow(running)) {
            SetForegroundWindow(running);
            return 0;
        }
        load_password_hook();
    }

    if (RegisterClassA(&window_class) != 0) {
        saver_window = CreateWindowExA(extended_style, window_class_name, title, style, x, y, width, height, parent,
                                       nullptr, instance, nullptr);
    }
    int result = 0;
    if (saver_window != nullptr) {
        if (parent == nullptr) {
            SetForegroundWindow(saver_window);
        }
        MSG message = {};
        // GetMessage returns -1 on an error; looping on it would spin for ever.
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        result = static_cast<int>(message.wParam);
    }
    release_password_hook();
    if (pending_failure) {
        std::rethrow_exception(pending_failure);
    }
    return result;
}

void change_password(HWND parent)
{
    using change_fn = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);
    const HMODULE mpr = LoadLibraryA("MPR.DLL");
    if (mpr == nullptr) {
        return;
    }
    const auto change = reinterpret_cast<change_fn>(reinterpret_cast<void (*)()>(GetProcAddress(mpr, "PwdChangePasswordA")));
    if (change != nullptr) {
        change("SCRSAVE", parent, 0, 0);
    }
    FreeLibrary(mpr);
}

INT_PTR show_config_dialog(HWND parent)
{
    if (!RegisterDialogClasses(instance)) {
        return 0;
    }
    // The module has no settings and carries no dialog template, so this fails at once with -1.
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(config_dialog_template), parent,
                           config_dialog_proc, 0);
}

void saver_main()
{
    const char* command_line = skip_program_name(GetCommandLineA());

    using heap_set_information_fn = BOOL(WINAPI*)(HANDLE, int, PVOID, SIZE_T);
    if (const HMODULE kernel = GetModuleHandleA("KERNEL32.DLL")) {
        const auto set = reinterpret_cast<heap_set_information_fn>(
            reinterpret_cast<void (*)()>(GetProcAddress(kernel, "HeapSetInformation")));
        if (set != nullptr) {
            set(nullptr, 1, nullptr, 0); // terminate on heap corruption
        }
    }
    INITCOMMONCONTROLSEX controls = {8, ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    instance = GetModuleHandleA(nullptr);

    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    win9x_platform = GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? 1 : 0;

    uniform_source::seed(uniform_source::clock_seed());

    int code = exit_failure;
    SetUnhandledExceptionFilter(guard_filter);
    try {
        code = run_mode(command_line);
    } catch (...) {
        set_saver_running(FALSE);
        code = exit_failure;
    }
    ExitProcess(static_cast<UINT>(code));
}

} // namespace vorpane::host

BOOL WINAPI ScreenSaverConfigureDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

BOOL WINAPI RegisterDialogClasses(HANDLE) { return TRUE; }
