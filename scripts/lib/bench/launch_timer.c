/* Starts a program and measures the time until its top-level window of a given class is
 * visible: used by scripts/bench.
 *
 *   launch_timer.exe <program.exe> <window class>
 *
 * Prints "<milliseconds> <peak working set in KiB>" and ends the program. Exit status 0, or 1
 * with a message on stderr if the program could not be started, ended early or showed no
 * window within 30 seconds. */
#include <windows.h>

#include <psapi.h> /* after windows.h, whose types it uses */

#include <stdio.h>

struct search {
    DWORD process_id;
    const wchar_t* class_name;
    BOOL found;
};

static BOOL CALLBACK check_window(HWND window, LPARAM context) {
    struct search* search = (struct search*)context;
    wchar_t class_name[256];
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    if (process_id == search->process_id && IsWindowVisible(window) &&
        GetClassNameW(window, class_name, 256) > 0 &&
        lstrcmpW(class_name, search->class_name) == 0) {
        search->found = TRUE;
        return FALSE;
    }
    return TRUE;
}

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        fputs("usage: launch_timer <program.exe> <window class>\n", stderr);
        return 1;
    }
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);

    STARTUPINFOW startup = {0};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(argv[1], NULL, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
        fprintf(stderr, "cannot start %ls: error %lu\n", argv[1], GetLastError());
        return 1;
    }

    struct search search = {process.dwProcessId, argv[2], FALSE};
    const double limit_ms = 30000.0;
    double elapsed_ms = 0.0;
    for (;;) {
        EnumWindows(check_window, (LPARAM)&search);
        QueryPerformanceCounter(&now);
        elapsed_ms = (double)(now.QuadPart - start.QuadPart) * 1000.0 / (double)frequency.QuadPart;
        if (search.found || elapsed_ms > limit_ms) {
            break;
        }
        /* Polls every millisecond; a process that ends early has failed. */
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) {
            break;
        }
    }

    PROCESS_MEMORY_COUNTERS memory = {0};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    if (!search.found) {
        fprintf(stderr, "%ls showed no visible window of class %ls\n", argv[1], argv[2]);
        return 1;
    }
    printf("%.3f %lu\n", elapsed_ms, (unsigned long)(memory.PeakWorkingSetSize / 1024));
    return 0;
}
