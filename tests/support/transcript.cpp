#include "transcript.h"

#include <cctype>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <random>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace transcript {

namespace {

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

fs::path freshFolder() {
    std::string pattern = (fs::temp_directory_path() / "transcript-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) throw std::runtime_error("mkdtemp failed");
    return fs::path(buffer.data());
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file << bytes;
}

std::string readFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void setNonBlocking(int fd) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

} // namespace

std::string program(const std::string& name) {
    std::string folder = env("TRANSCRIPT_PROGRAMS");
    if (folder.empty()) folder = PROGRAMS_DIR;
    // Absolute, as the program runs in a folder of its own.
    return fs::absolute(fs::path(folder) / (name + env("TRANSCRIPT_SUFFIX"))).string();
}

std::string lines(const std::string& text) {
    if (env("TRANSCRIPT_CRLF").empty()) return text;
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string noise(unsigned seed, std::size_t laenge, const std::string& zeichen) {
    std::mt19937 zufall(seed);
    std::string out;
    for (std::size_t i = 0; i < laenge; ++i) out += zeichen[zufall() % zeichen.size()];
    return out;
}

bool windows() {
    std::string suffix = env("TRANSCRIPT_SUFFIX");
    for (char& c : suffix) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return suffix == ".exe";
}

Result run(const std::string& exe, const std::string& input, const Options& options) {
    const fs::path folder = freshFolder();
    for (const auto& [name, bytes] : options.files) writeFile(folder / name, bytes);
    if (options.prepare) options.prepare(folder);

    // A program that ends before reading all its input must not take the test down with it.
    std::signal(SIGPIPE, SIG_IGN);
    int in[2], out[2], err[2];
    if (pipe(in) || pipe(out) || pipe(err)) throw std::runtime_error("pipe failed");

    // The command line, built before fork: [launcher] program arguments...
    const std::string launcher = env("TRANSCRIPT_LAUNCHER");
    std::vector<std::string> words;
    if (!launcher.empty()) words.push_back(launcher);
    words.push_back(exe);
    words.insert(words.end(), options.arguments.begin(), options.arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    const pid_t pid = fork();
    if (pid == 0) {
        std::signal(SIGPIPE, SIG_DFL);
        dup2(in[0], 0);
        dup2(out[1], 1);
        dup2(err[1], 2);
        for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
        if (chdir(folder.c_str()) != 0) _exit(126);
        if (launcher.empty())
            execv(argv[0], argv.data());
        else
            execvp(argv[0], argv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    setNonBlocking(in[1]);
    setNonBlocking(out[0]);
    setNonBlocking(err[0]);

    // Feed the input and collect both outputs at once, so neither side can block the other.
    Result result;
    std::size_t fed = 0;
    int inFd = in[1];
    if (input.empty()) {
        close(inFd);
        inFd = -1;
    }
    bool outOpen = true, errOpen = true;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(options.timeoutSeconds);
    char buffer[65536];
    while (outOpen || errOpen) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) {
            result.timedOut = true;
            kill(pid, SIGKILL);
            break;
        }
        pollfd fds[3] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}, {inFd, POLLOUT, 0}};
        const nfds_t count = inFd >= 0 ? 3 : 2;
        if (!outOpen) fds[0].fd = -1;
        if (!errOpen) fds[1].fd = -1;
        if (poll(fds, count, static_cast<int>(left)) < 0 && errno != EINTR) break;
        auto drain = [&](int fd, std::string& into, bool& open) {
            const ssize_t got = read(fd, buffer, sizeof buffer);
            if (got > 0)
                into.append(buffer, static_cast<std::size_t>(got));
            else if (got == 0 || (errno != EAGAIN && errno != EINTR))
                open = false;
        };
        if (outOpen && (fds[0].revents & (POLLIN | POLLHUP | POLLERR)))
            drain(out[0], result.out, outOpen);
        if (errOpen && (fds[1].revents & (POLLIN | POLLHUP | POLLERR)))
            drain(err[0], result.err, errOpen);
        if (inFd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
            const ssize_t put = write(inFd, input.data() + fed, input.size() - fed);
            if (put > 0) fed += static_cast<std::size_t>(put);
            if (put < 0 && errno != EAGAIN && errno != EINTR) fed = input.size();
            if (fed == input.size()) {
                close(inFd);
                inFd = -1;
            }
        }
    }
    if (inFd >= 0) close(inFd);
    close(out[0]);
    close(err[0]);

    int status = 0;
    if (!result.timedOut) {
        // Output closed; give the program the rest of the time to exit.
        while (waitpid(pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                result.timedOut = true;
                kill(pid, SIGKILL);
            }
            usleep(1000);
        }
    } else {
        waitpid(pid, &status, 0);
    }
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);

    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file())
            result.files[entry.path().filename().string()] = readFile(entry.path());
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return result;
}

} // namespace transcript
