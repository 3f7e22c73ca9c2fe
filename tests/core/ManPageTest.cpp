// The manual pages are written by hand; the usage texts are what the
// programs really accept. Every command, option and environment variable a
// usage text names has to be on the page, so a new option cannot ship
// undocumented.
#include "../support/CliRun.h"
#include "app/StartupOptions.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <string>

using namespace quilby;

namespace {

// The page's text without roff markup: font changes and zero-width escapes
// dropped, escaped minus signs as plain ones.
std::string plainPage(const std::string& name) {
    std::ifstream in(std::string(QUILBY_MAN_DIR) + "/" + name, std::ios::binary);
    std::string text(std::istreambuf_iterator<char>(in), {});
    EXPECT_FALSE(text.empty()) << name;
    text = std::regex_replace(text, std::regex(R"(\\f[BIRP])"), "");
    text = std::regex_replace(text, std::regex(R"(\\&)"), "");
    return std::regex_replace(text, std::regex(R"(\\-)"), "-");
}

// Option names (without their values) and environment variables, and the
// commands of a command list: after "commands:", the lines of two spaces and
// a lower-case word, up to the first empty line.
std::set<std::string> namesIn(const std::string& usage) {
    std::set<std::string> names;
    const std::regex pattern(R"(--[a-z][a-z-]*|QUILBY_[A-Z]+)");
    for (std::sregex_iterator it(usage.begin(), usage.end(), pattern), end; it != end; ++it) {
        names.insert(it->str());
    }
    std::istringstream lines(usage);
    std::string line;
    bool inCommands = false;
    while (std::getline(lines, line)) {
        if (line == "commands:") {
            inCommands = true;
        } else if (line.empty()) {
            inCommands = false;
        } else if (inCommands && line.size() > 2 && line.rfind("  ", 0) == 0 && line[2] >= 'a' &&
                   line[2] <= 'z') {
            names.insert(line.substr(2, line.find(' ', 2) - 2));
        }
    }
    return names;
}

} // namespace

TEST(ManPages, NameEveryCommandOptionAndVariableOfTheUsage) {
    struct Case {
        std::string page;
        std::string usage;
    };
    const std::vector<Case> cases = {
        {"quilby-key.1", quilby::testing::run({"--help"}).out},
        {"quilby.1", startupUsage()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        const std::string page = plainPage(c.page);
        const auto names = namesIn(c.usage);
        EXPECT_GT(names.size(), 3u) << c.usage;
        for (const std::string& name : names) {
            EXPECT_TRUE(page.find(name) != std::string::npos) << "the page lacks " << name;
        }
    }
}
