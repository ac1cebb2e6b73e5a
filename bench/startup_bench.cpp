// How long Tarvex takes from its process's start until its main window is shown, and how much
// memory it needs, on replay folders of many files; beside a bare loop over the same files and
// beside tarvex-info. Runs the real programs under a private Xvfb and watches the X server for
// the window's MapNotify, so the program carries no hook for it.
// Measures from a warm cache; with --cold, and when it may (as root), from a cold one too: the
// page cache of the whole machine is dropped before each measured run, after which the
// program's own files are warmed again by a run on an empty folder, so that only the replays
// come from the storage.
//   startup_bench [--cold] [--runs N] [--counts 1000,10000,50000]
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_folder.h"
#include "bench/startup_figures.h"
#include "platform/game_identity.h"

extern char** environ;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

pid_t Spawn(const std::vector<std::string>& args, const std::vector<std::string>& env,
            int stdoutFd = -1, int stderrFd = -1) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (stdoutFd >= 0) posix_spawn_file_actions_adddup2(&actions, stdoutFd, STDOUT_FILENO);
    if (stderrFd >= 0) posix_spawn_file_actions_adddup2(&actions, stderrFd, STDERR_FILENO);
    std::vector<char*> argv, envp;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    for (const std::string& var : env)
        envp.push_back(const_cast<char*>(var.c_str()));
    envp.push_back(nullptr);
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        throw std::runtime_error("cannot start " + args[0] + ": " + std::strerror(error));
    return pid;
}

int WaitFor(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// A private X server for the runs; ended by its process id.
class PrivateXServer {
public:
    PrivateXServer() {
        int fds[2];
        if (::pipe(fds) != 0) throw std::runtime_error("pipe failed");
        std::vector<std::string> env;
        for (char** var = environ; *var; ++var)
            env.emplace_back(*var);
        // Its notes on the displays it tried go nowhere.
        const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        pid_ = Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1024x768x24",
                      "-nolisten", "tcp"},
                     env, -1, devNull);
        ::close(devNull);
        ::close(fds[1]);
        std::string number;
        char c = 0;
        while (::read(fds[0], &c, 1) == 1 && c != '\n')
            number.push_back(c);
        ::close(fds[0]);
        if (number.empty())
            throw std::runtime_error("Xvfb did not start (is the xvfb package installed?)");
        display_ = ":" + number;
    }
    ~PrivateXServer() {
        ::kill(pid_, SIGTERM);
        WaitFor(pid_);
    }
    const std::string& display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

// Watches the X server for top-level windows being mapped.
class MapWatcher {
public:
    explicit MapWatcher(const std::string& display) {
        int screenNumber = 0;
        connection_ = xcb_connect(display.c_str(), &screenNumber);
        if (xcb_connection_has_error(connection_))
            throw std::runtime_error("cannot connect to " + display);
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, screen->root, XCB_CW_EVENT_MASK, &mask);
        pidAtom_ = Atom("_NET_WM_PID");
        xcb_flush(connection_);
    }
    ~MapWatcher() { xcb_disconnect(connection_); }

    // Waits until a window of process pid is mapped; nullopt when the process ended first or
    // nothing came within the timeout.
    std::optional<Clock::time_point> waitForWindowOf(pid_t pid, std::chrono::seconds timeout) {
        const auto deadline = Clock::now() + timeout;
        while (Clock::now() < deadline) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
                const auto seen = Clock::now();
                const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY;
                const xcb_window_t window =
                    mapped ? reinterpret_cast<xcb_map_notify_event_t*>(event)->window : 0;
                std::free(event);
                if (mapped && PidOf(window) == pid) return seen;
            }
            int status = 0;
            if (::waitpid(pid, &status, WNOHANG) == pid) return std::nullopt;
            pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
            ::poll(&fd, 1, 50);
        }
        return std::nullopt;
    }

private:
    xcb_atom_t Atom(const char* name) {
        auto cookie =
            xcb_intern_atom(connection_, 0, static_cast<uint16_t>(std::strlen(name)), name);
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection_, cookie, nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return atom;
    }

    pid_t PidOf(xcb_window_t window) {
        auto cookie = xcb_get_property(connection_, 0, window, pidAtom_, XCB_ATOM_CARDINAL, 0, 1);
        xcb_get_property_reply_t* reply = xcb_get_property_reply(connection_, cookie, nullptr);
        pid_t pid = -1;
        if (reply && xcb_get_property_value_length(reply) == 4)
            pid = static_cast<pid_t>(*static_cast<uint32_t*>(xcb_get_property_value(reply)));
        std::free(reply);
        return pid;
    }

    xcb_connection_t* connection_ = nullptr;
    xcb_atom_t pidAtom_ = XCB_ATOM_NONE;
};

std::string StatusField(pid_t pid, const std::string& key) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(key + ":", 0) == 0) return line.substr(key.size() + 1);
    return {};
}

long CpuTicks(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14) utime = std::stol(field);
        if (i == 15) stime = std::stol(field);
    }
    return utime + stime;
}

// Waits until the process has used no processor time for a while (it painted and went idle).
void WaitUntilIdle(pid_t pid) {
    long last = CpuTicks(pid);
    int quiet = 0;
    for (int i = 0; i < 300 && quiet < 10; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const long now = CpuTicks(pid);
        quiet = now == last ? quiet + 1 : 0;
        last = now;
    }
}

struct Options {
    int runs = 5;
    bool cold = false; // also from a cold page cache (root only)
    std::vector<std::size_t> counts = {1000, 10000, 50000};
};

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            options.runs = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--cold") {
            options.cold = true;
        } else if (arg == "--counts" && i + 1 < argc) {
            options.counts.clear();
            std::istringstream list(argv[++i]);
            for (std::string count; std::getline(list, count, ',');)
                options.counts.push_back(std::stoul(count));
        } else {
            throw std::runtime_error(
                "usage: startup_bench [--cold] [--runs N] [--counts 1000,10000,50000]");
        }
    }
    std::sort(options.counts.begin(), options.counts.end());
    return options;
}

// A home whose documents folder holds the game's default data folder: where Tarvex and
// tarvex-info look when no Wine prefix holds the game.
class BenchHome {
public:
    explicit BenchHome(const std::string& name) {
        root_ = fs::temp_directory_path() /
                ("tarvex-startup-" + std::to_string(::getpid()) + "-" + name);
        fs::remove_all(root_);
        replays_ = root_ / "Documents" / std::string(platform::game::DefaultUserDataLeafName) /
                   std::string(platform::game::ReplaySubfolder);
        fs::create_directories(replays_);
        fs::create_directories(root_ / ".config");
        fs::create_directory(root_ / "runtime");
        fs::permissions(root_ / "runtime", fs::perms::owner_all);
    }
    ~BenchHome() {
        std::error_code error;
        fs::remove_all(root_, error);
    }
    const fs::path& replays() const { return replays_; }

    std::vector<std::string> environment(const std::string& display) const {
        std::vector<std::string> env;
        for (char** var = environ; *var; ++var) {
            const std::string entry = *var;
            const std::string name = entry.substr(0, entry.find('='));
            if (name == "HOME" || name == "DISPLAY" || name == "WINEPREFIX" ||
                name == "XDG_CONFIG_HOME" || name == "XDG_DOCUMENTS_DIR" ||
                name == "XDG_RUNTIME_DIR" || name == "QT_QPA_PLATFORM" || name == "WAYLAND_DISPLAY")
                continue;
            env.push_back(entry);
        }
        env.push_back("HOME=" + root_.string());
        env.push_back("XDG_CONFIG_HOME=" + (root_ / ".config").string());
        env.push_back("XDG_RUNTIME_DIR=" + (root_ / "runtime").string());
        env.push_back("DISPLAY=" + display);
        env.push_back("QT_QPA_PLATFORM=xcb");
        return env;
    }

private:
    fs::path root_;
    fs::path replays_;
};

struct ProgramRun {
    double shownMs = 0;
    double peakKiB = 0;
};

ProgramRun RunProgram(const std::vector<std::string>& env, MapWatcher& watcher) {
    const auto start = Clock::now();
    const pid_t pid = Spawn({TARVEX_PROGRAM}, env);
    const auto shown = watcher.waitForWindowOf(pid, std::chrono::seconds(300));
    if (!shown) {
        ::kill(pid, SIGKILL);
        WaitFor(pid);
        throw std::runtime_error("the main window of " TARVEX_PROGRAM " was not shown");
    }
    ProgramRun run;
    run.shownMs = std::chrono::duration<double, std::milli>(*shown - start).count();
    WaitUntilIdle(pid);
    run.peakKiB = std::atof(StatusField(pid, "VmHWM").c_str());
    ::kill(pid, SIGTERM);
    WaitFor(pid);
    return run;
}

double RunInfo(const std::vector<std::string>& env, const fs::path& folder, bool json) {
    const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    std::vector<std::string> args = {TARVEX_INFO};
    if (json) args.push_back("--json");
    args.push_back(folder.string());
    const auto start = Clock::now();
    const int status = WaitFor(Spawn(args, env, devNull));
    const double ms = MsSince(start);
    ::close(devNull);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("tarvex-info failed");
    return ms;
}

// The least any lister must do: list the folder, and open each file, read 2 KiB, close it.
double BareLoop(const fs::path& folder) {
    const auto start = Clock::now();
    char block[2048];
    std::size_t bytes = 0;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) throw std::runtime_error("cannot list " + folder.string());
    const std::string base = folder.string() + "/";
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        const int fd = ::open((base + entry->d_name).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        const ssize_t got = ::read(fd, block, sizeof block);
        bytes += got > 0 ? static_cast<std::size_t>(got) : 0;
        ::close(fd);
    }
    ::closedir(dir);
    if (bytes == 0 && folder.has_filename() && !fs::is_empty(folder))
        throw std::runtime_error("nothing read");
    return MsSince(start);
}

// The same reads from 16 threads at once, after the same listing: what the storage gives when
// it has many reads to answer.
double ThreadedLoop(const fs::path& folder) {
    constexpr int Threads = 16;
    const auto start = Clock::now();
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) throw std::runtime_error("cannot list " + folder.string());
    while (const dirent* entry = ::readdir(dir))
        if (entry->d_name[0] != '.') names.emplace_back(entry->d_name);
    ::closedir(dir);
    const std::string base = folder.string() + "/";
    std::atomic<std::size_t> next{0}, bytes{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < Threads; ++t)
        threads.emplace_back([&] {
            char block[2048];
            for (std::size_t i; (i = next++) < names.size();) {
                const int fd = ::open((base + names[i]).c_str(), O_RDONLY | O_CLOEXEC);
                if (fd < 0) continue;
                const ssize_t got = ::read(fd, block, sizeof block);
                bytes += got > 0 ? static_cast<std::size_t>(got) : 0;
                ::close(fd);
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    if (bytes == 0 && !names.empty()) throw std::runtime_error("nothing read");
    return MsSince(start);
}

// Empties the page cache, when this process may (root, and a kernel that lets it); false
// otherwise.
bool DropPageCache() {
    ::sync();
    const int fd = ::open("/proc/sys/vm/drop_caches", O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool dropped = ::write(fd, "3", 1) == 1;
    ::close(fd);
    return dropped;
}

// Whether a dropped cache really is empty: a file read once must no longer be in memory.
bool PageCacheDrops(const fs::path& scratch) {
    const fs::path probe = scratch / "probe";
    {
        std::ofstream out(probe, std::ios::binary);
        out << std::string(1 << 20, 'x');
    }
    std::ifstream(probe, std::ios::binary).ignore(1 << 21);
    const bool dropped = DropPageCache();
    bool resident = true;
    const int fd = ::open(probe.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        void* map = ::mmap(nullptr, 1 << 20, PROT_READ, MAP_SHARED, fd, 0);
        if (map != MAP_FAILED) {
            std::vector<unsigned char> pages((1 << 20) /
                                             static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)));
            resident = ::mincore(map, 1 << 20, pages.data()) != 0 ||
                       std::any_of(pages.begin(), pages.end(),
                                   [](unsigned char page) { return page & 1; });
            ::munmap(map, 1 << 20);
        }
        ::close(fd);
    }
    fs::remove(probe);
    return dropped && !resident;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Measures every folder size once per round; cold, each measured run starts from an empty
// page cache and, for the programs, a run on the empty folder that brings their own files back.
class Rounds {
public:
    Rounds(const std::vector<std::string>& env, const std::vector<std::string>& emptyEnv,
           const fs::path& replays, const fs::path& empty, MapWatcher& watcher, bool cold)
        : env_(env), emptyEnv_(emptyEnv), replays_(replays), empty_(empty), watcher_(watcher),
          cold_(cold) {}

    bench::Measurement measure(std::size_t count, int runs) {
        // One unmeasured round first, then the rounds: each measures everything once, so that
        // a busy moment of the machine touches all of them alike.
        RunProgram(env_, watcher_);
        BareLoop(replays_);
        RunInfo(env_, replays_, false);
        std::vector<double> shown, peak, bare, threaded, info, json;
        for (int i = 0; i < runs; ++i) {
            const ProgramRun run = (coldStart(true), RunProgram(env_, watcher_));
            shown.push_back(run.shownMs);
            peak.push_back(run.peakKiB);
            bare.push_back((coldStart(false), BareLoop(replays_)));
            threaded.push_back((coldStart(false), ThreadedLoop(replays_)));
            info.push_back((coldStart(false), RunInfo(env_, replays_, false)));
            json.push_back((coldStart(false), RunInfo(env_, replays_, true)));
        }
        bench::Measurement point;
        point.replays = count;
        point.shownMs = Median(shown);
        point.peakKiB = *std::max_element(peak.begin(), peak.end());
        point.bareMs = Median(bare);
        point.threadedMs = Median(threaded);
        point.infoMs = Median(info);
        point.infoJsonMs = Median(json);
        return point;
    }

private:
    // Cold: nothing in the page cache but the files the program (or tarvex-info) itself needs.
    void coldStart(bool window) {
        if (!cold_) return;
        if (!DropPageCache()) throw std::runtime_error("the page cache could no longer be dropped");
        if (window)
            RunProgram(emptyEnv_, watcher_);
        else
            RunInfo(emptyEnv_, empty_, false);
    }

    const std::vector<std::string>& env_;
    const std::vector<std::string>& emptyEnv_;
    const fs::path replays_;
    const fs::path empty_;
    MapWatcher& watcher_;
    const bool cold_;
};

} // namespace

int main(int argc, char** argv) {
    try {
        const Options options = ParseOptions(argc, argv);
        const bench::Samples samples(bench::RealReplayFolder());
        BenchHome home("replays"), emptyHome("empty");
        PrivateXServer server;
        MapWatcher watcher(server.display());
        const std::vector<std::string> env = home.environment(server.display());
        const std::vector<std::string> emptyEnv = emptyHome.environment(server.display());
        // Dropping the page cache slows every program on the machine: only when asked.
        const bool canDrop = options.cold && ::geteuid() == 0 && PageCacheDrops(home.replays());

        std::cout << "Start-up of " << TARVEX_PROGRAM << " under Xvfb " << server.display()
                  << "; folders made from " << samples.source()
                  << ", one replay in twenty not Zero Hour;\n"
                  << "median of " << options.runs << " rounds (after one unmeasured round)\n";
        if (!options.cold)
            std::cout << "from a warm cache (--cold measures from a cold one too)\n";
        else if (!canDrop)
            std::cout << "cannot drop the page cache ("
                      << (::geteuid() == 0 ? "the kernel refused" : "not root")
                      << "): measuring from a warm cache only\n";
        std::cout << '\n';

        std::vector<bench::Measurement> warm, cold;
        std::size_t written = 0;
        for (const std::size_t count : [&] {
                 std::vector<std::size_t> all = {0};
                 all.insert(all.end(), options.counts.begin(), options.counts.end());
                 return all;
             }()) {
            if (count > written) {
                bench::WriteReplayFiles(samples, home.replays(), written, count - written);
                written = count;
            }
            warm.push_back(
                Rounds(env, emptyEnv, home.replays(), emptyHome.replays(), watcher, false)
                    .measure(count, options.runs));
            if (canDrop)
                cold.push_back(
                    Rounds(env, emptyEnv, home.replays(), emptyHome.replays(), watcher, true)
                        .measure(count, options.runs));
            std::cout << "measured " << count << " replays\n" << std::flush;
        }
        std::cout << "\nWarm cache\n" << bench::FiguresTable(warm, bench::Cache::Warm);
        if (canDrop)
            std::cout << "\nCold cache (dropped before each run)\n"
                      << bench::FiguresTable(cold, bench::Cache::Cold);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "startup_bench: " << error.what() << '\n';
        return 1;
    }
}
