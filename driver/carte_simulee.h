#pragma once

// The simulated card, a test double for the port layer. It reads two
// environment variables at its first access:
//   CARTE_SIMULEE        PORT=VALUE items in hexadecimal, comma-separated
//                        ("30D=02,30C=00"), or "refus": every access refused;
//   CARTE_SIMULEE_TRACE  a file to which each access and pause is appended.
// A malformed CARTE_SIMULEE ends the process with a message on standard error
// and status 2.

// For in-process tests: read both variables again at the next access.
void carte_simulee_oublier();
