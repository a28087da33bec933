#pragma once

// The core's TracingDriver, by the name vornctl's pieces have always included it.
#include "session/TracingDriver.h"
