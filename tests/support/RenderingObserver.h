#pragma once

#include "editing/KeyEditor.h"

#include <map>
#include <string>
#include <vector>

namespace quilby::testing {

// Renders what a KeyEditor reports into its own copy of the entry lists, the
// caption, the focus and the beeps, the way a dialog would; a test compares
// it with the model, so a change that is made but not reported shows up.
class RenderingObserver : public KeyEditorObserver {
public:
    void entryListItemAppended(EntryList list, const std::string& text) override {
        lists[list].push_back(text);
    }
    void entryListItemRemoved(EntryList list, int index) override {
        auto& items = lists[list];
        if (index < 0 || index >= static_cast<int>(items.size())) {
            badRemovals++;
            return;
        }
        items.erase(items.begin() + index);
    }
    void captionChanged(std::string_view text) override { caption = std::string(text); }
    void focusGiven(int place, bool markedDefault) override {
        focus = place;
        if (markedDefault) {
            defaultButton = place;
        }
    }
    void buttonMarkedPlain(int place) override {
        if (defaultButton == place) {
            defaultButton = -1;
        }
    }
    void beep() override { beeps++; }

    bool showsSameAs(const KeyEditor& editor) const {
        for (const EntryList list : kEntryLists) {
            const auto it = lists.find(list);
            const std::vector<std::string> mine =
                it == lists.end() ? std::vector<std::string>{} : it->second;
            if (mine != editor.entryList(list)) {
                return false;
            }
        }
        return caption == editor.caption() && focus == editor.currentPlace();
    }

    std::map<EntryList, std::vector<std::string>> lists;
    std::string caption;
    int focus = -1;
    int defaultButton = -1;
    int beeps = 0;
    int badRemovals = 0;
};

} // namespace quilby::testing
