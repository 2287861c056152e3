/* Compiled as C: the entries are callable from C with their declared
   signatures, and each reaches its operation. */
#include <string.h>

#include "driver/entrees_std.h"

int entrees_appelables_depuis_c(void)
{
    int32_t (*entier)(int32_t) = stdrsa;
    int32_t (*deux)(int32_t, int32_t) = stdsa;
    double (*reel)(int32_t, double) = stdsad;
    float (*simple)(int32_t, float) = stdsas;
    float (*relu)(int32_t) = stdrsas;
    const char *(*texte)(void) = stdtitre;
    const char *(*nom)(int32_t) = stdnsad;
    int fautes = 0;
    if (deux(0, 300) != 300) ++fautes;
    if (entier(0) != 300) ++fautes;
    if (reel(1, 2.5) != -777.0) ++fautes;
    if (simple(0, 2.5f) != 2.5f) ++fautes;
    if (relu(0) != 2.48f) ++fautes;
    if (strcmp(texte(), "ESAO3 (et ESAO4 ?)") != 0) ++fautes;
    if (strcmp(nom(0), "sortie 0 (volts)") != 0) ++fautes;
    if (strcmp(stddetail(), "pilote ex\xE9" "cutable pour Jeulin ESAO3 (et ESAO4 ?), par Vantorel, le 22 janvier 2003") != 0)
        ++fautes;
    if (stdeb(16) != -777 || stdrsb(4) != -777 || strcmp(stdnsb(7), "sortie logique 7") != 0) ++fautes;
    return fautes;
}
