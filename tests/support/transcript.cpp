// Running a built program end to end: its folder, its streams, its exit and its files.
#include "transcript.h"

#include "toolbox.h"

#include <cctype>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <random>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

extern char** environ; // POSIX leaves declaring it to the program

namespace transcript {

namespace {

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
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

std::string commandPath(const std::string& name) {
    if (name.find('/') != std::string::npos) return name;
    const std::string path = env("PATH");
    for (std::size_t from = 0; from <= path.size();) {
        std::size_t to = path.find(':', from);
        if (to == std::string::npos) to = path.size();
        // An empty entry is the current folder.
        const std::string folder = to == from ? "." : path.substr(from, to - from);
        const std::string candidate = folder + "/" + name;
        std::error_code error;
        if (access(candidate.c_str(), X_OK) == 0 && !fs::is_directory(candidate, error))
            return candidate;
        from = to + 1;
    }
    return name;
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

std::vector<std::string> environment(const std::vector<std::string>& changes) {
    const auto name = [](const std::string& entry) { return entry.substr(0, entry.find('=')); };
    std::vector<std::string> result;
    for (char** entry = environ; *entry; ++entry) result.push_back(*entry);
    // In order, so a later change of a variable wins.
    for (const std::string& change : changes) {
        std::erase_if(result, [&](const std::string& v) { return name(v) == name(change); });
        if (change.find('=') != std::string::npos) result.push_back(change);
    }
    return result;
}

std::string noise(unsigned seed, std::size_t length, const std::string& alphabet) {
    std::mt19937 random(seed);
    std::string out;
    for (std::size_t i = 0; i < length; ++i) out += alphabet[random() % alphabet.size()];
    return out;
}

bool windows() {
    std::string suffix = env("TRANSCRIPT_SUFFIX");
    for (char& c : suffix) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return suffix == ".exe";
}

namespace {

using Clock = std::chrono::steady_clock;

// The folder the program runs in gets the files the test gives it.
void prepareFolder(const fs::path& folder, const Options& options) {
    for (const auto& [name, bytes] : options.files) toolbox::writeFile(folder / name, bytes);
    if (options.prepare) options.prepare(folder);
}

// The command line: [launcher] program arguments..., the launcher found in PATH.
std::vector<std::string> commandLine(const std::string& exe, const Options& options) {
    std::vector<std::string> words;
    if (const std::string launcher = env("TRANSCRIPT_LAUNCHER"); !launcher.empty())
        words.push_back(commandPath(launcher));
    words.push_back(exe);
    words.insert(words.end(), options.arguments.begin(), options.arguments.end());
    return words;
}

// A started program and our ends of its three standard streams (-1 once closed).
struct Child {
    pid_t pid = -1;
    int in = -1;
    int out = -1;
    int err = -1;
};

void closeFd(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

// The pointers execve wants: one per string, then a null one.
std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> result;
    for (std::string& s : strings) result.push_back(s.data());
    result.push_back(nullptr);
    return result;
}

// Starts the command in `folder` with its standard streams on pipes, or standard output
// on the file `output`; ours are non-blocking.
Child start(std::vector<std::string> words, std::vector<std::string> variables,
            const fs::path& folder, const std::string& output) {
    int in[2], out[2], err[2];
    if (pipe(in) || pipe(out) || pipe(err)) throw std::runtime_error("pipe failed");
    const std::vector<char*> argv = pointers(words);
    const std::vector<char*> envp = pointers(variables);

    const pid_t pid = fork();
    if (pid == 0) {
        std::signal(SIGPIPE, SIG_DFL);
        dup2(in[0], 0);
        dup2(out[1], 1);
        dup2(err[1], 2);
        if (!output.empty()) {
            const int file = open(output.c_str(), O_WRONLY);
            if (file < 0 || dup2(file, 1) < 0) _exit(125);
            close(file);
        }
        for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
        if (chdir(folder.c_str()) != 0) _exit(126);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    for (int fd : {in[1], out[0], err[0]}) setNonBlocking(fd);
    return {pid, in[1], out[0], err[0]};
}

// Reads what is there; closes the stream at its end.
void drain(int& fd, std::string& into) {
    char buffer[65536];
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got > 0)
        into.append(buffer, static_cast<std::size_t>(got));
    else if (got == 0 || (errno != EAGAIN && errno != EINTR))
        closeFd(fd);
}

// Writes what the pipe takes; closes it once all input is fed (or the program is gone).
void feed(int& fd, const std::string& input, std::size_t& fed) {
    const ssize_t put = write(fd, input.data() + fed, input.size() - fed);
    if (put > 0) fed += static_cast<std::size_t>(put);
    if (put < 0 && errno != EAGAIN && errno != EINTR) fed = input.size();
    if (fed == input.size()) closeFd(fd);
}

// Feeds the input and collects both outputs at once, so neither side can block the
// other, until both outputs are closed. False when the deadline passed first.
bool exchange(Child& child, const std::string& input, Clock::time_point deadline, Result& result) {
    std::size_t fed = 0;
    if (input.empty()) closeFd(child.in);
    while (child.out >= 0 || child.err >= 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return false;
        pollfd fds[3] = {{child.out, POLLIN, 0}, {child.err, POLLIN, 0}, {child.in, POLLOUT, 0}};
        if (poll(fds, 3, static_cast<int>(left)) < 0 && errno != EINTR) break;
        if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) drain(child.out, result.out);
        if (fds[1].revents & (POLLIN | POLLHUP | POLLERR)) drain(child.err, result.err);
        if (fds[2].revents & (POLLOUT | POLLERR | POLLHUP)) feed(child.in, input, fed);
    }
    return true;
}

// The exit status, or 128 + signal; the program is killed once the deadline passes.
int await(pid_t pid, Clock::time_point deadline, bool& timedOut) {
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (Clock::now() > deadline) {
            timedOut = true;
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Every regular file the run left in its folder.
Files collect(const fs::path& folder) {
    Files files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.symlink_status().type() == fs::file_type::regular)
            files[entry.path().filename().string()] = toolbox::readFile(entry.path());
    }
    return files;
}

} // namespace

Result run(const std::string& exe, const std::string& input, const Options& options) {
    const toolbox::ScratchFolder scratch("transcript");
    const fs::path& folder = scratch.path();
    prepareFolder(folder, options);
    // A program that ends before reading all its input must not take the test down with it.
    std::signal(SIGPIPE, SIG_IGN);
    Child child =
        start(commandLine(exe, options), environment(options.environment), folder, options.output);

    Result result;
    const auto deadline = Clock::now() + std::chrono::seconds(options.timeoutSeconds);
    if (!exchange(child, input, deadline, result)) {
        result.timedOut = true;
        kill(child.pid, SIGKILL);
    }
    for (int* fd : {&child.in, &child.out, &child.err}) closeFd(*fd);
    // Output closed; the program has the rest of the time to exit.
    result.status = await(child.pid, deadline, result.timedOut);
    result.files = collect(folder);
    return result;
}

} // namespace transcript
