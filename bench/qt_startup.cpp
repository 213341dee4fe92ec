// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Whole start-ups on the X server in DISPLAY, as a player sees them: from the process's start
// to its first top-level window mapped, and the process's peak RSS, for the editor and a plain
// program started in turn. Each is closed as a user closes it, by the window's close request, so
// that its peak includes the first paint. Prints the medians side by side and their ratios to
// the plain program's (qt_startup_xvfb.sh runs it on an X server of its own).
//   bench_qt_startup ROUNDS PLAIN EDITOR...      (say, an editor built before a change too)

#include <xcb/xcb.h>

#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Start {
    double milliseconds;
    double peakMegabytes;
    double cpuMilliseconds; // user and system, to the end: steadier where the machine is shared
};

double milliseconds(const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; }

double now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

[[noreturn]] void fail(const std::string& why)
{
    std::fprintf(stderr, "bench_qt_startup: %s\n", why.c_str());
    std::exit(1);
}

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(
            c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr),
        &std::free);
    if (!reply)
        fail(std::string("no atom ") + name);
    return reply->atom;
}

class Display {
public:
    Display()
    {
        c_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(c_))
            fail("cannot connect to DISPLAY");
        root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
        // Without a window manager every top-level window maps as a child of the root.
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(c_, root_, XCB_CW_EVENT_MASK, &mask);
        protocols_ = atom(c_, "WM_PROTOCOLS");
        deleteWindow_ = atom(c_, "WM_DELETE_WINDOW");
        xcb_flush(c_);
    }
    ~Display() { xcb_disconnect(c_); }
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    Start run(const char* program)
    {
        const double started = now();
        const pid_t pid = fork();
        if (pid < 0)
            fail("cannot fork");
        if (pid == 0) {
            execl(program, program, static_cast<char*>(nullptr));
            _exit(127);
        }
        const xcb_window_t window = firstMapped(pid);
        const double mapped = now();
        close(window);
        int status = 0;
        rusage usage{};
        if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            fail(std::string(program) + " did not end well");
        return {mapped - started, double(usage.ru_maxrss) / 1024.0,
                milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime)};
    }

private:
    // The first top-level window mapped; fails if the program ends before it shows one.
    xcb_window_t firstMapped(pid_t program)
    {
        for (;;) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(c_)) {
                const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> owned(event,
                                                                                       &std::free);
                if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY)
                    continue;
                const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
                if (map->event == root_ && !map->override_redirect)
                    return map->window;
            }
            if (xcb_connection_has_error(c_))
                fail("lost the X server");
            if (waitpid(program, nullptr, WNOHANG) == program)
                fail("a program ended before its window showed");
            pollfd x{xcb_get_file_descriptor(c_), POLLIN, 0};
            poll(&x, 1, 100);
        }
    }

    void close(xcb_window_t window)
    {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = protocols_;
        message.data.data32[0] = deleteWindow_;
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(c_, 0, window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&message));
        xcb_flush(c_);
    }

    xcb_connection_t* c_;
    xcb_window_t root_;
    xcb_atom_t protocols_;
    xcb_atom_t deleteWindow_;
};

template <typename Field> double median(const std::vector<Start>& starts, Field field)
{
    std::vector<double> values;
    for (const Start& s : starts)
        values.push_back(s.*field);
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 4)
        fail("usage: bench_qt_startup PAIRS PLAIN EDITOR...");
    const int rounds = std::max(1, std::atoi(argv[1]));
    const std::vector<const char*> programs(argv + 2, argv + argc);
    Display display;
    // Libraries and fonts into the page cache first; no program is charged for that.
    for (const char* program : programs)
        display.run(program);
    std::vector<std::vector<Start>> starts(programs.size());
    for (int i = 0; i < rounds; ++i)
        for (std::size_t p = 0; p < programs.size(); ++p)
            starts[p].push_back(display.run(programs[p]));

    std::printf("%d rounds, medians; ratios to the plain window's (goal <= 1.05)\n", rounds);
    std::printf(" mapped   peak RSS  CPU time   ratios of the three\n");
    const Start plain{median(starts[0], &Start::milliseconds),
                      median(starts[0], &Start::peakMegabytes),
                      median(starts[0], &Start::cpuMilliseconds)};
    for (std::size_t p = 0; p < programs.size(); ++p) {
        const Start m{median(starts[p], &Start::milliseconds),
                      median(starts[p], &Start::peakMegabytes),
                      median(starts[p], &Start::cpuMilliseconds)};
        std::printf("%5.1f ms %6.1f MB %6.1f ms", m.milliseconds, m.peakMegabytes,
                    m.cpuMilliseconds);
        if (p == 0)
            std::printf("%17s", "");
        else
            std::printf("   %4.2f %4.2f %4.2f", m.milliseconds / plain.milliseconds,
                        m.peakMegabytes / plain.peakMegabytes,
                        m.cpuMilliseconds / plain.cpuMilliseconds);
        std::printf("   %s\n", programs[p]);
    }
    return 0;
}
