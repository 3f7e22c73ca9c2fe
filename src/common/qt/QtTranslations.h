#pragma once

#include "common/ProgramLanguage.h"

#include <QString>

namespace quilby {

// Loads Qt's own Korean texts (file, print and message-box dialogs, standard
// buttons) from the system's Qt translations, so that the framework's dialogs
// speak the program's language whatever the user's locale. Returns false,
// leaving them in English, when the translations are not installed.
bool installKoreanQtTranslations();

// Makes the windows speak `language`: Korean is the source text plus Qt's
// Korean texts; English loads the program's English translation (Qt's own
// texts are English already). Call before any window exists: windows read
// their texts once. Returns false when a translation was not found.
bool installProgramTranslations(Language language);

// The language the program is running in (Korean until an English
// translation was installed).
Language runningLanguage();

// `source` (a Korean text of `context`) in `language`, whichever language is
// running: for a message that must already speak the newly chosen language.
QString textIn(Language language, const char* context, const char* source);

} // namespace quilby
