// Any MCR.OPN contents: reading gives what the first bytes mean, an applied
// option reads back as itself, and the bytes after the fourth, and the
// file's length, are never changed.
#include "FuzzCheck.h"

#include "link/McrOptionFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <variant>

using namespace quilby;

namespace {

// One scratch folder for the whole run (under TMPDIR), removed at exit.
struct ScratchFolder {
    ScratchFolder() {
        path = (std::filesystem::temp_directory_path() / "quilby-fuzz-mcr-XXXXXX").string();
        if (::mkdtemp(path.data()) == nullptr) {
            std::abort();
        }
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string path;
};

const std::string& folder() {
    static const ScratchFolder scratch;
    return scratch.path;
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte picks the option button applied (-1: none, 0 to 3); the
    // rest is the file.
    const int headCodeChoice = static_cast<int>(data[0] % 5) - 1;
    const std::string contents(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string path = folder() + "/MCR.OPN";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << contents;

    const auto read = readMcrOption(folder());
    const auto* stored = std::get_if<McrStoredOption>(&read);
    FUZZ_CHECK(stored != nullptr);
    FUZZ_CHECK(*stored == parseMcrOption(std::string_view(contents).substr(0, 4)));

    const McrOptionRecord record = mcrOptionRecord(headCodeChoice);
    const auto error = writeMcrOption(folder(), record.bytes);
    FUZZ_CHECK(!error.has_value());
    const std::string after = readAll(path);
    FUZZ_CHECK(after.size() == std::max<std::size_t>(contents.size(), 4));
    if (contents.size() > 4) {
        FUZZ_CHECK(after.compare(4, std::string::npos, contents, 4) == 0);
    }
    const auto reread = readMcrOption(folder());
    const auto* applied = std::get_if<McrStoredOption>(&reread);
    FUZZ_CHECK(applied != nullptr);
    FUZZ_CHECK(applied->option == record.option);
    FUZZ_CHECK(applied->headCode == record.headCode);
    return 0;
}
