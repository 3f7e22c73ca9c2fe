#include "cli/OutputWatch.h"

#include <cerrno>

namespace quilby {

void OutputWatch::watch(char c) {
    if (c != '\n') {
        if (current_.size() < 4096) {
            current_.push_back(c);
        }
        return;
    }
    if (!firstDone_) {
        first_ = current_;
        firstDone_ = true;
    }
    last_ = std::move(current_);
    current_.clear();
}

void OutputWatch::fail() {
    if (!failed_) {
        errorCode_ = errno;
    }
    failed_ = true;
}

int OutputWatch::overflow(int c) {
    if (c == traits_type::eof()) {
        return traits_type::not_eof(c);
    }
    const char ch = traits_type::to_char_type(c);
    watch(ch);
    if (failed_ || !target_.write(&ch, 1)) {
        fail();
        return traits_type::eof();
    }
    return c;
}

std::streamsize OutputWatch::xsputn(const char* data, std::streamsize size) {
    for (std::streamsize i = 0; i < size; ++i) {
        watch(data[i]);
    }
    if (failed_ || !target_.write(data, size)) {
        fail();
        return 0;
    }
    return size;
}

int OutputWatch::sync() {
    if (failed_ || !target_.flush()) {
        fail();
        return -1;
    }
    return 0;
}

bool OutputWatch::flushAll() {
    return sync() == 0;
}

} // namespace quilby
