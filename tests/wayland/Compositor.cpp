#include "wayland/Compositor.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace rimo::test {

namespace {

bool Found(const char* program) {
    const std::string command = std::string("command -v ") + program + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

} // namespace

Compositor*& Compositor::Current() {
    static Compositor* current = nullptr;
    return current;
}

Compositor::Compositor(std::string kind) : kind_(std::move(kind)) {
    char folder[] = "/tmp/rimo-wayland-XXXXXX";
    if (!mkdtemp(folder)) {
        problem_ = "no temporary folder";
        return;
    }
    runtime_ = folder; // mkdtemp makes it 0700, as a runtime folder must be
    log_ = runtime_ / "compositor.log";
    const std::string socket = "rimo-" + kind_;
    setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
    setenv("WAYLAND_DISPLAY", socket.c_str(), 1);
    unsetenv("DISPLAY"); // Wayland only: no XWayland, no X server of this machine

    std::vector<std::string> args;
    std::filesystem::path socketPath = runtime_ / socket;
    if (kind_ == "sway") {
        // sway refuses to run as root: it runs as "nobody" in a runtime folder
        // of that user's, and names its socket itself.
        std::ofstream(runtime_ / "sway.conf") << "xwayland disable\n";
        chown(runtime_.c_str(), 65534, 65534);
        chmod((runtime_ / "sway.conf").c_str(), 0644);
        setenv("WLR_BACKENDS", "headless", 1);
        setenv("WLR_RENDERER", "pixman", 1);
        setenv("WLR_LIBINPUT_NO_DEVICES", "1", 1);
        args = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups",
                "sway",    "-c",            (runtime_ / "sway.conf").string()};
        socketPath = runtime_ / "wayland-1";
        setenv("WAYLAND_DISPLAY", "wayland-1", 1);
    } else if (kind_ == "weston") {
        args = {"weston",
                "--backend=headless-backend.so",
                "--socket=" + socket,
                "--idle-time=0",
                "--width=1024",
                "--height=768"};
    } else {
        args = {"mutter",   "--headless",        "--wayland", "--no-x11", "--virtual-monitor",
                "1024x768", "--wayland-display", socket};
        setenv("MUTTER_VERBOSE", "1", 1); // its window log tells what it shows
    }
    const std::string& program = kind_ == "sway" ? args[4] : args[0];
    if (!Found(program.c_str())) {
        problem_ = program + " is not installed (scripts/setup.sh installs it)";
        return;
    }
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, log_.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&files, STDOUT_FILENO, STDERR_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, argv[0], &files, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    unsetenv("MUTTER_VERBOSE");
    if (failed) {
        problem_ = args[0] + " could not be started";
        return;
    }
    group_ = pid;
    // A loaded machine may take its time; the socket says it is ready.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!std::filesystem::exists(socketPath)) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            group_ = 0;
            problem_ = kind_ + " ended at its start: " + Log();
            return;
        }
        if (std::chrono::steady_clock::now() > end) {
            problem_ = kind_ + " made no socket within a minute: " + Log();
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

Compositor::~Compositor() {
    if (group_ > 0) {
        kill(-group_, SIGTERM);
        int status = 0;
        waitpid(group_, &status, 0);
    }
    std::error_code ignored;
    std::filesystem::remove_all(runtime_, ignored);
}

std::string Compositor::SwayMessage(const std::string& arguments) const {
    // As the user sway runs as; its socket is the one in the runtime folder.
    std::string socket;
    for (const auto& entry : std::filesystem::directory_iterator(runtime_)) {
        if (entry.path().filename().string().rfind("sway-ipc.", 0) == 0) {
            socket = entry.path().string();
        }
    }
    const std::string command = "setpriv --reuid=65534 --regid=65534 --clear-groups env SWAYSOCK='" +
                                socket + "' swaymsg " + arguments + " 2>&1";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            output.append(buffer, n);
        }
        pclose(pipe);
    }
    return output;
}

std::string Compositor::Log() const {
    std::ifstream file(log_);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace rimo::test
