#pragma once

#include <QIcon>

namespace quilby {

// The twelve toolbar pictures, drawn by the program itself.
QIcon toolbarIcon(int commandId);

} // namespace quilby
