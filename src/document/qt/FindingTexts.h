#pragma once

#include "document/FileIo.h"
#include "document/KeyFileFinding.h"
#include "document/OpenWarning.h"

#include <QCoreApplication>
#include <QString>

namespace quilby {

// The windows' words for what the document core reports as typed values:
// the reader's findings, the warning after opening a suspicious file and the
// file errors. Korean is the source text; a translation needs no code change.
class FindingTexts {
    Q_DECLARE_TR_FUNCTIONS(FindingTexts)

public:
    // One finding, without its line number.
    static QString finding(const KeyFileFinding& finding);

    // The message box after opening a suspicious file: the file (as the
    // window shows paths), the findings and what to do.
    static QString openWarning(const OpenWarning& warning);

    // The findings of a warning, one "- " line each, for the questions that
    // name them.
    static QString findingLines(const OpenWarning& warning);

    // The question before saving over the damaged file a table came from.
    static QString saveOverFindings(const OpenWarning& warning);

    // The question before downloading a table read from a damaged file.
    static QString downloadWithFindings(const OpenWarning& warning);

    // The message box of a failed read or save: the file and why.
    static QString fileError(const FileError& error);

    // Why an errno value made a file step fail.
    static QString fileErrorReason(int code);
};

} // namespace quilby
