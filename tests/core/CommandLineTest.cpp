#include "cli/CommandLine.h"
#include "document/KeyFileWriter.h"

#include "../support/CliRun.h"
#include "../support/TableFixtures.h"

#include <gtest/gtest.h>

using namespace quilby;
using namespace quilby::testing;

namespace {

using Rule = OptionRule;
using Fault = ParsedArgs::Fault;

// "name=value" for each option, in order.
std::vector<std::string> optionsOf(const ParsedArgs& parsed) {
    std::vector<std::string> out;
    for (const auto& o : parsed.options) {
        out.push_back(std::string(o.name) + "=" + o.value);
    }
    return out;
}

constexpr Rule kFirstJson[] = {{"--json", Rule::Form::Flag, Rule::Placement::FirstOnly}};
constexpr Rule kForceOnce[] = {
    {"--force", Rule::Form::Flag, Rule::Placement::Anywhere, Rule::Repeat::AsOperand}};
constexpr Rule kTableOnce[] = {
    {"--table", Rule::Form::Separate, Rule::Placement::Anywhere, Rule::Repeat::Refused}};
constexpr Rule kLinkLike[] = {{"--json", Rule::Form::Flag}, {"--port", Rule::Form::Joined}};

} // namespace

TEST(CommandLine, EachSyntaxSplitsOptionsFromOperandsByItsOwnRules) {
    const CommandSyntax firstJson{kFirstJson};
    const CommandSyntax firstJsonStrict{kFirstJson, CommandSyntax::Unknown::Refused};
    const CommandSyntax forceOnce{kForceOnce};
    const CommandSyntax tableOnce{kTableOnce, CommandSyntax::Unknown::Refused};
    const CommandSyntax linkLike{kLinkLike, CommandSyntax::Unknown::Refused, true};
    const CommandSyntax none{};
    struct Case {
        const char* name;
        const CommandSyntax& syntax;
        std::vector<std::string> args;
        std::vector<std::string> options;
        std::vector<std::string> operands;
        Fault fault;
        std::string faultName;
    };
    const Case cases[] = {
        {"first-only flag first", firstJson, {"--json", "f"}, {"--json="}, {"f"}, Fault::None, ""},
        {"first-only flag later is an operand",
         firstJson,
         {"f", "--json"},
         {},
         {"f", "--json"},
         Fault::None,
         ""},
        {"first-only flag twice",
         firstJson,
         {"--json", "--json"},
         {"--json="},
         {"--json"},
         Fault::None,
         ""},
        {"flag with a value is an operand",
         firstJson,
         {"--json=1"},
         {},
         {"--json=1"},
         Fault::None,
         ""},
        {"first-only flag later, strict",
         firstJsonStrict,
         {"--json", "--json"},
         {"--json="},
         {},
         Fault::UnknownOption,
         "--json"},
        {"no options: every argument an operand",
         none,
         {"-x", "--", "-", ""},
         {},
         {"-x", "--", "-", ""},
         Fault::None,
         ""},
        {"flag anywhere",
         forceOnce,
         {"a", "--force", "b"},
         {"--force="},
         {"a", "b"},
         Fault::None,
         ""},
        {"second flag is an operand",
         forceOnce,
         {"--force", "--force", "b"},
         {"--force="},
         {"--force", "b"},
         Fault::None,
         ""},
        {"separate value",
         tableOnce,
         {"t", "--table", "-x"},
         {"--table=-x"},
         {"t"},
         Fault::None,
         ""},
        {"separate value missing",
         tableOnce,
         {"t", "--table"},
         {},
         {"t"},
         Fault::NeedsValue,
         "--table"},
        {"separate value twice",
         tableOnce,
         {"--table", "a", "--table", "b"},
         {"--table=a"},
         {},
         Fault::Repeated,
         "--table"},
        {"separate value joined", tableOnce, {"--table=a"}, {}, {}, Fault::NeedsValue, "--table"},
        {"dash alone is an operand", tableOnce, {"-"}, {}, {"-"}, Fault::None, ""},
        {"unknown refused", tableOnce, {"-v"}, {}, {}, Fault::UnknownOption, "-v"},
        {"joined values, last kept in order",
         linkLike,
         {"--port=hw", "f", "--json", "--port=sim"},
         {"--port=hw", "--json=", "--port=sim"},
         {"f"},
         Fault::None,
         ""},
        {"joined empty value", linkLike, {"--port="}, {"--port="}, {}, Fault::None, ""},
        {"joined without value", linkLike, {"--port"}, {}, {}, Fault::NeedsValue, "--port"},
        {"flag given a value", linkLike, {"--json=yes"}, {}, {}, Fault::NeedsValue, "--json"},
        {"unknown named up to =",
         linkLike,
         {"--json", "--colour=red", "--port=hw"},
         {"--json="},
         {},
         Fault::UnknownOption,
         "--colour"},
        {"end marker", linkLike, {"--", "--json", "-"}, {}, {"--json", "-"}, Fault::None, ""},
    };
    for (const Case& c : cases) {
        const ParsedArgs parsed = parseArgs(c.args, c.syntax);
        EXPECT_EQ(optionsOf(parsed), c.options) << c.name;
        EXPECT_EQ(parsed.operands, c.operands) << c.name;
        EXPECT_EQ(parsed.fault, c.fault) << c.name;
        EXPECT_EQ(parsed.faultName, c.faultName) << c.name;
    }
}

// Every command keeps the one rule: options anywhere, a second flag is the
// same flag, an unknown option is refused by name.
class CommandLineRules : public CliFixture {};

TEST_F(CommandLineRules, EveryCommandKeepsTheOneArgumentRule) {
    const std::string table = write("t.KEY", writeKeyFile(fullTable()));
    const std::string out = path("out.bin");
    const std::string trace = write("t.trace", "");
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string mentions;
    };
    const Case cases[] = {
        {"dump --json first", {"dump", "--json", table}, 0, "{\"positions\""},
        {"dump --json after the file", {"dump", table, "--json"}, 0, "{\"positions\""},
        {"dump refuses a dash name unless after --", {"dump", "-x"}, 2, "unknown option -x"},
        {"check names an unknown option", {"check", "--json"}, 2, "unknown option --json"},
        {"image --force after the files", {"image", table, out, "--force"}, 0, ""},
        {"image with two --force", {"image", "--force", "--force", table, out}, 0, ""},
        {"keys --json", {"keys", "--json"}, 0, "{\"rows\""},
        {"keys --json twice", {"keys", "--json", "--json"}, 0, "{\"rows\""},
        {"keys with a word", {"keys", "json"}, 2, "usage: quilby-key keys"},
        {"replay --table first", {"replay", "--table", table, trace}, 0, "\"outcomes\""},
        {"replay unknown option", {"replay", trace, "-v"}, 2, "unknown option -v"},
        {"replay two --table",
         {"replay", trace, "--table", table, "--table", table},
         2,
         "usage: quilby-key replay"},
        {"default-table without a file", {"default-table"}, 2, "usage: quilby-key default-table"},
        {"identify given a flag with a value",
         {"identify", "--json=1"},
         2,
         "option --json needs a value"},
        {"identify given an option it lacks",
         {"identify", "--model=varo"},
         2,
         "unknown option --model"},
        {"identify: the first wrong argument is told",
         {"identify", "--port=com1", "--bogus"},
         2,
         "--port must be hw or sim"},
    };
    for (const Case& c : cases) {
        const auto r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.name << "\n" << r.err;
        EXPECT_NE((r.out + r.err).find(c.mentions), std::string::npos) << c.name << "\n"
                                                                       << r.out << r.err;
    }
}
