#include "pty_session.h"

#include "transcript.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <stdexcept>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

// Beyond POSIX: forkpty, declared where the system declares it (found by CMake).
#if defined(HAVE_PTY_H)
#include <pty.h>
#elif defined(HAVE_UTIL_H)
#include <util.h>
#elif defined(HAVE_LIBUTIL_H)
#include <libutil.h>
#endif

namespace pty {

namespace {

using Clock = std::chrono::steady_clock;

int millisLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// The pointers exec wants: one per string, then a null one.
std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> result;
    for (std::string& s : strings) result.push_back(s.data());
    result.push_back(nullptr);
    return result;
}

} // namespace

Session::Session(const std::string& exe, const std::string& cwd, const std::string& launcher,
                 const std::vector<std::string>& environment,
                 const std::vector<std::string>& arguments) {
    // Built before the fork, so the child only changes its folder and starts the program.
    std::vector<std::string> changes = {"TERM=xterm", "LC_ALL=C.UTF-8", "NO_COLOR"};
    changes.insert(changes.end(), environment.begin(), environment.end());
    std::vector<std::string> variables = transcript::environment(changes);
    std::vector<std::string> words = {exe};
    words.insert(words.end(), arguments.begin(), arguments.end());
    if (!launcher.empty()) words.insert(words.begin(), transcript::commandPath(launcher));
    const std::vector<char*> argv = pointers(words);
    const std::vector<char*> envp = pointers(variables);

    termios& settings = initial_;
    // A plain cooked terminal, as a shell would hand it over.
    settings.c_iflag = ICRNL | IXON;
    settings.c_oflag = OPOST | ONLCR;
    settings.c_cflag = CS8 | CREAD;
    settings.c_lflag = ISIG | ICANON | ECHO | ECHOE | ECHOK | IEXTEN;
    // Beyond POSIX, where the system has them: erasing whole UTF-8 characters, control
    // characters echoed as ^C, and a killed line erased on the screen.
#ifdef IUTF8
    settings.c_iflag |= IUTF8;
#endif
#ifdef ECHOCTL
    settings.c_lflag |= ECHOCTL;
#endif
#ifdef ECHOKE
    settings.c_lflag |= ECHOKE;
#endif
    // Where the speed is kept is the system's business.
    cfsetispeed(&settings, B38400);
    cfsetospeed(&settings, B38400);
    settings.c_cc[VINTR] = 3;
    settings.c_cc[VQUIT] = 28;
    settings.c_cc[VERASE] = 127;
    settings.c_cc[VKILL] = 21;
    settings.c_cc[VEOF] = 4;
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    winsize size{24, 100, 0, 0};
    pid_ = forkpty(&master_, nullptr, &settings, &size);
    if (pid_ < 0) throw std::runtime_error("forkpty failed");
    if (pid_ == 0) {
        if (chdir(cwd.c_str()) != 0) _exit(126);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
}

Session::~Session() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (master_ >= 0) close(master_);
}

void Session::send(const std::string& keys) {
    std::size_t done = 0;
    while (done < keys.size()) {
        const ssize_t put = write(master_, keys.data() + done, keys.size() - done);
        if (put < 0 && errno != EINTR) throw std::runtime_error("write to pty failed");
        if (put > 0) done += static_cast<std::size_t>(put);
    }
}

bool Session::waitFor(const std::string& needle, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (true) {
        const std::size_t at = out_.find(needle, seen_);
        if (at != std::string::npos) {
            seen_ = at + needle.size();
            return true;
        }
        pollfd fd{master_, POLLIN, 0};
        const int left = millisLeft(deadline);
        if (left == 0) return false;
        if (poll(&fd, 1, left) <= 0) continue;
        char buffer[4096];
        const ssize_t got = read(master_, buffer, sizeof buffer);
        if (got <= 0) return false; // the program has gone, and the needle never came
        out_.append(buffer, static_cast<std::size_t>(got));
    }
}

void Session::drain(int ms) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    while (millisLeft(deadline) > 0) {
        pollfd fd{master_, POLLIN, 0};
        if (poll(&fd, 1, millisLeft(deadline)) <= 0) continue;
        char buffer[4096];
        const ssize_t got = read(master_, buffer, sizeof buffer);
        if (got <= 0) return;
        out_.append(buffer, static_cast<std::size_t>(got));
    }
}

termios Session::attributes() const {
    termios now{};
    if (tcgetattr(master_, &now) != 0) throw std::runtime_error("tcgetattr failed");
    return now;
}

void Session::signal(int sig) {
    kill(pid_, sig);
}

int Session::wait(int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 0;
    while (true) {
        const pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_) break;
        if (millisLeft(deadline) == 0) return -1;
        drain(10); // keep the terminal's buffer from filling while we wait
    }
    drain(50);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool sameSettings(const termios& a, const termios& b) {
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
           a.c_lflag == b.c_lflag && std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}

} // namespace pty
