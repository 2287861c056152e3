#include "driver/nead.h"

#include "driver/entrees_analogiques.h"

const char *(*nead)(std::int32_t voie) = nead_etiquettes;
