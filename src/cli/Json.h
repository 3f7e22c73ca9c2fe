#pragma once

// The JSON writer lives in the core, which the exported table form shares.
#include "exchange/JsonText.h"
