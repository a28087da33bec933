#pragma once

// A model header that reaches up into the language layer: the layer check must refuse it.
#include "base/Utf8.h"
#include "lang/ListIni.h"
