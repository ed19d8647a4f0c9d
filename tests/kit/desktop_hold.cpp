// Holds a lane's desktop for the whole test run. The Wine server closes a
// desktop (and its window manager quits) one second after its last program
// leaves; a test that starts in that moment finds no desktop and cannot make
// a window. With this program on the desktop there is always one more user.
// It shows nothing and ends with the lane's server.
#include <windows.h>

int main()
{
    // A message-only window ties this thread to the desktop.
    HWND w = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (!w) return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
