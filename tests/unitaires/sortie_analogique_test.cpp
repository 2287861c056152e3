#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "carte_test.h"
#include "driver/carte.h"
#include "driver/entrees_std.h"
#include "driver/sortie_analogique.h"
#include "front/echec.h"

namespace {

class SortieAnalogique : public CarteSimulee {
protected:
    void SetUp() override
    {
        CarteSimulee::SetUp();
        derniere_sortie = 0;
    }
};

TEST(PasCna, BitsDuFormatEtendu)
{
    unsigned char octets[sizeof(long double)] = {};
    long double p = pas_cna;
    std::memcpy(octets, &p, 10);
    std::uint64_t significande;
    std::memcpy(&significande, octets, 8);
    unsigned exposant = octets[8] | ((octets[9] & 0x7F) << 8);
    EXPECT_EQ(significande, 0xA3D70A3D70A3D70Aull);
    EXPECT_EQ(exposant, 0x3FFAu);
    EXPECT_EQ(octets[9] & 0x80, 0);
}

TEST_F(SortieAnalogique, ValeursTravaillees)
{
    struct {
        double volts;
        std::int32_t code;
        const char *octet;
        double relu;
    } cas[] = {
        {0, 0, "0x00", 0},        {0.02, 1, "0x01", 0.04},    {0.5, 12, "0x0C", 0.48},
        {1, 25, "0x19", 1},       {2.5, 62, "0x3E", 2.48},    {2.54, 64, "0x40", 2.56},
        {7.5, 188, "0xBC", 7.52}, {10.2, 255, "0xFF", 10.2},  {10.24, 256, "0x00", 10.24},
        {22, 550, "0x26", 22},    {-0.04, -1, "0xFF", -0.04}, {-1, -25, "0xE7", -1},
        {1000000000, -769803776, "0x00", -30792151.04},
    };
    for (const auto &c : cas) {
        EXPECT_EQ(sad(0, c.volts), c.volts);
        EXPECT_EQ(derniere_sortie, c.code) << c.volts;
        EXPECT_EQ(trace(), std::string("W 0x310 ") + c.octet + "\n") << c.volts;
        EXPECT_EQ(rsa(0), c.code);
        EXPECT_EQ(rsad(0), c.relu) << c.volts;
    }
}

TEST_F(SortieAnalogique, SaEtCanaux)
{
    EXPECT_EQ(sa(0, 300), 300);
    EXPECT_EQ(trace(), "W 0x310 0x2C\n");
    EXPECT_EQ(rsad(0), 12.0);
    EXPECT_EQ(sa(0, -1), -1);
    EXPECT_EQ(trace(), "W 0x310 0xFF\n");
    for (std::int32_t hors : {1, -1, 65536}) {
        EXPECT_EQ(sa(hors, 5), -777);
        EXPECT_EQ(sad(hors, 2.5), -777.0);
        EXPECT_EQ(sad(hors, 1e30), -777.0);  // not rounded off channel 0
        EXPECT_EQ(rsa(hors), -777);
        EXPECT_EQ(rsad(hors), -777.0);
        EXPECT_STREQ(nsad(hors), "");
    }
    EXPECT_EQ(trace(), "");
    EXPECT_EQ(derniere_sortie, -1);
    EXPECT_STREQ(nsa(0), "sortie analogique 0");
    EXPECT_STREQ(nsa(65536), "sortie analogique 0");
    EXPECT_STREQ(nsa(-65536), "sortie analogique 0");
    EXPECT_STREQ(nsa(65535), "");
    EXPECT_STREQ(nsa(1), "");
    EXPECT_STREQ(nsad(0), "sortie 0 (volts)");
}

TEST_F(SortieAnalogique, CodeHorsDesSoixanteQuatreBitsAvantLePort)
{
    sa(0, 7);
    trace();
    for (double volts : {4e17, 1e30, -4e17}) {
        try {
            sad(0, volts);
            ADD_FAILURE() << volts;
        } catch (const echec &e) {
            EXPECT_STREQ(e.genre, "EInvalidOp");
        }
    }
    EXPECT_EQ(trace(), "");
    EXPECT_EQ(derniere_sortie, 7);
    EXPECT_EQ(sad(0, 3.6e17), 3.6e17);  // just inside the range
}

TEST_F(SortieAnalogique, FormesSimplePrecision)
{
    EXPECT_EQ(stdsas(0, 2.54f), 2.54f);
    EXPECT_EQ(trace(), "W 0x310 0x3F\n");  // 63 from the single, 64 from the double
    EXPECT_EQ(stdsas(0, 0.02f), 0.02f);
    EXPECT_EQ(derniere_sortie, 0);
    EXPECT_EQ(static_cast<double>(stdsas(0, 0.02f)), 0.0199999995529651641845703125);
    EXPECT_EQ(stdsas(1, 2.5f), -777.0f);
    sa(0, 62);
    EXPECT_EQ(static_cast<double>(stdrsas(0)), 2.480000019073486328125);
    sa(0, 1);
    EXPECT_EQ(static_cast<double>(stdrsas(0)), 0.039999999105930328369140625);
    sa(0, 125);
    EXPECT_EQ(stdrsas(0), 5.0f);
    EXPECT_EQ(stdrsas(1), -777.0f);
}

}  // namespace
