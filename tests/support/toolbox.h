// What the tests share besides running a program: a scratch folder that cleans up after
// itself, a whole file read or written in one call, terminal output without its escape
// sequences, and the standard output of a piece of code.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace toolbox {

// A new empty folder under the temporary folder, its name starting with `prefix`. When
// it goes, the current folder is the one it was entered from again (see enter()), and
// the folder goes with everything in it, folders left without write permission too.
class ScratchFolder {
  public:
    explicit ScratchFolder(const std::string& prefix = "test") {
        std::string pattern =
            (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed: " + pattern);
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        if (!back_.empty()) std::filesystem::current_path(back_, ignored);
        const auto writable = [&](const std::filesystem::path& folder) {
            std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        };
        writable(path_);
        for (auto it = std::filesystem::recursive_directory_iterator(
                 path_, std::filesystem::directory_options::skip_permission_denied, ignored);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
            if (it->symlink_status(ignored).type() == std::filesystem::file_type::directory)
                writable(it->path());
        }
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const {
        return path_ / name;
    }

    // Makes this the current folder for the rest of its life.
    void enter() {
        if (back_.empty()) back_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
    }

  private:
    std::filesystem::path path_;
    std::filesystem::path back_;
};

// The bytes of a file; empty when there is none.
inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// Creates or replaces the file with exactly these bytes.
inline void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush()) throw std::runtime_error("cannot write " + path.string());
}

// Terminal output without its escape sequences (ESC [, parameters, a final letter):
// colours, and the erasing of a status line.
inline std::string withoutColours(std::string_view text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\x1b' || i + 1 == text.size() || text[i + 1] != '[') {
            plain += text[i];
            continue;
        }
        i += 2;
        while (i < text.size() && (text[i] < 0x40 || text[i] > 0x7E)) ++i;
    }
    return plain;
}

// Terminal output as the lines of its screen read: no escape sequences and no carriage
// returns.
inline std::string screenText(std::string_view text) {
    std::string plain = withoutColours(text);
    std::erase(plain, '\r');
    return plain;
}

// What `action` writes to standard output, through the C library or to the descriptor
// itself; meanwhile standard output goes to a temporary file.
inline std::string captureStdout(const std::function<void()>& action) {
    std::fflush(stdout);
    std::FILE* file = std::tmpfile();
    const int saved = dup(STDOUT_FILENO);
    if (!file || saved < 0 || dup2(fileno(file), STDOUT_FILENO) < 0)
        throw std::runtime_error("cannot redirect standard output");
    // Standard output comes back even when the action throws.
    struct Restore {
        int saved;
        ~Restore() {
            std::fflush(stdout);
            dup2(saved, STDOUT_FILENO);
            close(saved);
        }
    };
    {
        Restore restore{saved};
        action();
    }
    std::string captured;
    std::rewind(file);
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        captured.append(buffer, n);
    std::fclose(file);
    return captured;
}

} // namespace toolbox
