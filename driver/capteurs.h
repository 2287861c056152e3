#pragma once

#include <cstdint>

// The sensor names by the code a connector presents (0x314 for connector A,
// 0x315 for connector B); the table holds codes 0 to 40 only.
extern const char *const noms_capteurs[41];

// nead of travonel_ident: the sensor's name and the channel in the connector.
const char *nead_capteurs(std::int32_t voie);
