#include "host.h"

#include <cstdlib>

namespace vorpane::host {

std::int32_t preview = 0;
std::int32_t closing = 0;
std::int32_t checking_password = 0;
std::int32_t win9x_platform = 0;
HMODULE password_library = nullptr;
verify_password_fn verify_password = nullptr;
HMODULE imm_library = nullptr;
imm_associate_context_fn imm_associate_context = nullptr;
HANDLE saved_input_context = nullptr;
POINT anchor_cursor = {0, 0};
std::uint32_t move_threshold = 4;
DWORD last_check_tick = no_check_yet;

namespace {

void hide_cursor() { SetCursor(nullptr); }

void post_close(HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); }

template <typename F>
F find_function(HMODULE module, const char* name)
{
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Whether a power broadcast should end the saver; a suspend query is answered by the caller.
bool power_event_closes(WPARAM event, LPARAM data)
{
    switch (event) {
    case 0x0001: // PBT_APMQUERYSTANDBY
    case 0x0002: // PBT_APMQUERYSUSPENDFAILED
    case 0x0003: // PBT_APMQUERYSTANDBYFAILED
    case 0x0004: // PBT_APMSUSPEND
    case 0x0005: // PBT_APMSTANDBY
        return true;
    case 0x0006: // PBT_APMRESUMECRITICAL
    case 0x0007: // PBT_APMRESUMESUSPEND
    case 0x0008: // PBT_APMRESUMESTANDBY
    case 0x0012: // PBT_APMRESUMEAUTOMATIC
        return (data & 1) == 0; // not after a failed resume
    case 0x000A: // PBT_APMPOWERSTATUSCHANGE
    case 0x8013: // PBT_POWERSETTINGCHANGE
        return false;
    default:
        return true;
    }
}

} // namespace

void set_saver_running(BOOL running)
{
    if (win9x_platform != 1) {
        return;
    }
    BOOL previous = FALSE;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, static_cast<UINT>(running), &previous, 0);
}

void release_password_hook()
{
    if (win9x_platform != 1 || password_library == nullptr) {
        return;
    }
    FreeLibrary(password_library);
    password_library = nullptr;
    if (verify_password != nullptr) {
        verify_password = nullptr;
        set_saver_running(FALSE);
    }
}

void load_password_hook()
{
    if (win9x_platform == 0) {
        return;
    }
    if (password_library != nullptr) {
        release_password_hook();
    }
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return;
    }
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key, "ScreenSaveUsePassword", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) ==
            ERROR_SUCCESS &&
        value != 0) {
        password_library = LoadLibraryA("PASSWORD.CPL");
        if (password_library != nullptr) {
            verify_password = find_function<verify_password_fn>(password_library, "VerifyScreenSavePwd");
            if (verify_password != nullptr) {
                set_saver_running(TRUE);
            } else {
                release_password_hook();
            }
        }
    }
    RegCloseKey(key);
}

BOOL check_password(HWND window)
{
    if (checking_password || closing) {
        return FALSE;
    }
    if (verify_password == nullptr) {
        closing = 1;
        return TRUE;
    }
    // Refuse a burst of close requests right after a refused prompt, without prompting again.
    const DWORD now = GetTickCount();
    if (last_check_tick != no_check_yet && now - last_check_tick < password_retry_ms) {
        return closing;
    }
    checking_password = 1;
    MSG dropped;
    for (int i = 0; i < 2; ++i) {
        PeekMessageA(&dropped, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
    }
    closing = SendMessageA(window, password_message, 0, 0) != 0 ? 1 : 0;
    checking_password = 0;
    if (!closing) {
        hide_cursor();
    }
    last_check_tick = GetTickCount();
    return closing;
}

LRESULT CALLBACK host_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_CREATE:
        imm_library = GetModuleHandleA("IMM32.DLL");
        if (imm_library != nullptr) {
            imm_associate_context = find_function<imm_associate_context_fn>(imm_library, "ImmAssociateContext");
            if (imm_associate_context != nullptr) {
                saved_input_context = imm_associate_context(window, nullptr);
            }
        }
        GetCursorPos(&anchor_cursor);
        if (!preview) {
            hide_cursor();
        }
        break;
    case WM_DESTROY:
        if (imm_library != nullptr && imm_associate_context != nullptr && saved_input_context != nullptr) {
            imm_associate_context(window, saved_input_context);
        }
        PostQuitMessage(0);
        break;
    case WM_SETTEXT:
        return 0;
    case WM_PAINT:
        if (closing) {
            return DefWindowProcA(window, message, wparam, lparam);
        }
        if (!preview) {
            hide_cursor();
        }
        break;
    case WM_HELP:
    case WM_CONTEXTMENU:
        if (preview) {
            const HWND parent = GetParent(window);
            if (parent != nullptr && IsWindow(parent)) {
                PostMessageA(parent, message, reinterpret_cast<WPARAM>(parent), lparam);
            }
            return 1;
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (closing) {
            return DefWindowProcA(window, message, wparam, lparam);
        }
        break;
    case WM_SYSCOMMAND:
        if (!preview) {
            switch (wparam & 0xFFF0) {
            case SC_NEXTWINDOW:
            case SC_PREVWINDOW:
            case SC_SCREENSAVE:
                return 0;
            case SC_MONITORPOWER:
                post_close(window);
                break;
            default:
                break;
            }
        }
        break;
    case WM_TIMER:
        if (closing) {
            return 0;
        }
        Sleep(0);
        break;
    default:
        break;
    }
    return ScreenSaverProc(window, message, wparam, lparam);
}

} // namespace vorpane::host

using namespace vorpane::host;

LRESULT WINAPI DefScreenSaverProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (preview || closing) {
        return DefWindowProcA(window, message, wparam, lparam);
    }
    if (message == WM_CLOSE) {
        if (win9x_platform == 1 && !check_password(window)) {
            GetCursorPos(&anchor_cursor);
            return 0;
        }
        return DefWindowProcA(window, message, wparam, lparam);
    }
    if (message == password_message) {
        if (win9x_platform == 1) {
            return verify_password != nullptr ? verify_password(window) : 1;
        }
        return DefWindowProcA(window, message, wparam, lparam);
    }
    if (checking_password) {
        return DefWindowProcA(window, message, wparam, lparam);
    }
    switch (message) {
    case WM_SHOWWINDOW:
        if (wparam != 0) {
            SetCursor(nullptr);
        }
        break;
    case WM_ACTIVATEAPP:
        if (wparam == 0) {
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
        break;
    case WM_SETCURSOR:
        SetCursor(nullptr);
        return TRUE;
    case 0x0048: // WM_POWER
        if (wparam == 3) { // PWR_CRITICALRESUME
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        PostMessageA(window, WM_CLOSE, 0, 0);
        break;
    case WM_MOUSEMOVE: {
        // The cursor's own position, not lParam: a still cursor gets moves from window changes too.
        POINT now = {0, 0};
        GetCursorPos(&now);
        const long long dx = std::llabs(static_cast<long long>(now.x) - anchor_cursor.x);
        const long long dy = std::llabs(static_cast<long long>(now.y) - anchor_cursor.y);
        if (static_cast<std::uint32_t>(dx + dy) > move_threshold) {
            PostMessageA(window, WM_CLOSE, 0, 0);
            anchor_cursor = now;
        }
        break;
    }
    case WM_POWERBROADCAST:
        if (wparam == 0x0000) { // PBT_APMQUERYSUSPEND: granted
            return TRUE;
        }
        if (power_event_closes(wparam, lparam)) {
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}
