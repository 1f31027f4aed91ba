// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up to the first top-level window mapped, to its first frame drawn,
// and resident memory once shown, for several programs in turn under one X
// display. One X connection watches the root window's MapNotify and each
// new top-level window's first DamageNotify: no polling.
//
// usage: startup RUNS SETTLE_MS NAME=COMMAND [NAME=COMMAND ...]
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

double now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

long residentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Wine makes InputOnly top-level windows, which DAMAGE cannot watch, and a
// window may be gone before its DAMAGE object is made: neither stops a run.
int damageOpcode = -1;

int onXError(Display* display, XErrorEvent* error) {
    if (error->request_code == damageOpcode) return 0;
    char text[256];
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "X error: %s (request %d)\n", text, error->request_code);
    std::exit(1);
}

struct Program {
    std::string name;
    std::vector<std::string> argv;
    std::vector<double> startMs, frameMs, rssMiB;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s RUNS SETTLE_MS NAME=COMMAND...\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const int settleMs = std::atoi(argv[2]);
    std::vector<Program> programs;
    for (int i = 3; i < argc; ++i) {
        const std::string entry = argv[i];
        const auto eq = entry.find('=');
        Program p{entry.substr(0, eq), {}, {}, {}, {}};
        std::string rest = entry.substr(eq + 1);
        std::size_t pos = 0;
        while ((pos = rest.find(' ')) != std::string::npos) {
            p.argv.push_back(rest.substr(0, pos));
            rest.erase(0, pos + 1);
        }
        p.argv.push_back(rest);
        programs.push_back(p);
    }

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    int damageEvent = 0;
    int damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "no DAMAGE extension\n");
        return 1;
    }
    int firstEvent = 0;
    int firstError = 0;
    XQueryExtension(display, "DAMAGE", &damageOpcode, &firstEvent, &firstError);
    XSetErrorHandler(onXError);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True);

    for (int run = 0; run < runs; ++run) {
        for (Program& p : programs) {
            const double start = now();
            const pid_t pid = fork();
            if (pid == 0) {
                std::vector<char*> args;
                for (std::string& a : p.argv) args.push_back(a.data());
                args.push_back(nullptr);
                execv(args[0], args.data());
                _exit(127);
            }
            double mapped = -1;
            double drawn = -1;
            Window shown = 0;
            while (drawn < 0) {
                XEvent event;
                XNextEvent(display, &event);
                if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
                    // Watched from birth, so no early frame slips past.
                    XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
                } else if (event.type == MapNotify && event.xmap.event == root && mapped < 0) {
                    mapped = now();
                    shown = event.xmap.window;
                } else if (event.type == damageEvent + XDamageNotify && mapped >= 0 &&
                           reinterpret_cast<XDamageNotifyEvent&>(event).drawable == shown) {
                    drawn = now();
                }
            }
            usleep(static_cast<useconds_t>(settleMs) * 1000);
            const long rss = residentKiB(pid);
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
            // Let go of the unmap and destroy notices of this run.
            XSync(display, False);
            while (XPending(display)) {
                XEvent event;
                XNextEvent(display, &event);
            }
            p.startMs.push_back(mapped - start);
            p.frameMs.push_back(drawn - start);
            p.rssMiB.push_back(static_cast<double>(rss) / 1024.0);
            std::printf("run %2d %-10s mapped %7.2f ms  first frame %7.2f ms  rss %6.2f MiB\n",
                        run + 1, p.name.c_str(), mapped - start, drawn - start,
                        static_cast<double>(rss) / 1024.0);
            std::fflush(stdout);
        }
    }
    std::printf(
        "\n| program | runs | to MapNotify, median | to first frame, median | resident memory once "
        "shown, median |\n");
    std::printf("|---|---|---|---|---|\n");
    for (const Program& p : programs)
        std::printf("| %s | %d | %.2f ms | %.2f ms | %.2f MiB |\n", p.name.c_str(), runs,
                    median(p.startMs), median(p.frameMs), median(p.rssMiB));
    if (programs.size() >= 2) {
        const Program& a = programs[0];
        const Program& b = programs[1];
        std::printf("\nratio %s / %s: to MapNotify %.3f, to first frame %.3f, memory %.3f\n",
                    a.name.c_str(), b.name.c_str(), median(a.startMs) / median(b.startMs),
                    median(a.frameMs) / median(b.frameMs), median(a.rssMiB) / median(b.rssMiB));
    }
    XCloseDisplay(display);
    return 0;
}
