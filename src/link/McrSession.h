#pragma once

#include "document/KeyTable.h"
#include "link/EpromReport.h"
#include "link/KeyMessage.h"
#include "link/KeyboardIdMatcher.h"
#include "link/LinkPrompts.h"
#include "link/LinkSettings.h"
#include "link/McrOptionFile.h"
#include "link/Pacer.h"
#include "link/PortIo.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quilby {

// Everything the EPROM & MCR dialog decides: the option buttons and their
// status texts, the apply to MCR.OPN, and the exchange with the keyboard
// (match its identification, send the MCR command, receive the EPROM report
// until Z or the F11 code). Runs on the user-interface thread; the command is
// sent there too, blocking it for about 300 ms.
class McrSession {
public:
    // The document's McrOption must have been loaded from MCR.OPN. Selects the
    // identification forms of the current brand, as every opening does.
    McrSession(LinkSettings& settings, KeyTableData& document, std::string folder, PortIo& port,
               Pacer& pacer, LinkPrompts& prompts);

    // An option button was clicked (radio index 0 to 3): shown, not stored.
    void selectOption(int radioIndex);

    // Stores the selected option in MCR.OPN and the document. A file that
    // cannot be written leaves the document and the status text as they were,
    // and its error is shown and returned.
    std::optional<McrFileError> apply();

    // The dialog's key pre-processing.
    KeyVerdict onKey(const KeyMessage& message);

    int radioIndex() const { return radioIndex_; }
    const std::string& statusText() const { return status_; }
    const std::string& resultText() const { return result_; }
    const std::string& version() const { return version_; }
    const std::string& checksum() const { return checksum_; }
    bool receiving() const { return receiveState_ != 0; }
    std::uint8_t counter() const { return matcher_.counter(); }
    const EpromReportBuffer& reportBuffer() const { return report_; }
    std::int32_t mode() const { return mode_; }

private:
    void showOption(int option);
    KeyVerdict receive(std::uint8_t code);

    LinkSettings& settings_;
    KeyTableData& document_;
    std::string folder_;
    PortIo& port_;
    Pacer& pacer_;
    LinkPrompts& prompts_;
    KeyboardIdMatcher matcher_;
    std::int32_t mode_;
    std::uint8_t receiveState_ = 0;
    EpromReportBuffer report_{};
    int radioIndex_ = -1;
    std::string status_;
    std::string result_;
    std::string version_;
    std::string checksum_;
};

} // namespace quilby
