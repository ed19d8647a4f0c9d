// A small program the support tests start:
//   sleep <ms>           waits, to be found and ended by name
//   trywrite <path>      exit 0 when the file opens for writing, 1 when the
//                        system refuses it (sharing or access), 2 otherwise
//   cwd <file>           writes its working directory into file
#include <windows.h>

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "sleep") == 0) {
        Sleep(static_cast<DWORD>(std::atoi(argv[2])));
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "trywrite") == 0) {
        const HANDLE h = CreateFileA(argv[2], GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
            return 0;
        }
        const DWORD e = GetLastError();
        return e == ERROR_SHARING_VIOLATION || e == ERROR_ACCESS_DENIED ? 1 : 2;
    }
    if (argc >= 3 && std::strcmp(argv[1], "cwd") == 0) {
        char dir[MAX_PATH];
        const DWORD n = GetCurrentDirectoryA(MAX_PATH, dir);
        const HANDLE h = CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return 2;
        DWORD written = 0;
        WriteFile(h, dir, n, &written, nullptr);
        CloseHandle(h);
        return 0;
    }
    return 3;
}
