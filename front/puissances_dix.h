#pragma once

// 10^n in the 80-bit extended format: exact up to 10^27; above, a stored power
// rounded once times an exact one, so within about one unit in the last place
// of the true power; beyond the format's range, infinity.
long double puissance_dix(unsigned n);
