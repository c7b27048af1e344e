// hold_screen_lock MILLIS: takes the program's screen mutex and keeps it for MILLIS milliseconds, as
// a second process drawing to the screen would.  Prints "held" once it has it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    DWORD millis = argc > 1 ? static_cast<DWORD>(std::strtoul(argv[1], nullptr, 10)) : 5000;
    HANDLE lock = CreateMutexA(nullptr, FALSE, "refresh_screen_event");
    if (!lock || WaitForSingleObject(lock, 10000) != WAIT_OBJECT_0)
        return 1;
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(millis);
    ReleaseMutex(lock);
    CloseHandle(lock);
    return 0;
}
