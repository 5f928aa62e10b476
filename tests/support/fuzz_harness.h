// What every fuzz target shares: a private folder for the files the readers open by
// bare name, quiet standard output, standard input from a file, and checks that
// abort, so the fuzzer reports a broken invariant like a crash.
#pragma once

#include "toolbox.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <unistd.h>

namespace harness {

[[noreturn]] inline void fehlschlagMelden(const char* bedingung, const char* datei, int zeile) {
    std::fprintf(stderr, "\n%s:%d: invariant broken: %s\n", datei, zeile, bedingung);
    std::fflush(stderr);
    std::abort();
}

// Unlike assert, stays on in optimised builds.
#define PRUEFEN(bedingung)                                                                         \
    do {                                                                                           \
        if (!(bedingung)) ::harness::fehlschlagMelden(#bedingung, __FILE__, __LINE__);             \
    } while (0)

// The folder of this process, made on first use and removed at exit. The corpus and
// artifact paths the fuzzer was given stay relative to the folder it was started in,
// so the harness only steps into its own folder for each run (Ordner below).
class Prozessordner {
  public:
    static Prozessordner& get() {
        static Prozessordner ordner;
        return ordner;
    }
    int fd() const { return fd_; }

  private:
    Prozessordner() : ordner_("fuzz"), fd_(open(ordner_.path().c_str(), O_RDONLY | O_DIRECTORY)) {
        if (fd_ < 0) std::abort();
        // Output is not checked byte for byte here; /dev/null keeps printing cheap.
        if (!std::freopen("/dev/null", "w", stdout)) std::abort();
        // A key wait must never block on the terminal the fuzzer was started from.
        if (!std::freopen("/dev/null", "rb", stdin)) std::abort();
    }
    toolbox::ScratchFolder ordner_;
    int fd_;
};

// Inside the process folder for the lifetime of the object.
class Ordner {
  public:
    Ordner() : zurueck_(open(".", O_RDONLY | O_DIRECTORY)) {
        if (zurueck_ < 0 || fchdir(Prozessordner::get().fd()) != 0) std::abort();
    }
    ~Ordner() {
        if (fchdir(zurueck_) != 0) std::abort();
        close(zurueck_);
    }
    Ordner(const Ordner&) = delete;
    Ordner& operator=(const Ordner&) = delete;

  private:
    int zurueck_;
};

// Standard input becomes the given bytes (through a file, as a redirected run has it).
inline void eingabeSetzen(std::string_view bytes) {
    toolbox::writeFile("eingabe.bin", bytes);
    if (!std::freopen("eingabe.bin", "rb", stdin)) std::abort();
}

// Reads the fuzzer's bytes front to back; past the end everything is 0 or empty.
class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size)
        : text_(reinterpret_cast<const char*>(data), size) {}
    bool leer() const { return pos_ >= text_.size(); }
    std::uint8_t byte() { return leer() ? 0 : static_cast<std::uint8_t>(text_[pos_++]); }
    std::string_view stueck(std::size_t laenge) {
        const std::size_t n = std::min(laenge, text_.size() - pos_);
        std::string_view s = text_.substr(pos_, n);
        pos_ += n;
        return s;
    }
    std::string_view rest() { return stueck(text_.size() - pos_); }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace harness
