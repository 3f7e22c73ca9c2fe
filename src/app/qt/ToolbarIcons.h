#pragma once

#include "app/CommandTable.h"

#include <QIcon>

namespace quilby {

// The twelve toolbar pictures, drawn by the program itself.
QIcon toolbarIcon(Command command);

} // namespace quilby
