#pragma once

#include "editing/EntryClipboard.h"

#include <QString>

namespace quilby {

// Why a paste was refused, in the program's language: the core's sentences
// translated, the line and the word filled in.
QString clipboardErrorText(const ClipboardError& error);

} // namespace quilby
