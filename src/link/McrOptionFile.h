#pragma once

#include "document/KeyTable.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace quilby {

// The stored MCR head-code option: a file of at least 4 bytes whose first
// byte is the option digit, followed by the head-code characters and zero
// bytes up to offset 3. Only those 4 bytes are ever read or written; the
// file is never created and never truncated.
inline constexpr std::string_view kMcrOptionFileName = "MCR.OPN";

struct McrFileError {
    enum class Operation : std::uint8_t { Read, Write };
    Operation operation = Operation::Read;
    // The folder the file was looked for in, made absolute.
    std::string folder;
    int code = 0; // errno
    // The copy that comes with the program (head code disabled), named when
    // the file is missing so the user knows what to copy; empty when none.
    std::string shippedCopy;

    // In English, for quilby-key; the dialogs tell it in their own language.
    std::string message() const;
};

struct McrStoredOption {
    std::int32_t option = McrCannotUse;
    std::string headCode;
    bool operator==(const McrStoredOption&) const = default;
};

// What the first bytes of the file mean: the option is the first byte's
// decimal digit (0 for anything else, or an empty file); the head code is
// bytes 1 and 2 up to the first zero byte, for every option but 0 and 1.
// Digits 5 to 9 are kept as they are: no option button shows them.
McrStoredOption parseMcrOption(std::string_view firstBytes);

// Reads the option from `folder`/MCR.OPN.
std::variant<McrStoredOption, McrFileError> readMcrOption(const std::string& folder);

// Reads the option into the document's McrOption and McrHeadCode; on an
// error the document is left as it was.
std::optional<McrFileError> loadMcrOption(const std::string& folder, KeyTableData& document);

// The head-code option chosen (-1 for none, 0 No Define, 1 "ff", 2 '?',
// 3 ';'), its head code and the 4 bytes that store it.
struct McrOptionRecord {
    std::int32_t option = McrCannotUse;
    std::string headCode;
    std::array<std::uint8_t, 4> bytes{};
};
McrOptionRecord mcrOptionRecord(int headCodeChoice);

// Writes the record over the first 4 bytes of `folder`/MCR.OPN, which must
// exist; the rest of the file is left alone.
std::optional<McrFileError> writeMcrOption(const std::string& folder,
                                           const std::array<std::uint8_t, 4>& bytes);

// Status texts of the option shown (stored option, or head-code choice + 1),
// and of an apply; nullopt where the text stays as it was. Marked for
// translation in the context "McrOptionFile".
std::optional<std::string_view> mcrShowStatusText(int option);
std::optional<std::string_view> mcrApplyStatusText(int option);
// The head-code choice shown for option `option`: -1 for none, nullopt
// where the choice stays as it was.
std::optional<int> mcrHeadCodeChoiceOf(int option);

} // namespace quilby
