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

// The bytes that may follow a lead byte in the Windows table.
bool isTrailByte(unsigned char byte) {
    return (byte >= 0x41 && byte <= 0x5A) || (byte >= 0x61 && byte <= 0x7A) ||
           (byte >= 0x81 && byte <= 0xFE);
}

} // namespace

std::string cp949ToUtf8(std::string_view bytes) {
    IconvHandle cd("UTF-8", "CP949");
    if (!cd.valid()) {
        return asciiOnly(bytes);
    }
    std::string out;
    out.reserve(bytes.size() * 2);
    // One character at a time: on an unassigned pair glibc's table sometimes
    // steps over it and sometimes not before it reports the error, so after a
    // failed run over many characters nobody can tell where to go on.
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            out.push_back(bytes[i]);
            ++i;
            continue;
        }
        const bool pair = lead != 0x80 && lead != 0xFF && i + 1 < bytes.size() &&
                          isTrailByte(static_cast<unsigned char>(bytes[i + 1]));
        if (!pair) {
            // A byte that cannot start a character, or a lead without its
            // trail: the next byte is read on its own.
            out.append(kReplacement);
            ++i;
            continue;
        }
        char input[2] = {bytes[i], bytes[i + 1]};
        char* in = input;
        std::size_t inLeft = sizeof input;
        char buffer[8];
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
        if (rc == static_cast<std::size_t>(-1) || inLeft != 0) {
            // A well-formed pair the table leaves unassigned: one character.
            out.append(kReplacement);
            iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
        } else {
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        }
        i += 2;
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
