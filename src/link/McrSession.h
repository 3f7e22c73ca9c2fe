#pragma once

#include "document/KeyTable.h"
#include "link/EpromReport.h"
#include "link/KeyMessage.h"
#include "link/KeyboardIdMatcher.h"
#include "link/LinkPrompts.h"
#include "link/LinkSettings.h"
#include "link/McrOptionFile.h"
#include "link/PortIo.h"
#include "port/Pacer.h"

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

    // What the last key did to the exchange with the keyboard.
    enum class Exchange : std::uint8_t {
        None,           // nothing to tell
        CommandSent,    // the identification matched; the report is awaited
        CommandRefused, // the identification matched but the port is out of reach
        ReportReceived, // the report ended: version() and checksum() hold it
    };

    // A head-code option was chosen (0 No Define, 1 "ff", 2 '?', 3 ';'):
    // shown and sent, not stored.
    void selectOption(int headCodeChoice);

    // Stores the selected option in MCR.OPN and the document. A file that
    // cannot be written leaves the document and the status text as they were,
    // and its error is shown and returned.
    std::optional<McrFileError> apply();

    // The dialog's key pre-processing.
    KeyVerdict onKey(const KeyMessage& message);

    // The head-code option chosen, as selectOption takes it; -1 for none.
    int headCodeChoice() const { return headCodeChoice_; }
    // The option's status text (marked for translation in the context
    // "McrOptionFile").
    const std::string& statusText() const { return status_; }
    // Whether a report has been received (the last one is shown).
    bool hasReport() const { return hasReport_; }
    Exchange lastExchange() const { return lastExchange_; }
    const std::string& version() const { return version_; }
    const std::string& checksum() const { return checksum_; }
    bool receiving() const { return receiveState_ != 0; }
    std::uint8_t counter() const { return matcher_.counter(); }
    const EpromReportBuffer& reportBuffer() const { return report_; }
    OsFamily mode() const { return mode_; }

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
    OsFamily mode_;
    std::uint8_t receiveState_ = 0;
    EpromReportBuffer report_{};
    int headCodeChoice_ = -1;
    std::string status_;
    bool hasReport_ = false;
    Exchange lastExchange_ = Exchange::None;
    std::string version_;
    std::string checksum_;
};

} // namespace quilby
