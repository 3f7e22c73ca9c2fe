#include "document/Cp949.h"

#include <cerrno>
#include <iconv.h>

namespace quilby {

namespace {

// RAII holder for an iconv descriptor; each call opens its own, so the
// functions are safe to use from any thread.
class IconvHandle {
public:
    IconvHandle(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~IconvHandle() {
        if (valid()) {
            iconv_close(cd_);
        }
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// Latin-1 style fallback used only if the system lacks the CP949 table:
// ASCII passes, every other byte is unreadable.
std::string asciiOnly(std::string_view bytes) {
    std::string out;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) < 0x80) {
            out.push_back(c);
        } else {
            out.append(kReplacement);
        }
    }
    return out;
}

} // namespace

std::string cp949ToUtf8(std::string_view bytes) {
    IconvHandle cd("UTF-8", "CP949");
    if (!cd.valid()) {
        return asciiOnly(bytes);
    }
    std::string out;
    out.reserve(bytes.size() * 2);
    std::string input(bytes);
    char* in = input.data();
    std::size_t inLeft = input.size();
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (rc == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG) {
                continue;
            }
            // EILSEQ or EINVAL (cut short at the end): replace one byte, go on.
            out.append(kReplacement);
            ++in;
            --inLeft;
            iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

std::optional<std::string> utf8ToCp949(std::string_view text) {
    IconvHandle cd("CP949", "UTF-8");
    if (!cd.valid()) {
        for (char c : text) {
            if (static_cast<unsigned char>(c) >= 0x80) {
                return std::nullopt;
            }
        }
        return std::string(text);
    }
    std::string out;
    std::string input(text);
    char* in = input.data();
    std::size_t inLeft = input.size();
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            return std::nullopt;
        }
    }
    return out;
}

} // namespace quilby
