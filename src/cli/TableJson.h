#pragma once

// The table's JSON lives in the core, which the exported table form shares.
#include "exchange/TableJson.h"
