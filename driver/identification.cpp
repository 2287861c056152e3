#include "driver/identification.h"

const char *titre() { return "ESAO3 (et ESAO4 ?)"; }

const char *detail()
{
    return "pilote ex\xE9" "cutable pour Jeulin ESAO3 (et ESAO4 ?), par Vantorel, le 22 janvier 2003";
}
