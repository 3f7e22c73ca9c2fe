#include "document/Cp949.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <vector>

namespace quilby {

namespace {

// RAII holder for an iconv descriptor. Each thread keeps one per direction
// (opening one costs more than converting a label), so the functions are
// safe to use from any thread; each use starts from the initial state.
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

constexpr unsigned kFirstLead = 0x81;
constexpr unsigned kLastLead = 0xFE;
constexpr unsigned kFirstTrail = 0x41;
constexpr unsigned kLastTrail = 0xFE;
constexpr std::size_t kTrails = kLastTrail - kFirstTrail + 1;
constexpr std::size_t kPairs = (kLastLead - kFirstLead + 1) * kTrails;

std::size_t pairIndex(unsigned lead, unsigned trail) {
    return (lead - kFirstLead) * kTrails + (trail - kFirstTrail);
}

// Which pairs the table assigns a character, asked of the system's table
// once: every pair the decoder meets is then a lookup.
const std::vector<bool>& assignedPairs() {
    static const std::vector<bool> assigned = [] {
        std::vector<bool> table(kPairs, false);
        IconvHandle cd("UTF-8", "CP949");
        for (unsigned lead = kFirstLead; lead <= kLastLead; ++lead) {
            for (unsigned trail = kFirstTrail; trail <= kLastTrail; ++trail) {
                if (!cd.valid()) {
                    // Without the system's table, the table's shape.
                    table[pairIndex(lead, trail)] = (trail >= 0x41 && trail <= 0x5A) ||
                                                    (trail >= 0x61 && trail <= 0x7A) ||
                                                    trail >= 0x81;
                    continue;
                }
                char input[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                char* in = input;
                std::size_t inLeft = sizeof input;
                char buffer[8];
                char* outPtr = buffer;
                std::size_t outLeft = sizeof buffer;
                const std::size_t rc = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
                table[pairIndex(lead, trail)] = rc != static_cast<std::size_t>(-1) && inLeft == 0;
                iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
            }
        }
        return table;
    }();
    return assigned;
}

// One step of the decoder at `i`: how many bytes it takes and whether they
// make a character. The standard decoder's rule: a lead byte is 0x81..0xFE;
// a pair that makes no character is one error, and when its second byte is
// ASCII that byte is not swallowed but read again on its own.
struct Step {
    std::size_t length;
    bool valid;
};

Step decodeStep(std::string_view bytes, std::size_t i) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
        return {1, true};
    }
    if (lead < kFirstLead || lead > kLastLead || i + 1 == bytes.size()) {
        return {1, false};
    }
    const auto trail = static_cast<unsigned char>(bytes[i + 1]);
    if (trail >= kFirstTrail && trail <= kLastTrail && assignedPairs()[pairIndex(lead, trail)]) {
        return {2, true};
    }
    return {trail < 0x80 ? std::size_t{1} : std::size_t{2}, false};
}

} // namespace

bool isValidCp949(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const Step step = decodeStep(bytes, i);
        if (!step.valid) {
            return false;
        }
        i += step.length;
    }
    return true;
}

std::string cp949ToUtf8(std::string_view bytes) {
    thread_local const IconvHandle cd("UTF-8", "CP949");
    if (!cd.valid()) {
        return asciiOnly(bytes);
    }
    std::string out;
    out.reserve(bytes.size() * 2);
    // One character at a time: on an unassigned pair glibc's table sometimes
    // steps over it and sometimes not before it reports the error, so after a
    // failed run over many characters nobody can tell where to go on.
    for (std::size_t i = 0; i < bytes.size();) {
        const Step step = decodeStep(bytes, i);
        if (!step.valid) {
            out.append(kReplacement);
        } else if (step.length == 1) {
            out.push_back(bytes[i]);
        } else {
            iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
            char input[2] = {bytes[i], bytes[i + 1]};
            char* in = input;
            std::size_t inLeft = sizeof input;
            char buffer[8];
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        }
        i += step.length;
    }
    return out;
}

std::optional<std::string> utf8ToCp949(std::string_view text) {
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    thread_local const IconvHandle cd("CP949", "UTF-8");
    if (ascii || !cd.valid()) {
        return ascii ? std::optional(std::string(text)) : std::nullopt;
    }
    iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
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
