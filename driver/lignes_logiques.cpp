#include "driver/lignes_logiques.h"

#include <cstring>

#include "driver/carte.h"
#include "driver/code_erreur.h"
#include "driver/ports.h"

std::uint8_t etat_sorties = 0;
const std::uint8_t masques_bits[8] = {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80};

namespace {

constexpr std::uint8_t masques_lignes[4] = {0x01, 0x02, 0x10, 0x20};

// prefixe followed by n (0 to 15) in decimal, in a buffer that lives until
// the front end has written it.
const char *nom_numerote(char (&tampon)[24], const char *prefixe, std::int32_t n)
{
    std::size_t l = std::strlen(prefixe);
    std::memcpy(tampon, prefixe, l);
    if (n >= 10) tampon[l++] = static_cast<char>('0' + n / 10);
    tampon[l++] = static_cast<char>('0' + n % 10);
    tampon[l] = '\0';
    return tampon;
}

char nom_entree[24];
char nom_sortie[24];

}  // namespace

int tester_bit(std::uint16_t valeur, int bit) { return (valeur >> bit) & 1; }

void changer_bit(std::uint8_t &octet, int bit, bool allume)
{
    if (allume)
        octet = static_cast<std::uint8_t>(octet | masques_bits[bit]);
    else
        octet = static_cast<std::uint8_t>(octet & ~masques_bits[bit]);
}

void ecrire_ligne(std::uint8_t ligne, bool allume)
{
    if (ligne > 3) return;
    // Read afresh: the other lines keep what the port reports.
    auto port = static_cast<std::uint16_t>(table_ports[11]);
    std::uint8_t octet = lire_port(port);
    std::uint8_t masque = masques_lignes[ligne];
    octet = static_cast<std::uint8_t>(allume ? octet | masque : octet & ~masque);
    ecrire_port(port, octet);
}

std::int32_t eb(std::int32_t voie)
{
    auto n = static_cast<std::uint32_t>(voie);
    if (n < 8) return tester_bit(lire_port(0x304), static_cast<int>(n));
    if (n - 8 < 8) return tester_bit(lire_port(0x314), static_cast<int>(n - 8));
    return code_erreur;
}

const char *neb(std::int32_t voie)
{
    if (voie < 0 || voie > 15) return "";
    return nom_numerote(nom_entree, "entr\xE9" "e logique ", voie);
}

std::int32_t sb(std::int32_t voie, std::int32_t valeur)
{
    auto ligne = static_cast<std::uint32_t>(voie);
    if (ligne >= 4) return code_erreur;
    bool allume = valeur == 1;
    ecrire_ligne(static_cast<std::uint8_t>(ligne), allume);
    // Two's-complement arithmetic: the sum wraps.
    auto resultat = static_cast<std::int32_t>(ligne * 100u + static_cast<std::uint32_t>(valeur));
    changer_bit(etat_sorties, static_cast<int>(ligne), allume);
    return resultat;
}

std::int32_t rsb(std::int32_t voie)
{
    auto ligne = static_cast<std::uint32_t>(voie);
    if (ligne >= 4) return code_erreur;
    return tester_bit(etat_sorties, static_cast<int>(ligne));
}

const char *nsb(std::int32_t voie)
{
    if (voie < 0 || voie > 7) return "";
    return nom_numerote(nom_sortie, "sortie logique ", voie);
}
