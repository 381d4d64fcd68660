// A saver whose window procedure fails, for the start-up's exception guard: VORPANE_TEST_FAULT
// selects "throw" (out of memory while the window is created) or "crash" (an access violation on
// the first frame).
#include "host.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

bool fault_is(const char* kind)
{
    const char* fault = std::getenv("VORPANE_TEST_FAULT");
    return fault != nullptr && std::strcmp(fault, kind) == 0;
}

volatile int* volatile nowhere = nullptr;

} // namespace

LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_CREATE:
        if (fault_is("throw")) {
            throw std::bad_alloc();
        }
        SetTimer(window, 1, 50, nullptr);
        return 0;
    case WM_TIMER:
        if (fault_is("crash")) {
            *nowhere = 1;
        }
        return 0;
    case WM_DESTROY:
        return 0;
    default:
        return DefScreenSaverProc(window, message, wparam, lparam);
    }
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { vorpane::host::saver_main(); }
