/* The foreign-call entries: one per operation, plain C functions with the
   platform's C calling convention, for callers written in any language.
   Only 32-bit integers, doubles, floats and pointers to zero-terminated
   text cross them. Usable from C and C++. */
#ifndef TRAVONEL_ENTREES_STD_H
#define TRAVONEL_ENTREES_STD_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

int32_t stdea(int32_t voie);
const char *stdnea(int32_t voie);
double stdead(int32_t voie);
float stdeas(int32_t voie);
const char *stdnead(int32_t voie);
int32_t stdsa(int32_t voie, int32_t valeur);
const char *stdnsa(int32_t voie);
int32_t stdrsa(int32_t voie);
double stdsad(int32_t voie, double volts);
float stdsas(int32_t voie, float volts);
const char *stdnsad(int32_t voie);
double stdrsad(int32_t voie);
float stdrsas(int32_t voie);
int32_t stdeb(int32_t voie);
const char *stdneb(int32_t voie);
int32_t stdsb(int32_t voie, int32_t valeur);
const char *stdnsb(int32_t voie);
int32_t stdrsb(int32_t voie);
const char *stdtitre(void);
const char *stddetail(void);

#ifdef __cplusplus
}
#endif

#endif
