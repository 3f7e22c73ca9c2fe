#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quilby {

// What a command returns for wrong arguments; the caller prints its usage.
inline constexpr int kBadArguments = -1;

// The exit statuses the file commands share: done, refused (a finding or a
// rule), and a file that cannot be read or written.
inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitError = 2;

// How the commands of quilby-key read their arguments. Each command states
// its syntax; one parser applies it, so every command splits options from
// operands by the same code. The syntaxes differ on purpose (a dump takes
// --json only first, a download takes its options anywhere).

struct OptionRule {
    // A flag is the name alone; a joined value is --name=VALUE; a separate
    // value is --name VALUE.
    enum class Form : unsigned char { Flag, Joined, Separate };
    // Where the option is recognised: anywhere, or only as the first argument.
    enum class Placement : unsigned char { Anywhere, FirstOnly };
    // What a second occurrence is: the option again (the last value wins), an
    // operand, or a refusal.
    enum class Repeat : unsigned char { Allowed, AsOperand, Refused };

    std::string_view name;
    Form form = Form::Flag;
    Placement placement = Placement::Anywhere;
    Repeat repeat = Repeat::Allowed;
};

struct CommandSyntax {
    // What an argument beginning with '-' (but "-" itself) that fits no rule
    // is: an operand, or a refusal.
    enum class Unknown : unsigned char { Operand, Refused };

    std::span<const OptionRule> options;
    Unknown unknown = Unknown::Operand;
    // "--" ends the options: everything after it is an operand.
    bool endMarker = false;
};

struct ParsedArgs {
    struct Option {
        std::string_view name; // as the rule spells it
        std::string value;     // empty for a flag
    };
    // Why the parser stopped early; the options before the fault are kept.
    enum class Fault : unsigned char {
        None,
        UnknownOption, // an argument beginning with '-' that names no option
        NeedsValue,    // an option written without the value its form needs (or with
                       // a value a flag does not take)
        Repeated,      // a second occurrence where the rule refuses one
    };

    std::vector<Option> options; // in the order given
    std::vector<std::string> operands;
    Fault fault = Fault::None;
    std::string faultName; // the option's name as written, up to '='

    bool has(std::string_view name) const;
    // The last value given for `name`.
    std::optional<std::string> value(std::string_view name) const;
};

ParsedArgs parseArgs(const std::vector<std::string>& args, const CommandSyntax& syntax);

// The one syntax every command of quilby-key follows: its options anywhere,
// an unknown option refused, "--" ending the options.
inline CommandSyntax commandSyntax(std::span<const OptionRule> options) {
    return {options, CommandSyntax::Unknown::Refused, true};
}

// Why the parser stopped, naming the option ("unknown option --x"); empty
// when it did not.
std::string faultText(const ParsedArgs& parsed);

// A number of the command line: decimal digits with an optional fraction
// ("2", "0.5"), nothing else (no sign, exponent, hex or blanks), at most
// `limit`; nullopt otherwise.
std::optional<double> parseDecimal(std::string_view text, double limit);

} // namespace quilby
