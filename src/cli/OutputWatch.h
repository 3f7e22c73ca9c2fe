#pragma once

#include <ostream>
#include <streambuf>
#include <string>

namespace quilby {

// Stands between a command and one of its streams: passes every byte on and
// remembers what the command's ending needs to know: whether a write failed
// (a full disk, a closed pipe), the first complete line written and the last
// one.
class OutputWatch : public std::streambuf {
public:
    explicit OutputWatch(std::ostream& target) : target_(target) {}

    bool failed() const { return failed_; }
    // The errno value of the first failed write (0 if none was given).
    int errorCode() const { return errorCode_; }
    const std::string& firstLine() const { return first_; }
    const std::string& lastLine() const { return last_; }
    // Flushes the target and tells whether everything written arrived.
    bool flushAll();

protected:
    int overflow(int c) override;
    std::streamsize xsputn(const char* data, std::streamsize size) override;
    int sync() override;

private:
    void watch(char c);
    void fail();

    std::ostream& target_;
    bool failed_ = false;
    int errorCode_ = 0;
    std::string current_;
    std::string first_;
    std::string last_;
    bool firstDone_ = false;
};

} // namespace quilby
