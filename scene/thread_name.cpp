#include "thread_name.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>
#else
#include <pthread.h>
#endif

namespace vorpane {

void set_current_thread_name(const char* name)
{
#ifdef _WIN32
    // SetThreadDescription exists from Windows 10 1607 on; older systems simply go without a name.
    using set_description = HRESULT(WINAPI*)(HANDLE, PCWSTR);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (kernel == nullptr) {
        return;
    }
    const auto set = reinterpret_cast<set_description>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel, "SetThreadDescription")));
    if (set != nullptr) {
        const std::string narrow(name);
        const std::wstring wide(narrow.begin(), narrow.end());
        set(GetCurrentThread(), wide.c_str());
    }
#else
    pthread_setname_np(pthread_self(), name);
#endif
}

} // namespace vorpane
