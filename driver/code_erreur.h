#pragma once

#include <cstdint>

// The answer to a channel outside an operation's range: an ordinary result.
inline constexpr std::int32_t code_erreur = -777;
inline constexpr double code_erreur_reel = -777.0;
