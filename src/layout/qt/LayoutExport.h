#pragma once

namespace quilby {

// quilby --export-layout OUT.pdf FILE.KEY: writes the layout's pages and
// returns the exit status, without a window and without a display.
int runLayoutExport(int argc, char** argv);

} // namespace quilby
