#include "test_saver_proc.h"

namespace vorpane::testing {

saver_proc_record saver_proc_calls;

} // namespace vorpane::testing

LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    vorpane::testing::saver_proc_calls.messages.push_back(message);
    switch (message) {
    case WM_CREATE:
    case WM_DESTROY:
    case WM_TIMER:
        return 0;
    default:
        return DefScreenSaverProc(window, message, wparam, lparam);
    }
}
