#pragma once

#include "document/KeyTable.h"

#include <string>
#include <vector>

namespace quilby {

// A key script and the entries typing it into the key editor makes.
struct EntryScript {
    std::string script;
    std::vector<KeyEntry> entries;
};

// Every script of one key, alone or with Shift, Ctrl, Alt or Ctrl+Shift
// (the keypad also with NumLock on), that the key editor takes and that
// leaves no modifier waiting, each making entries no earlier script makes.
// Found once by typing each into an editor, so they mean what typing does.
const std::vector<EntryScript>& entryScripts();

// The script that types the most of the entries `from` .. `count` - 1 of
// `def` in one go; nullptr when entry `from` is one typing cannot make.
const EntryScript* scriptTyping(const KeyDefinition& def, int from, int count);

} // namespace quilby
