// A Windows program that does what its arguments say, so that tests/wine_emulator_test.sh can
// check what reaches a test through Wine and tools/wine/emulator.sh.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    const char* what = argc > 1 ? argv[1] : "";
    if (std::strcmp(what, "exit") == 0 && argc == 3) {
        return std::atoi(argv[2]);
    }
    if (std::strcmp(what, "lines") == 0) {
        // Text mode: the C runtime writes each "\n" as "\r\n".
        std::printf("first\nsecond\n");
        return 0;
    }
    if (std::strcmp(what, "echo") == 0) {
        char line[256];
        while (std::fgets(line, sizeof line, stdin)) {
            std::fputs(line, stdout);
        }
        return 0;
    }
    if (std::strcmp(what, "crash") == 0) {
        RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
        return 0;
    }
    if (std::strcmp(what, "abort") == 0) {
        std::abort();
    }
    if (std::strcmp(what, "spawn") == 0 && argc == 3) {
        // Leaves a child behind that holds this program's stdout: "sleep 300 MARK".
        char command[MAX_PATH + 64];
        char path[MAX_PATH];
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::snprintf(command, sizeof command, "\"%s\" sleep 300 %s", path, argv[2]);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(nullptr, command, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
            return 1;
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        std::printf("spawned\n");
        return 0;
    }
    if (std::strcmp(what, "sleep") == 0 && argc >= 3) {
        // Further arguments only mark the process, so that the test can look for it.
        Sleep(static_cast<DWORD>(std::atoi(argv[2])) * 1000);
        return 0;
    }
    std::fprintf(stderr, "usage: wine_probe exit CODE | lines | echo | crash | abort | spawn MARK | sleep SECONDS [MARK]\n");
    return 2;
}
