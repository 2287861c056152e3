#pragma once

#include <cstdint>

// The card's port numbers in eight groups of three (control, direction,
// data); zero until init_carte fills it.
extern std::uint32_t table_ports[24];

// Fills table_ports, then configures the port groups: seventeen writes.
void init_carte();
