// travonel_ident: analog inputs named by the sensor plugged into their connector.

#include "driver/capteurs.h"
#include "front/execution.h"

int main(int argc, char **argv) { return execution(argc, argv, nead_capteurs); }
