// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Whole start-ups of the editor against two baselines, in rounds that alternate the editor
// with each of them: from CreateProcess until the program's window is visible and its message
// loop answers, then a close. Prints each program's median and spread, and the editor's ratio
// to each baseline. Measured from inside Windows (or Wine), polling every millisecond, so no X
// tool's polling interval counts.
//   bench_win32_startup RUNS EDITOR_EXE PLAIN_EXE [NOTEPAD_EXE]      (Windows paths)

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr double kGiveUpMs = 30000;

struct Program {
    const char* label;
    std::wstring exe;
    const wchar_t* caption; // a part of the window's title
    std::vector<double> times;
};

struct Search {
    DWORD process;
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t caption[128] = {};
    if (process != search->process || !IsWindowVisible(window) ||
        !GetWindowTextW(window, caption, 128) || !std::wcsstr(caption, search->caption))
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
double startOnce(const Program& program)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::wstring commandLine = L"\"" + program.exe + L"\"";
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    // No application name: a bare name is looked up as the shell would.
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    Search search = {process.dwProcessId, program.caption, nullptr};
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

double quantile(std::vector<double> values, double q)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(q * double(values.size() - 1) + 0.5)];
}

} // namespace

int wmain(int argc, wchar_t* argv[])
{
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr,
                     "usage: bench_win32_startup RUNS EDITOR_EXE PLAIN_EXE [NOTEPAD_EXE]\n");
        return 2;
    }
    const int runs = std::max(1, _wtoi(argv[1]));
    std::vector<Program> programs = {
        {"editor", argv[2], L"Vormo Weapon Editor", {}},
        {"plain", argv[3], L"Vormo Weapon Editor", {}},
    };
    if (argc == 5)
        programs.push_back({"notepad", argv[4], L"Notepad", {}});
    // Each round starts the editor before each baseline: alternating pairs. One round first
    // only fills the caches with the DLLs and fonts.
    std::vector<double> ratios[3];
    for (int round = -1; round < runs; ++round) {
        for (std::size_t base = 1; base < programs.size(); ++base) {
            double pair[2];
            for (std::size_t which : {std::size_t(0), base}) {
                const double ms = startOnce(programs[which]);
                if (ms < 0) {
                    std::fprintf(stderr, "%ls did not show \"%ls\"\n", programs[which].exe.c_str(),
                                 programs[which].caption);
                    return 1;
                }
                pair[which ? 1 : 0] = ms;
                if (round >= 0)
                    programs[which].times.push_back(ms);
            }
            if (round >= 0)
                ratios[base].push_back(pair[0] / pair[1]);
        }
    }
    std::printf("%d rounds under one Wine session: process start until the window shows and "
                "takes messages (ms)\n",
                runs);
    std::printf("%-8s %8s %8s %8s\n", "", "median", "25 %", "75 %");
    for (const Program& program : programs)
        std::printf("%-8s %8.1f %8.1f %8.1f\n", program.label, quantile(program.times, 0.5),
                    quantile(program.times, 0.25), quantile(program.times, 0.75));
    for (std::size_t base = 1; base < programs.size(); ++base)
        std::printf("editor / %-7s %.2f (ratio of the medians; of each pair's, 25 to 75 %%: "
                    "%.2f to %.2f)\n",
                    programs[base].label,
                    quantile(programs[0].times, 0.5) / quantile(programs[base].times, 0.5),
                    quantile(ratios[base], 0.25), quantile(ratios[base], 0.75));
    return 0;
}
