#pragma once

namespace quilby {

// Maps the faces the program's texts were designed for ("굴림", "새굴림") to
// an installed Korean face and makes it the application's font, so Korean
// renders the same on every machine.
void installKoreanFonts();

} // namespace quilby
