#include "exchange/EntryScripts.h"

#include "editing/KeyScript.h"
#include "exchange/TableTypist.h"

#include <algorithm>
#include <set>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <variant>

namespace quilby {

namespace {

using EntryKey = std::tuple<std::uint8_t, std::uint16_t, std::string>;

EntryKey keyOf(const KeyEntry& entry) {
    return {entry.code, entry.word, entry.label};
}

// An entry as the lookups see it, without copying its label.
struct EntryView {
    std::uint8_t code;
    std::uint16_t word;
    std::string_view label;

    bool operator==(const EntryView&) const = default;
};

EntryView viewOf(const KeyEntry& entry) {
    return {entry.code, entry.word, entry.label};
}

struct EntryViewHash {
    std::size_t operator()(const EntryView& entry) const {
        return std::hash<std::string_view>()(entry.label) ^
               (static_cast<std::size_t>(entry.code) << 16 | entry.word) * 0x9E3779B97F4A7C15u;
    }
};

// The entries `script` makes on its own; empty when the editor refuses any
// of it, or it leaves a modifier waiting.
std::vector<KeyEntry> typedEntries(const std::string& script) {
    const auto steps = parseKeyScript(script);
    TableTypist typist;
    for (const KeyScriptStep& step : std::get<std::vector<KeyScriptStep>>(steps)) {
        if (typist.play(step)) {
            return {};
        }
    }
    if (typist.modifierPending()) {
        return {};
    }
    const KeyTableData table = typist.table();
    std::vector<KeyEntry> entries;
    for (int e = 0; e < table.usedEntries(0); ++e) {
        entries.push_back(table.entryAt(0, e));
    }
    return entries;
}

struct ScriptIndex {
    std::vector<EntryScript> scripts;
    // By first entry: the scripts starting with it, most entries first. The
    // views point into `scripts`, which no longer changes once they exist.
    std::unordered_map<EntryView, std::vector<std::size_t>, EntryViewHash> byFirstEntry;
};

const ScriptIndex& scriptIndex() {
    static const ScriptIndex index = [] {
        // The locks change what later keys mean; only the keypad's NumLock
        // forms toggle one, and toggle it back.
        static constexpr std::string_view kSkipped[] = {"caps", "num", "scroll"};
        static constexpr std::string_view kForms[] = {"%", "+shift % -shift", "+ctrl % -ctrl",
                                                      "alt %", "+ctrl +shift % -shift -ctrl"};
        ScriptIndex built;
        std::set<std::vector<EntryKey>> made;
        for (const std::string_view name : keyScriptNames()) {
            if (std::find(std::begin(kSkipped), std::end(kSkipped), name) != std::end(kSkipped)) {
                continue;
            }
            const bool keypad = name.starts_with("kp");
            for (const std::string_view form : kForms) {
                for (const bool numLock : {false, true}) {
                    if (numLock && !keypad) {
                        continue;
                    }
                    std::string script(form);
                    script.replace(script.find('%'), 1, name);
                    if (numLock) {
                        script = "num " + script + " num";
                    }
                    std::vector<KeyEntry> entries = typedEntries(script);
                    std::vector<EntryKey> keys;
                    for (const KeyEntry& entry : entries) {
                        keys.push_back(keyOf(entry));
                    }
                    if (entries.empty() || made.count(keys)) {
                        continue;
                    }
                    made.insert(std::move(keys));
                    built.scripts.push_back({std::move(script), std::move(entries)});
                }
            }
        }
        for (std::size_t i = 0; i < built.scripts.size(); ++i) {
            built.byFirstEntry[viewOf(built.scripts[i].entries.front())].push_back(i);
        }
        for (auto& [first, list] : built.byFirstEntry) {
            std::stable_sort(list.begin(), list.end(), [&](std::size_t a, std::size_t b) {
                return built.scripts[a].entries.size() > built.scripts[b].entries.size();
            });
        }
        return built;
    }();
    return index;
}

} // namespace

const std::vector<EntryScript>& entryScripts() {
    return scriptIndex().scripts;
}

const EntryScript* scriptTyping(const KeyDefinition& def, int from, int count) {
    const ScriptIndex& index = scriptIndex();
    const auto at = [&](int e) {
        const auto i = static_cast<std::size_t>(e);
        return EntryView{def.codes[i], def.words[i], def.labels[i]};
    };
    const auto found = index.byFirstEntry.find(at(from));
    if (found == index.byFirstEntry.end()) {
        return nullptr;
    }
    for (const std::size_t i : found->second) {
        const EntryScript& candidate = index.scripts[i];
        const int n = static_cast<int>(candidate.entries.size());
        if (from + n > count) {
            continue;
        }
        bool same = true;
        for (int e = 1; e < n && same; ++e) {
            same = viewOf(candidate.entries[static_cast<std::size_t>(e)]) == at(from + e);
        }
        if (same) {
            return &candidate;
        }
    }
    return nullptr;
}

} // namespace quilby
