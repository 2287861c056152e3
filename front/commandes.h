#pragma once

// The run's two numeric arguments, 11.0 and 22.0 unless given.
extern double premier_argument;
extern double second_argument;
extern char separateur_decimal;

// The command word's row, tested in table order: prepares the row's
// arguments, calls its operation and writes the result (without the line
// end). False when no row matches: nothing is written.
bool executer_commande(const char *mot, unsigned long longueur);
