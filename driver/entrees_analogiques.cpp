#include "driver/entrees_analogiques.h"

#include "driver/ports.h"

std::uint16_t lire_convertisseur(std::int32_t voie)
{
    // Only the low 8 bits of the shifted channel reach the port: (voie & 7) * 32.
    ecrire_port(0x309, static_cast<std::uint8_t>(static_cast<std::uint32_t>(voie) << 5));
    pause_conversion();
    auto haut = static_cast<std::uint16_t>(lire_port(0x30D) & 0x03);
    auto bas = static_cast<std::uint16_t>(lire_port(0x30C));
    return static_cast<std::uint16_t>(haut * 256 + bas);
}

std::int32_t ea(std::int32_t voie) { return lire_convertisseur(voie); }

double ead(std::int32_t voie) { return lire_convertisseur(voie) / 1000.0; }

const char *nea(std::int32_t voie)
{
    switch (voie) {
    case 0: return "Connecteur A, voie 0";
    case 1: return "connecteur A, voie 1";
    case 2: return "connecteur B, voie 0";
    case 3: return "connecteur B, voie 1";
    default: return "";
    }
}

const char *nead_etiquettes(std::int32_t voie) { return nea(voie); }
