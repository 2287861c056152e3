#include <string>

#include <gtest/gtest.h>

#include "carte_test.h"
#include "driver/capteurs.h"
#include "driver/carte.h"
#include "driver/lignes_logiques.h"

namespace {

class Lignes : public CarteSimulee {
protected:
    void SetUp() override
    {
        CarteSimulee::SetUp();
        init_carte();
        trace();
        etat_sorties = 0;
    }
};

TEST_F(Lignes, EntreesParPortEtBit)
{
    repondre("304=80,314=81");
    struct {
        std::int32_t voie;
        std::int32_t attendu;
        const char *lecture;
    } cas[] = {
        {7, 1, "R 0x304 0x80\n"}, {6, 0, "R 0x304 0x80\n"}, {0, 0, "R 0x304 0x80\n"},
        {8, 1, "R 0x314 0x81\n"}, {15, 1, "R 0x314 0x81\n"}, {11, 0, "R 0x314 0x81\n"},
        {16, -777, ""},          {-1, -777, ""},           {INT32_MIN, -777, ""},
    };
    for (const auto &c : cas) {
        EXPECT_EQ(eb(c.voie), c.attendu) << c.voie;
        EXPECT_EQ(trace(), c.lecture) << c.voie;
    }
}

TEST_F(Lignes, SbRelitLePortEtNeChangeQueSaLigne)
{
    repondre("311=CD");
    EXPECT_EQ(sb(1, 1), 101);
    EXPECT_EQ(trace(), "R 0x311 0xCD\nW 0x311 0xCF\n");
    EXPECT_EQ(rsb(1), 1);
    EXPECT_EQ(sb(2, 1), 201);
    EXPECT_EQ(trace(), "R 0x311 0xCD\nW 0x311 0xDD\n");  // port mask 0x10 ...
    EXPECT_EQ(etat_sorties, 0x06);                         // ... state bit 0x04
    EXPECT_EQ(sb(0, 0), 0);
    EXPECT_EQ(trace(), "R 0x311 0xCD\nW 0x311 0xCC\n");
    repondre("311=FF");
    EXPECT_EQ(sb(3, 2), 302);  // any value but 1 is off
    EXPECT_EQ(trace(), "R 0x311 0xFF\nW 0x311 0xDF\n");
    EXPECT_EQ(sb(3, 2147483647), -2147483349);  // the sum wraps
    EXPECT_EQ(sb(0, -1), -1);
    trace();
    for (std::int32_t hors : {4, -1, 65536}) {
        EXPECT_EQ(sb(hors, 1), -777);
        EXPECT_EQ(rsb(hors), -777);
    }
    EXPECT_EQ(trace(), "");
    EXPECT_EQ(etat_sorties, 0x06);
    EXPECT_EQ(rsb(0), 0);
    EXPECT_EQ(rsb(1), 1);
    EXPECT_EQ(rsb(2), 1);
    EXPECT_EQ(rsb(3), 0);
}

TEST_F(Lignes, Noms)
{
    EXPECT_STREQ(neb(0), "entr\xE9" "e logique 0");
    EXPECT_STREQ(neb(15), "entr\xE9" "e logique 15");
    EXPECT_STREQ(neb(11), "entr\xE9" "e logique 11");
    EXPECT_STREQ(neb(16), "");
    EXPECT_STREQ(neb(-1), "");
    EXPECT_STREQ(nsb(0), "sortie logique 0");
    EXPECT_STREQ(nsb(7), "sortie logique 7");
    EXPECT_STREQ(nsb(8), "");
    EXPECT_STREQ(nsb(-1), "");
    EXPECT_EQ(trace(), "");
}

TEST(Bits, TesterEtChanger)
{
    EXPECT_EQ(tester_bit(0x80, 7), 1);
    EXPECT_EQ(tester_bit(0x80, 6), 0);
    std::uint8_t o = 0;
    changer_bit(o, 3, true);
    EXPECT_EQ(o, 0x08);
    changer_bit(o, 3, false);
    EXPECT_EQ(o, 0x00);
}

TEST_F(Lignes, CapteursParConnecteur)
{
    struct {
        const char *carte;
        std::int32_t voie;
        const char *nom;
        const char *lecture;
    } cas[] = {
        {"314=08", 0, "voltm\xE8tre voie0", "R 0x314 0x08\n"},
        {"315=1F", 3, "aucun voie1", "R 0x315 0x1F\n"},
        {"314=0E", 1, "14  voie1", "R 0x314 0x0E\n"},
        {"315=28", 2, "C40 voie0", "R 0x315 0x28\n"},
        {"314=00", 0, "0 voie0", "R 0x314 0x00\n"},
        {"314=29", 0, "C41 voie0", "R 0x314 0x29\n"},
        {"314=FF", 1, "C255 voie1", "R 0x314 0xFF\n"},
        {"315=C8", 2, "C200 voie0", "R 0x315 0xC8\n"},
        {"314=09", 4, "", ""},
        {"314=09", -1, "", ""},
        {"314=09", 256, "", ""},
    };
    for (const auto &c : cas) {
        repondre(c.carte);
        EXPECT_STREQ(nead_capteurs(c.voie), c.nom) << c.carte;
        EXPECT_EQ(trace(), c.lecture) << c.carte;
    }
    EXPECT_EQ(std::string(noms_capteurs[2]), "Hygrom\xE8tre");
    EXPECT_EQ(std::string(noms_capteurs[9]), "chronocin\xE9");
    for (const char *nom : noms_capteurs) EXPECT_NE(nom[0], '\0');
}

}  // namespace
