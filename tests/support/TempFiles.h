#pragma once

// Scratch folders and files for the core tests that touch the file system.

#include <filesystem>
#include <fstream>
#include <grp.h>
#include <iterator>
#include <stdlib.h>
#include <string>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

namespace quilby::testing {

// A fresh folder under the system's temporary folder, removed with all it
// holds when the test ends, even where a test took its permissions away.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& prefix = "quilby-test") {
        std::string pattern =
            (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            root_ = pattern;
        }
    }
    ~ScratchDir() {
        namespace fs = std::filesystem;
        if (root_.empty()) {
            return;
        }
        std::error_code ec;
        fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ec);
        for (auto it = fs::recursive_directory_iterator(root_, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        }
        fs::remove_all(root_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::string path() const { return root_.string(); }
    std::string file(const std::string& name) const { return (root_ / name).string(); }

private:
    std::filesystem::path root_;
};

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs `check` with the rights of an ordinary user: as root every permission
// check passes, so a root test run drops to "nobody" in a child process.
// Returns whether `check` returned true.
template <typename Check> bool asUnprivilegedUser(Check check) {
    if (::geteuid() != 0) {
        return check();
    }
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) {
            ::_exit(2);
        }
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace quilby::testing
