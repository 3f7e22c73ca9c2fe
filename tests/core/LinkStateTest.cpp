#include "link/LinkState.h"
#include "link/LinkTexts.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

using namespace quilby;

namespace {

// What start-up leaves in the settings.
struct Started {
    std::int32_t family = 0;
    std::int32_t ready = 0;
    int instructionsError = 0;
    int devPortError = 0;

    void into(LinkSettings& settings) const {
        settings.osFamily = family;
        settings.portReady = ready;
        settings.portGrant.granted = ready != 0;
        settings.portGrant.instructionsError = instructionsError;
        settings.portGrant.devPortError = devPortError;
    }
};

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

// The status bar and the up-front refusal agree on one decision: whether
// the port can be reached, why not, and whether a permission would cure it.
TEST(LinkState, TellsReachabilityReasonAndCure) {
    struct Case {
        const char* name;
        Started started;
        LinkBackEnd backEnd;
        const char* status;
        bool refused;
        bool cure;
    };
    const Case cases[] = {
        {"permission granted",
         {1, 1},
         LinkBackEnd::Hardware,
         "POS 키보드: 포트 준비됨",
         false,
         false},
        {"no permission",
         {1, 0, EPERM, EACCES},
         LinkBackEnd::Hardware,
         "POS 키보드: 포트 사용 불가 (포트 사용 권한 없음)",
         true,
         true},
        {"kernel without ioperm nor /dev/port",
         {1, 0, ENOSYS, ENOENT},
         LinkBackEnd::Hardware,
         "POS 키보드: 포트 사용 불가 (이 커널에서는 포트에 접근할 수 없음)",
         true,
         false},
        {"no port instructions",
         {0, 0},
         LinkBackEnd::Hardware,
         "POS 키보드: 포트 사용 불가 (이 컴퓨터에는 포트 명령이 없음)",
         true,
         false},
        {"simulated keyboard",
         {2, 0},
         LinkBackEnd::Simulated,
         "POS 키보드: 모의 키보드",
         false,
         false},
    };
    for (const Case& c : cases) {
        LinkSettings settings;
        c.started.into(settings);
        EXPECT_EQ(linkStatusText(settings, c.backEnd), c.status) << c.name;
        const auto message =
            portRefusalMessage(settings, texts::kDownloadFailedRestart, "/usr/bin/quilby");
        ASSERT_EQ(message.has_value(), c.refused) << c.name;
        if (!message) {
            continue;
        }
        // The command's own failure message comes first, then the reason.
        EXPECT_EQ(message->rfind(texts::kDownloadFailedRestart, 0), 0u) << c.name;
        EXPECT_TRUE(contains(*message, portRefusalReason(settings))) << c.name;
        EXPECT_EQ(contains(*message, "sudo setcap cap_sys_rawio+ep /usr/bin/quilby"), c.cure)
            << c.name;
    }
}

// The cure is a command to paste: a path with spaces or quotes stays one word.
TEST(LinkState, QuotesTheProgramPathOfTheCure) {
    LinkSettings settings;
    Started{1, 0, EPERM}.into(settings);
    const struct {
        const char* path;
        const char* word;
    } cases[] = {
        {"/opt/quilby-1.0/bin/quilby", "+ep /opt/quilby-1.0/bin/quilby\n"},
        {"/home/kim/POS tools/quilby", "+ep '/home/kim/POS tools/quilby'\n"},
        {"/tmp/it's/quilby", "+ep '/tmp/it'\\''s/quilby'\n"},
        {"/tmp/$(rm -rf ~)/quilby", "+ep '/tmp/$(rm -rf ~)/quilby'\n"},
    };
    for (const auto& c : cases) {
        const auto message = portRefusalMessage(settings, texts::kMcrSendFailed, c.path);
        ASSERT_TRUE(message);
        EXPECT_TRUE(contains(*message, c.word)) << c.path << "\n" << *message;
    }
}
