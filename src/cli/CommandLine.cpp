#include "cli/CommandLine.h"

#include <algorithm>

namespace quilby {

namespace {

bool looksLikeOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-';
}

const OptionRule* ruleNamed(const CommandSyntax& syntax, std::string_view name) {
    const auto at = std::find_if(syntax.options.begin(), syntax.options.end(),
                                 [name](const OptionRule& rule) { return rule.name == name; });
    return at == syntax.options.end() ? nullptr : &*at;
}

} // namespace

bool ParsedArgs::has(std::string_view name) const {
    return std::any_of(options.begin(), options.end(),
                       [name](const Option& o) { return o.name == name; });
}

std::optional<std::string> ParsedArgs::value(std::string_view name) const {
    std::optional<std::string> last;
    for (const Option& o : options) {
        if (o.name == name) {
            last = o.value;
        }
    }
    return last;
}

ParsedArgs parseArgs(const std::vector<std::string>& args, const CommandSyntax& syntax) {
    ParsedArgs parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || !looksLikeOption(arg)) {
            parsed.operands.push_back(arg);
            continue;
        }
        if (syntax.endMarker && arg == "--") {
            optionsEnded = true;
            continue;
        }
        const std::string name = arg.substr(0, arg.find('='));
        const OptionRule* rule = ruleNamed(syntax, name);
        if (rule != nullptr && rule->placement == OptionRule::Placement::FirstOnly && i != 0) {
            rule = nullptr;
        }
        const bool fits =
            rule != nullptr && (rule->form == OptionRule::Form::Joined ? arg.size() > name.size()
                                                                       : arg.size() == name.size());
        if (!fits) {
            if (syntax.unknown == CommandSyntax::Unknown::Operand) {
                parsed.operands.push_back(arg);
                continue;
            }
            parsed.fault =
                rule == nullptr ? ParsedArgs::Fault::UnknownOption : ParsedArgs::Fault::NeedsValue;
            parsed.faultName = name;
            return parsed;
        }
        if (parsed.has(rule->name)) {
            if (rule->repeat == OptionRule::Repeat::AsOperand) {
                parsed.operands.push_back(arg);
                continue;
            }
            if (rule->repeat == OptionRule::Repeat::Refused) {
                parsed.fault = ParsedArgs::Fault::Repeated;
                parsed.faultName = name;
                return parsed;
            }
        }
        ParsedArgs::Option option{rule->name, {}};
        if (rule->form == OptionRule::Form::Joined) {
            option.value = arg.substr(name.size() + 1);
        } else if (rule->form == OptionRule::Form::Separate) {
            if (i + 1 >= args.size()) {
                parsed.fault = ParsedArgs::Fault::NeedsValue;
                parsed.faultName = name;
                return parsed;
            }
            option.value = args[++i];
        }
        parsed.options.push_back(std::move(option));
    }
    return parsed;
}

std::string faultText(const ParsedArgs& parsed) {
    switch (parsed.fault) {
    case ParsedArgs::Fault::None:
        break;
    case ParsedArgs::Fault::UnknownOption:
        return "unknown option " + parsed.faultName;
    case ParsedArgs::Fault::NeedsValue:
        return "option " + parsed.faultName + " needs a value";
    case ParsedArgs::Fault::Repeated:
        return "option " + parsed.faultName + " is given twice";
    }
    return {};
}

std::optional<double> parseDecimal(std::string_view text, double limit) {
    double whole = 0;
    double scale = 0;
    std::size_t digits = 0;
    for (const char c : text) {
        if (c == '.' && scale == 0) {
            scale = 1;
            continue;
        }
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        ++digits;
        if (scale == 0) {
            whole = whole * 10 + (c - '0');
        } else {
            scale /= 10;
            whole += (c - '0') * scale;
        }
        if (whole > limit) {
            return std::nullopt;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    return whole;
}

} // namespace quilby
