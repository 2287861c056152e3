#include "driver/capteurs.h"

#include <cstring>

#include "driver/ports.h"

const char *const noms_capteurs[41] = {
    "0", "1", "Hygrom\xE8tre", "3", "Amp\xE8rem\xE8tre", "5", "6", "7", "voltm\xE8tre",
    "chronocin\xE9", "teslam\xE8tre", "11", "luxm\xE8tre", "13", "14 ", "15",
    "millivoltm\xE8tre", "17", "thermom\xE8tre", "19", "20", "21", "22", "23", "myographe",
    "Thermo-Photo", "oxy-air", "27", "pH-m\xE8tre", "29", "oxy-liquide", "aucun", "C32", "C33",
    "C34", "C35", "C36", "C37", "C38", "C39", "C40",
};

namespace {
char nom[32];  // composed at each call, lives until the front end has written it
}

const char *nead_capteurs(std::int32_t voie)
{
    if (voie < 0 || voie > 3) return "";
    std::uint8_t code = lire_port(voie < 2 ? 0x314 : 0x315);
    std::size_t l;
    if (code < 41) {
        l = std::strlen(noms_capteurs[code]);
        std::memcpy(nom, noms_capteurs[code], l);
    } else {
        // No name for 41 to 255: "C" and the code, as the last entries go.
        l = 0;
        nom[l++] = 'C';
        if (code >= 100) nom[l++] = static_cast<char>('0' + code / 100);
        nom[l++] = static_cast<char>('0' + code / 10 % 10);
        nom[l++] = static_cast<char>('0' + code % 10);
    }
    std::memcpy(nom + l, voie % 2 == 0 ? " voie0" : " voie1", 7);
    return nom;
}
