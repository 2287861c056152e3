#include "driver/entrees_std.h"

#include "driver/entrees_analogiques.h"
#include "driver/identification.h"
#include "driver/lignes_logiques.h"
#include "driver/nead.h"
#include "driver/sortie_analogique.h"

// Each entry forwards unchanged; the three single-precision forms round the
// operation's double to the nearest float (ties to even).
extern "C" {

int32_t stdea(int32_t voie) { return ea(voie); }
const char *stdnea(int32_t voie) { return nea(voie); }
double stdead(int32_t voie) { return ead(voie); }
float stdeas(int32_t voie) { return static_cast<float>(ead(voie)); }
const char *stdnead(int32_t voie) { return nead(voie); }
int32_t stdsa(int32_t voie, int32_t valeur) { return sa(voie, valeur); }
const char *stdnsa(int32_t voie) { return nsa(voie); }
int32_t stdrsa(int32_t voie) { return rsa(voie); }
double stdsad(int32_t voie, double volts) { return sad(voie, volts); }
float stdsas(int32_t voie, float volts) { return static_cast<float>(sad(voie, static_cast<double>(volts))); }
const char *stdnsad(int32_t voie) { return nsad(voie); }
double stdrsad(int32_t voie) { return rsad(voie); }
float stdrsas(int32_t voie) { return static_cast<float>(rsad(voie)); }
int32_t stdeb(int32_t voie) { return eb(voie); }
const char *stdneb(int32_t voie) { return neb(voie); }
int32_t stdsb(int32_t voie, int32_t valeur) { return sb(voie, valeur); }
const char *stdnsb(int32_t voie) { return nsb(voie); }
int32_t stdrsb(int32_t voie) { return rsb(voie); }
const char *stdtitre(void) { return titre(); }
const char *stddetail(void) { return detail(); }

}
