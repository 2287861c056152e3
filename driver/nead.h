#pragma once

#include <cstdint>

// The nead of the running program: fixed labels in travonel, sensor names in
// travonel_ident. Its entry point chooses; the row nead and the entry stdnead
// both go through here.
extern const char *(*nead)(std::int32_t voie);
