// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// first_pixels PROGRAM [ARGUMENT...] 3>REPORT
//
// Becomes PROGRAM by exec and writes to file descriptor 3 the milliseconds
// from that exec to the first drawing into a window on the X display
// ($DISPLAY), as the server's Damage extension reports it: the moment the
// window's first pixels are there, with no polling. After them it writes the
// milliseconds of CPU time that PROGRAM's threads used meanwhile, which leave
// out its waits. A watcher process sees the drawing; it is no child of
// PROGRAM, so the caller's child is PROGRAM itself, to measure, stop and wait
// for. The display should be one of the caller's own, as the first window
// drawn by any client counts. When PROGRAM ends first, or draws nothing for a
// minute, nothing is written to the report.
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

constexpr int reportFd = 3;
constexpr int patienceMs = 60'000;

std::int64_t nowNs(clockid_t clock = CLOCK_MONOTONIC) {
    timespec now{};
    clock_gettime(clock, &now);
    return std::int64_t(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// When PROGRAM's exec began, and the CPU time its process had used by then.
struct Start {
    std::int64_t time, cpu;
};

[[noreturn]] void fail(const char* why) {
    std::fprintf(stderr, "first_pixels: %s\n", why);
    _exit(1);
}

// Tells `ready` once every window made from now on gets a damage record,
// then reads the exec's Start from `start` and waits for the first damage.
[[noreturn]] void watch(pid_t program, int ready, int start) {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        fail("cannot open the display");
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection, &xcb_damage_id);
    if (!damage || !damage->present)
        fail("the display has no Damage extension");
    // The server takes no other Damage request before the version.
    std::free(xcb_damage_query_version_reply(
        connection, xcb_damage_query_version(connection, XCB_DAMAGE_MAJOR_VERSION, 1), nullptr));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    if (xcb_generic_error_t* error = xcb_request_check(
            connection,
            xcb_change_window_attributes_checked(connection, root, XCB_CW_EVENT_MASK, &mask))) {
        std::free(error);
        fail("cannot watch the root window");
    }
    // glibc 2.36's <sys/pidfd.h> declares pidfd_open without C linkage.
    const int programFd = int(syscall(SYS_pidfd_open, program, 0));
    clockid_t programCpu;
    if (programFd < 0 || clock_getcpuclockid(program, &programCpu) != 0 || write(ready, "", 1) != 1)
        fail("cannot follow the program");
    close(ready);
    Start started{};
    if (read(start, &started, sizeof started) != sizeof started)
        _exit(1);

    pollfd waits[] = {{xcb_get_file_descriptor(connection), POLLIN, 0}, {programFd, POLLIN, 0}};
    for (;;) {
        // Events read in one go arrived together; the time of the wake-up is theirs.
        const std::int64_t woken = nowNs();
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const std::uint8_t type = event->response_type & 0x7F;
            if (type == XCB_CREATE_NOTIFY) {
                // An input-only window answers with an error event, ignored below.
                const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
                xcb_damage_create(connection, xcb_generate_id(connection), created->window,
                                  XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                xcb_flush(connection);
            } else if (type == damage->first_event + XCB_DAMAGE_NOTIFY) {
                dprintf(reportFd, "%.3f %.3f\n", double(woken - started.time) / 1e6,
                        double(nowNs(programCpu) - started.cpu) / 1e6);
                _exit(0);
            }
            std::free(event);
        }
        if (xcb_connection_has_error(connection))
            fail("lost the display");
        const int woke = poll(waits, 2, patienceMs);
        if (woke == 0)
            fail("the program drew nothing for a minute");
        if (woke < 0 || waits[1].revents)
            _exit(1);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2 || fcntl(reportFd, F_GETFD) < 0) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENT...] 3>REPORT\n", argv[0]);
        return 2;
    }
    int ready[2], start[2];
    if (pipe2(ready, O_CLOEXEC) != 0 || pipe2(start, O_CLOEXEC) != 0)
        fail("no pipe");
    const pid_t program = getpid();
    const pid_t watcher = fork();
    if (watcher < 0)
        fail("cannot fork");
    if (watcher == 0) {
        // The watcher's own child watches, so that PROGRAM has no child to reap.
        if (fork() != 0)
            _exit(0);
        close(ready[0]);
        close(start[1]);
        watch(program, ready[1], start[0]);
    }
    waitpid(watcher, nullptr, 0);
    close(ready[1]);
    close(start[0]);
    char byte;
    if (read(ready[0], &byte, 1) != 1)
        return 1;
    // Only the watcher writes the report; PROGRAM does not inherit it.
    fcntl(reportFd, F_SETFD, FD_CLOEXEC);
    const Start started{nowNs(), nowNs(CLOCK_PROCESS_CPUTIME_ID)};
    if (write(start[1], &started, sizeof started) != sizeof started)
        fail("cannot start the watch");
    execvp(argv[1], argv + 1);
    std::perror(argv[1]);
    return 127;
}
