#pragma once

// Marks a fixed text of the Qt-free core for translation. The compiler sees
// the literal; lupdate reads the marker as QT_TRANSLATE_NOOP (the build passes
// it as an alias), so the text lands in the translation files under
// `context`. The Qt layer shows such a text through trCore() with the same
// context, so the core never needs Qt to be translatable.
#define QUILBY_TEXT(context, text) text
