#pragma once

#include <cstdint>

// The analog inputs: one 10-bit conversion per call, channel in the select
// byte's bits 5 to 7.
std::uint16_t lire_convertisseur(std::int32_t voie);
std::int32_t ea(std::int32_t voie);
double ead(std::int32_t voie);
const char *nea(std::int32_t voie);
// nead of travonel: the same fixed labels as nea.
const char *nead_etiquettes(std::int32_t voie);
