#pragma once

// The core's BackupStore, by the name vornctl's pieces have always included it.
#include "files/BackupStore.h"
