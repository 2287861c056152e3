#include <gtest/gtest.h>

#include "carte_test.h"
#include "driver/entrees_std.h"

extern "C" int entrees_appelables_depuis_c(void);

namespace {

using EntreesStd = CarteSimulee;

TEST_F(EntreesStd, AppelablesDepuisC) { EXPECT_EQ(entrees_appelables_depuis_c(), 0); }

TEST_F(EntreesStd, EadEnSimplePrecision)
{
    repondre("30D=02,30C=00");
    EXPECT_EQ(static_cast<double>(stdeas(1)), 0.512000024318695068359375);
    repondre("30C=01");
    EXPECT_EQ(static_cast<double>(stdeas(1)), 0.001000000047497451305389404296875);
    repondre("30D=03,30C=E8");
    EXPECT_EQ(stdeas(1), 1.0f);
}

}  // namespace
