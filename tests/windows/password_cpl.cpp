// A stand-in for PASSWORD.CPL. VerifyScreenSavePwd answers from VORPANE_TEST_ANSWERS, one
// character per call ('1' accepts, anything else refuses), and logs each call together with
// whether the system marks a screen saver as running.
#include "test_log.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstring>

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND window)
{
    const int call = vorpane::testing::logged_lines();
    const char* answers = std::getenv("VORPANE_TEST_ANSWERS");
    const bool accept = answers != nullptr && call < static_cast<int>(std::strlen(answers)) && answers[call] == '1';
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    vorpane::testing::log_line("verify window=%d running=%d answer=%d", IsWindow(window) ? 1 : 0, running ? 1 : 0,
                               accept ? 1 : 0);
    return accept ? TRUE : FALSE;
}
