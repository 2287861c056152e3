#pragma once

#include <string>

// The text of a real result, computed independently of the program: exact
// integer arithmetic that rounds to the 64-bit significand at the same steps
// as the 80-bit computation, so that every digit can be compared.
std::string reference_reel(double x, char separateur);
