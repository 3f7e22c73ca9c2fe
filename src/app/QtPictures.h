#pragma once

#include <QPixmap>
#include <QSize>

namespace quilby {

// The program's own pictures, drawn at the size asked for.

// The Quilby logo: a keycap with a quill-like Q.
QPixmap quilbyLogo(QSize size);

} // namespace quilby
