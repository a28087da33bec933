#pragma once

// The core's SupportLog, by the name vornctl's pieces have always included it.
#include "files/SupportLog.h"
