// A stand-in for the display settings' preview box: a window whose client area hosts a preview.
// Usage: preview_parent WIDTH HEIGHT STOP-FILE
// Prints its window handle in decimal, then pumps messages until STOP-FILE exists, destroys its
// window (and so the preview inside it) and exits.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

const char* stop_file = nullptr;
constexpr UINT_PTR poll_timer = 1;

LRESULT CALLBACK parent_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_TIMER:
        if (GetFileAttributesA(stop_file) != INVALID_FILE_ATTRIBUTES) {
            DestroyWindow(window);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: preview_parent WIDTH HEIGHT STOP-FILE\n");
        return 2;
    }
    stop_file = argv[3];
    WNDCLASSA c = {};
    c.lpfnWndProc = parent_proc;
    c.hInstance = GetModuleHandleA(nullptr);
    c.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    c.lpszClassName = "VorpanePreviewParent";
    RegisterClassA(&c);
    RECT r = {0, 0, std::atoi(argv[1]), std::atoi(argv[2])};
    AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
    const HWND window = CreateWindowExA(0, c.lpszClassName, "Preview parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                                        r.right - r.left, r.bottom - r.top, nullptr, nullptr, c.hInstance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(window)));
    std::fflush(stdout);
    SetTimer(window, poll_timer, 50, nullptr);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        DispatchMessageA(&m);
    }
    return 0;
}
