// A built program run in a real pseudo-terminal, for what only a terminal shows:
// raw key reads, echo, colours, UTF-8 frames and the terminal settings left behind.
#pragma once

#include <string>
#include <termios.h>
#include <vector>

namespace pty {

class Session {
  public:
    // Starts `exe` in folder `cwd` on a new pseudo-terminal (forkpty), through
    // `launcher` (e.g. "wine") when one is given. The terminal is a colour terminal in
    // a UTF-8 locale (TERM=xterm, LC_ALL=C.UTF-8, no NO_COLOR), whatever the test's own
    // environment; `environment` changes that further, as transcript::environment() does.
    // `arguments` follow `exe` on its command line.
    Session(const std::string& exe, const std::string& cwd, const std::string& launcher = "",
            const std::vector<std::string>& environment = {},
            const std::vector<std::string>& arguments = {});
    ~Session(); // kills the program if it still runs

    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Writes bytes as if typed.
    void send(const std::string& keys);
    // Reads until `needle` appears after the end of the previous match (so waiting
    // twice for the same prompt waits for it twice), or the timeout passes; returns
    // true when found.
    bool waitFor(const std::string& needle, int timeoutMs = 5000);
    // Reads whatever arrives within `ms` milliseconds.
    void drain(int ms = 200);
    // Everything the program wrote to the terminal so far (the terminal's echo included).
    const std::string& output() const { return out_; }
    // The terminal's current settings, as the program has left them.
    termios attributes() const;
    // The settings the terminal was created with, as a shell would hand it over.
    const termios& initial() const { return initial_; }
    // Sends a signal to the program.
    void signal(int sig);
    // Waits for the program to end; returns its exit status, 128 + signal, or -1 on timeout.
    int wait(int timeoutMs = 5000);

  private:
    int master_ = -1;
    int pid_ = -1;
    std::string out_;
    std::size_t seen_ = 0; // where the next waitFor starts looking
    termios initial_{};
};

// True when two terminal settings agree in every flag and control character.
bool sameSettings(const termios& a, const termios& b);

} // namespace pty
