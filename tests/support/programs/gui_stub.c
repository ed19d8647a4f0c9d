/* A window-subsystem program that does nothing: it only carries resources. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    return 0;
}
