// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Whole start-ups of two Win32 programs, alternating: from CreateProcess until the editor
// window is visible and its message loop answers, then a close. Prints the medians and their
// ratio. Measured from inside Windows (or Wine), so no X tool's polling interval counts.
//   bench_win32_startup RUNS EDITOR_EXE PLAIN_EXE      (Windows paths)

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kCaption[] = L"Vormo Weapon Editor";
constexpr double kGiveUpMs = 30000;

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t caption[64] = {};
    if (process != search->process || !IsWindowVisible(window) ||
        !GetWindowTextW(window, caption, 64) || std::wcscmp(caption, kCaption) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

double millisecondsSince(const LARGE_INTEGER& start)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// Milliseconds until the window showed and took a message; negative when it never did.
double startOnce(const std::wstring& exe)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::wstring commandLine = L"\"" + exe + L"\"";
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return -1;
    Search search = {process.dwProcessId, nullptr};
    double elapsed = -1;
    // Waiting on the process doubles as the pause between polls, and stops at an early exit.
    while (millisecondsSince(start) < kGiveUpMs &&
           WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT) {
        EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
        DWORD_PTR ignored;
        if (search.found && SendMessageTimeoutW(search.found, WM_NULL, 0, 0, SMTO_NORMAL,
                                                DWORD(kGiveUpMs), &ignored)) {
            elapsed = millisecondsSince(start);
            break;
        }
    }
    if (search.found)
        PostMessageW(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t* argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: bench_win32_startup RUNS EDITOR_EXE PLAIN_EXE\n");
        return 2;
    }
    const int runs = std::max(1, _wtoi(argv[1]));
    const std::wstring programs[2] = {argv[2], argv[3]};
    std::vector<double> times[2];
    // One start of each first: it pays for loading the DLLs and fonts into the caches.
    for (int i = -1; i < runs; ++i) {
        for (int which = 0; which < 2; ++which) {
            const double ms = startOnce(programs[which]);
            if (ms < 0) {
                std::fprintf(stderr, "%ls did not show \"%ls\"\n", programs[which].c_str(),
                             kCaption);
                return 1;
            }
            if (i >= 0)
                times[which].push_back(ms);
        }
    }
    const double editor = median(times[0]), plain = median(times[1]);
    std::printf("runs: %d (Wine, whole processes, until the window shows and takes messages)\n",
                runs);
    std::printf("editor start-up: %.1f ms (median)\n", editor);
    std::printf("plain start-up:  %.1f ms (median)\n", plain);
    std::printf("ratio: %.2f\n", editor / plain);
    return 0;
}
