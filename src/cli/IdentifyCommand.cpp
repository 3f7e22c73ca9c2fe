#include "cli/LinkCommand.h"
#include "cli/LinkCommands.h"

#include "link/KeyboardIdMatcher.h"

namespace quilby {

namespace {

// identify: waits for any keyboard to announce itself and names its model.
class IdentifyCommand : public LinkCommand {
public:
    IdentifyCommand(const LinkOptions& options, LinkEnvironment& env, std::ostream& out,
                    std::ostream& err)
        : LinkCommand(options, env, out, err, false) {
        // One matcher for each model, each with its own expected identification.
        varo_.keyboardBrand = KeyboardBrand::Varo;
        molbrix_.keyboardBrand = KeyboardBrand::Molbrix;
        varo_.selectKeyboardId();
        molbrix_.selectKeyboardId();
    }

private:
    bool writesPort() const override { return false; }

    std::optional<int> start() override {
        startWaiting("identify", "any");
        return std::nullopt;
    }

    std::optional<LinkReporter::Done> onKey(const KeyMessage& key) override {
        const bool isVaro = matchVaro_.step(key, false).completed;
        const bool isMolbrix = matchMolbrix_.step(key, false).completed;
        if (!isVaro && !isMolbrix) {
            return std::nullopt;
        }
        LinkReporter::Done d;
        d.model = modelName(isMolbrix ? KeyboardBrand::Molbrix : KeyboardBrand::Varo);
        reporter_.identified(d.model);
        return d;
    }

    std::optional<LinkReporter::Done> afterKeys() override {
        if (deadlinePassed()) {
            return timedOut("no keyboard announced itself");
        }
        return std::nullopt;
    }

    LinkReporter::Done stopped(int signal) override {
        return abortedOutcome("stopped by " + signalName(signal));
    }

    LinkSettings varo_;
    LinkSettings molbrix_;
    KeyboardIdMatcher matchVaro_{varo_};
    KeyboardIdMatcher matchMolbrix_{molbrix_};
};

} // namespace

int runIdentifyCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                       LinkEnvironment& env) {
    const auto options =
        parseLinkOptions(args, {"--port", "--json", "--timeout", "--input"}, env, err);
    if (!options || !options->operands.empty()) {
        return kBadArguments;
    }
    IdentifyCommand command(*options, env, out, err);
    return command.run();
}

} // namespace quilby
