// travonel: analog inputs named by connector and channel.

#include "driver/entrees_analogiques.h"
#include "front/execution.h"

int main(int argc, char **argv) { return execution(argc, argv, nead_etiquettes); }
