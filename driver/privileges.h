#pragma once

// Drops every capability of the process (effective, permitted, inheritable,
// ambient). True when the process holds none afterwards.
bool abandonner_privileges();
