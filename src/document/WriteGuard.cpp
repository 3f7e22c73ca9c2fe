#include "document/WriteGuard.h"

#include <sys/stat.h>

namespace quilby {

bool sameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    if (::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0) {
        return false;
    }
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool readOnlyByMode(const std::string& path) {
    struct stat st {};
    // access() would say yes to root; the mode is the user's own statement.
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

WriteVerdict checkWrite(const std::string& output, const std::vector<std::string>& inputs,
                        InPlace inPlace) {
    if (inPlace == InPlace::Refused) {
        for (const std::string& input : inputs) {
            if (sameFile(output, input)) {
                return {WriteRefusal::OverInput, input};
            }
        }
    }
    if (readOnlyByMode(output)) {
        return {WriteRefusal::ReadOnly, {}};
    }
    return {};
}

std::string WriteVerdict::message(const std::string& output) const {
    switch (refusal) {
    case WriteRefusal::None:
        break;
    case WriteRefusal::OverInput:
        return output + " is the input file " + input +
               "; writing it would destroy what it holds: write to another file";
    case WriteRefusal::ReadOnly:
        return output + " is read-only; it is not replaced";
    }
    return {};
}

} // namespace quilby
