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

} // namespace quilby
