#pragma once

#include <string>

// The one channel through which a failing stage explains its failure to main:
// "NO_ERROR" until a stage replaces it with its message.
extern std::string last_error;
