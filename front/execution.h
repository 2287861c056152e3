#pragma once

#include <cstdint>

// One run of the program, from argv to the exit status (0 or 1). The entry
// point passes the nead that its row nead and its entry stdnead reach.
int execution(int argc, char **argv, const char *(*nead_du_programme)(std::int32_t));
