#pragma once

namespace quilby {

// Loads Qt's own Korean texts (file, print and message-box dialogs, standard
// buttons) from the system's Qt translations, so that the framework's dialogs
// speak the program's language whatever the user's locale. Returns false,
// leaving them in English, when the translations are not installed.
bool installKoreanQtTranslations();

} // namespace quilby
