// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the Windows editor's start-up goes, in this process: the program's windows built and
// shown RUNS times, with the windows each build creates counted by class, and the time from one
// window's creation to the next one's charged to the first (its set-up, fonts, texts and items
// included). Top-level windows cost most under Wine, which makes each an X window.
//   bench_win32_windows [RUNS]

#include "win32/Application.h"
#include "win32/TForm1.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

double now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

struct Kind {
    std::vector<double> ms; // per build
    int count = 0;          // per build
    bool topLevel = false;
};

std::map<std::wstring, Kind> kinds;
std::size_t run = 0;
std::wstring lastKind;
double lastStart = 0;

void charge(double at)
{
    if (lastKind.empty())
        return;
    std::vector<double>& ms = kinds[lastKind].ms;
    ms.resize(run + 1);
    ms.back() += at - lastStart;
    lastKind.clear();
}

LRESULT CALLBACK watch(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const double at = now();
        charge(at);
        const CREATESTRUCTW& create = *reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        wchar_t name[64] = {};
        GetClassNameW(reinterpret_cast<HWND>(wParam), name, 64);
        lastKind = name;
        lastStart = at;
        Kind& kind = kinds[lastKind];
        kind.topLevel = !(create.style & WS_CHILD);
        ++kind.count;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// This process's own processor time: less disturbed than the clock by whatever else runs.
double processorMs()
{
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    const auto ms = [](FILETIME t) {
        return double((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t* argv[])
{
    const int runs = std::max(1, argc > 1 ? _wtoi(argv[1]) : 15);
    HHOOK hook = SetWindowsHookExW(WH_CBT, watch, nullptr, GetCurrentThreadId());
    std::vector<double> built, processor;
    for (run = 0; run < std::size_t(runs); ++run) {
        for (auto& [name, kind] : kinds)
            kind.count = 0;
        const double start = now(), startProcessor = processorMs();
        {
            vormo::win::Application application(GetModuleHandleW(nullptr));
            application.createWindows(SW_SHOWNORMAL);
            charge(now());
            built.push_back(now() - start);
            processor.push_back(processorMs() - startProcessor);
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    UnhookWindowsHookEx(hook);
    std::printf("%d builds in one process; windows by class, each charged until the next one\n",
                runs);
    std::printf("%-24s %6s %10s\n", "class", "count", "ms");
    int windows = 0, topLevel = 0;
    for (auto& [name, kind] : kinds) {
        kind.ms.resize(std::size_t(runs));
        std::printf("%-24ls %6d %10.2f%s\n", name.c_str(), kind.count, median(kind.ms),
                    kind.topLevel ? "  (top-level)" : "");
        windows += kind.count, topLevel += kind.topLevel ? kind.count : 0;
    }
    std::printf("windows: %d, of them top-level: %d\n", windows, topLevel);
    std::printf("build until shown: %.1f ms, of this process's processor time %.1f ms (medians)\n",
                median(built), median(processor));
    return 0;
}
