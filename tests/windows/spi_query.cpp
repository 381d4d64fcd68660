// Prints whether the system marks a screen saver as running: 1 or 0.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>

int main()
{
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    std::printf("%d\n", running ? 1 : 0);
    return 0;
}
