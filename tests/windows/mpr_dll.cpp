// A stand-in for MPR.DLL's password change: logs its arguments.
#include "test_log.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

extern "C" __declspec(dllexport) DWORD WINAPI PwdChangePasswordA(LPCSTR provider, HWND parent, DWORD reserved1,
                                                                 DWORD reserved2)
{
    vorpane::testing::log_line("change provider=%s parent=%lu reserved=%lu,%lu", provider != nullptr ? provider : "(null)",
                               static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(parent)),
                               static_cast<unsigned long>(reserved1), static_cast<unsigned long>(reserved2));
    return 0;
}
