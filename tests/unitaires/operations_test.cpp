#include <string>

#include <gtest/gtest.h>

#include "carte_test.h"
#include "driver/carte.h"
#include "driver/entrees_analogiques.h"
#include "driver/ports.h"
#include "front/echec.h"

namespace {

using Carte = CarteSimulee;

TEST_F(Carte, InitCarteDixSeptEcrituresDansLOrdre)
{
    init_carte();
    EXPECT_EQ(trace(), trace_init_carte);
    const std::uint32_t attendus[24] = {0x316, 0x314, 0x314, 0x317, 0x315, 0x315, 0x312, 0x310,
                                        0x310, 0x313, 0x311, 0x311, 0x30E, 0x30C, 0x30C, 0x30A,
                                        0x308, 0x308, 0x30F, 0x30D, 0x30D, 0x30B, 0x309, 0x309};
    for (int i = 0; i < 24; ++i) EXPECT_EQ(table_ports[i], attendus[i]) << i;
}

TEST_F(Carte, ConversionSelectionPauseDeuxLectures)
{
    repondre("30D=FE,30C=34");
    EXPECT_EQ(ea(1), 564);  // bits 2 to 7 of the high byte ignored
    EXPECT_EQ(trace(), "W 0x309 0x20\nP 1\nR 0x30D 0xFE\nR 0x30C 0x34\n");
}

TEST_F(Carte, OctetDeSelectionParVoie)
{
    struct {
        std::int32_t voie;
        const char *octet;
    } cas[] = {{0, "0x00"}, {1, "0x20"}, {2, "0x40"}, {3, "0x60"}, {4, "0x80"}, {5, "0xA0"},
               {6, "0xC0"}, {7, "0xE0"}, {8, "0x00"}, {255, "0xE0"}, {256, "0x00"}, {-1, "0xE0"},
               {-8, "0x00"}, {INT32_MIN, "0x00"}};
    for (const auto &c : cas) {
        ea(c.voie);
        EXPECT_EQ(trace().substr(0, 13), std::string("W 0x309 ") + c.octet + "\n") << c.voie;
    }
}

TEST_F(Carte, ValeurBruteEtQuotient)
{
    repondre("30D=FF,30C=FF");
    EXPECT_EQ(ea(0), 1023);
    EXPECT_EQ(ead(0), 1.023);
    repondre("0x30D=0x02,0x30c=0");
    EXPECT_EQ(ead(1), 0.512);
    repondre("");
    EXPECT_EQ(ea(3), 0);
    EXPECT_EQ(ead(3), 0.0);
}

TEST_F(Carte, NomsSansAccesAuPort)
{
    struct {
        std::int32_t voie;
        const char *nom;
    } cas[] = {{0, "Connecteur A, voie 0"}, {1, "connecteur A, voie 1"}, {2, "connecteur B, voie 0"},
               {3, "connecteur B, voie 1"}, {4, ""}, {-1, ""}, {256, ""}, {65536, ""}};
    for (const auto &c : cas) {
        EXPECT_STREQ(nea(c.voie), c.nom);
        EXPECT_STREQ(nead_etiquettes(c.voie), c.nom);
    }
    EXPECT_EQ(trace(), "");
}

TEST_F(Carte, RefusDesPortsPrivilege)
{
    repondre("refus");
    try {
        init_carte();
        FAIL();
    } catch (const echec &e) {
        EXPECT_STREQ(e.genre, "EPrivilege");
        EXPECT_STREQ(e.message, "Instruction privil\xE9gi\xE9" "e");
    }
    EXPECT_EQ(trace(), "");
}

TEST_F(Carte, ListeMalFormeeStatutDeux)
{
    for (const char *mauvaise : {"30D", "30D=", "=02", "30D=100", "30G=01", "30D=02,", "10000=1", "30D=02;30C=1"}) {
        EXPECT_EXIT(
            {
                repondre(mauvaise);
                lire_port(0x30D);
            },
            ::testing::ExitedWithCode(2), "CARTE_SIMULEE")
            << mauvaise;
    }
}

}  // namespace
