#include "core/last_error.h"

std::string last_error = "NO_ERROR";
