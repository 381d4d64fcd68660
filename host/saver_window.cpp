// ScreenSaverProc: the saver window's GL context, scene and 50 ms frame timer.
#include "host.h"

#include "ball_camera.h"
#include "gl_api.h"
#include "saver_frame.h"

namespace {

constexpr UINT_PTR frame_timer = 1;
constexpr UINT frame_period_ms = 50;

std::int32_t window_width = 0;
std::int32_t window_height = 0;
HDC window_dc = nullptr;
HGLRC gl_context = nullptr;
vorpane::saver_app* app = nullptr;

void create_gl_context(HWND window)
{
    window_dc = GetDC(window);
    PIXELFORMATDESCRIPTOR format = {};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DOUBLEBUFFER | PFD_SUPPORT_OPENGL;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 24;
    const int index = ChoosePixelFormat(window_dc, &format);
    SetPixelFormat(window_dc, index, &format);
    gl_context = wglCreateContext(window_dc);
    wglMakeCurrent(window_dc, gl_context);
}

} // namespace

LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_CREATE: {
        RECT client = {};
        GetClientRect(window, &client);
        window_width = client.right;
        window_height = client.bottom;
        create_gl_context(window);
        app = new vorpane::saver_app();
        app->scene = new vorpane::ball_camera();
        app->perspective = 1;
        vorpane::set_projection(*app, window_width, window_height);
        SetTimer(window, frame_timer, frame_period_ms, nullptr);
        return 0;
    }
    case WM_DESTROY:
        KillTimer(window, frame_timer);
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(gl_context);
        ReleaseDC(window, window_dc);
        return 0;
    case WM_TIMER:
        vorpane::draw_frame(*app);
        glFinish();
        glFlush();
        SwapBuffers(window_dc);
        return 0;
    default:
        return DefScreenSaverProc(window, message, wparam, lparam);
    }
}
