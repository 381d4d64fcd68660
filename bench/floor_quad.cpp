// The least a saver of this design costs on X11: every 50 ms clear, draw one textured 680x510 quad
// stretched over the window, and swap; nothing else. Draws on the root window until killed.
// Run: bench/x11_cost.sh, which compares vorpane against it.
#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

int main()
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "floor_quad: cannot open the display\n");
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes = {};
    XGetWindowAttributes(display, root, &attributes);
    XVisualInfo wanted = {};
    wanted.visualid = XVisualIDFromVisual(attributes.visual);
    int count = 0;
    XVisualInfo* info = XGetVisualInfo(display, VisualIDMask, &wanted, &count);
    GLXContext context = glXCreateContext(display, info, nullptr, True);
    glXMakeCurrent(display, root, context);

    std::vector<unsigned char> pixels(680 * 510 * 4);
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
        pixels[i] = 153;
        pixels[i + 1] = 45;
        pixels[i + 2] = 45;
        pixels[i + 3] = 255;
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1024, 512, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 680, 510, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glViewport(0, 0, attributes.width, attributes.height);
    glMatrixMode(GL_PROJECTION);
    glOrtho(0, 1, 0, 1, -1, 1);

    auto next = std::chrono::steady_clock::now();
    for (;;) {
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_TEXTURE_2D);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0);
        glVertex2f(0, 0);
        glTexCoord2f(680.0f / 1024, 0);
        glVertex2f(1, 0);
        glTexCoord2f(680.0f / 1024, 510.0f / 512);
        glVertex2f(1, 1);
        glTexCoord2f(0, 510.0f / 512);
        glVertex2f(0, 1);
        glEnd();
        glFinish();
        glXSwapBuffers(display, root);
        next += std::chrono::milliseconds(50);
        std::this_thread::sleep_until(next);
    }
}
