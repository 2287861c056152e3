#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "front/arguments.h"
#include "front/arrondi.h"
#include "front/echec.h"
#include "front/puissances_dix.h"

namespace {

struct cas_nombre {
    const char *texte;
    bool accepte;
    long double valeur;
};

bool lire(const std::string &t, char sep, long double &v) { return lire_nombre(t.data(), t.size(), sep, v); }

TEST(SyntaxeNombre, ExemplesAvecPoint)
{
    const cas_nombre cas[] = {
        {"5", true, 5},      {"-2.5", true, -2.5}, {"+1E+3", true, 1000}, {"5.", true, 5},
        {".5", true, 0.5},   {".", true, 0},       {"5E", true, 5},       {"5e+", true, 5},
        {"1E-400", true, 1 / puissance_dix(400)}, {"1E400", true, puissance_dix(400)}, {" 3 ", true, 3}, {"  -0.25e1  ", true, -2.5},
        {"1E4999", false, 0}, {"1E5000", false, 0}, {"", false, 0},     {"+", false, 0},
        {"-", false, 0},     {"E5", false, 0},     {"2,5", false, 0},     {"1.5.2", false, 0},
        {"0x10", false, 0},  {"1 000", false, 0},  {"3\t", false, 0},     {"\t3", false, 0},
        {"INF", false, 0},   {"nan", false, 0},    {"1e5x", false, 0},    {"--1", false, 0},
        {"1e+-2", false, 0}, {"12x", false, 0},
    };
    for (const auto &c : cas) {
        long double v = -1;
        bool ok = lire(c.texte, '.', v);
        EXPECT_EQ(ok, c.accepte) << '"' << c.texte << '"';
        if (ok && c.accepte) {
            EXPECT_EQ(v, c.valeur) << '"' << c.texte;
        }
    }
}

TEST(SyntaxeNombre, LeSeparateurEstCeluiDeLaLocale)
{
    long double v;
    ASSERT_TRUE(lire("2,5", ',', v));
    EXPECT_EQ(v, 2.5L);
    EXPECT_FALSE(lire("2.5", ',', v));
    EXPECT_TRUE(lire(",", ',', v));
    EXPECT_EQ(v, 0.0L);
}

TEST(SyntaxeNombre, ExposantLuJusquaCinqCents)
{
    long double v;
    // 4999 is read whole (then beyond the 80-bit range); 5000 leaves a digit unread.
    EXPECT_TRUE(lire("0.1E4933", '.', v));
    EXPECT_TRUE(lire("0E4999", '.', v));
    EXPECT_EQ(v, 0.0L);
    EXPECT_FALSE(lire("0E5000", '.', v));
    EXPECT_TRUE(lire("1E00000000004", '.', v));  // leading zeros aside
    EXPECT_EQ(v, 10000.0L);
    EXPECT_TRUE(lire("1E-4999", '.', v));
    EXPECT_EQ(v, 0.0L);
    EXPECT_TRUE(lire("1E4932", '.', v));
    EXPECT_TRUE(std::isfinite(v));
    EXPECT_FALSE(lire("1E4933", '.', v));
}

TEST(SyntaxeNombre, ValeurConstruiteEnPrecisionEtendue)
{
    long double v;
    // The digits form one integer, then one division by an exact power.
    ASSERT_TRUE(lire("0.512", '.', v));
    EXPECT_EQ(v, 512.0L / 1000.0L);
    ASSERT_TRUE(lire("12345678901234567890", '.', v));  // below 2^64: exact
    EXPECT_EQ(v, 12345678901234567890.0L);
    // 20 digits: each step rounded to the 64-bit significand.
    long double attendu = 0;
    for (char c : std::string("98765432109876543219")) {
        attendu = attendu * 10.0L;
        attendu = attendu + (c - '0');
    }
    ASSERT_TRUE(lire("98765432109876543219", '.', v));
    EXPECT_EQ(v, attendu);
    // A long text of 4096 digits stays within the 80-bit range.
    ASSERT_TRUE(lire("1" + std::string(4095, '0') + "E-4000", '.', v));
    EXPECT_NEAR(static_cast<double>(v), 1e95, 1e80);
}

TEST(ArgumentNumerique, EchecsQuiCitentLeTexte)
{
    auto argument = [](const char *t) { return argument_numerique({t, std::strlen(t)}, '.'); };
    EXPECT_EQ(argument("-2.5"), -2.5);
    EXPECT_EQ(argument("1E-400"), 0.0);
    EXPECT_EQ(argument("1e-310"), 1e-310);  // subnormal, no failure
    try {
        argument(" 1 2 ");
        FAIL();
    } catch (const echec &e) {
        EXPECT_STREQ(e.genre, "EConvertError");
        EXPECT_STREQ(e.message, "' 1 2 ' n'est pas une valeur en virgule flottante correcte");
    }
    try {
        argument("1e400");
        FAIL();
    } catch (const echec &e) {
        EXPECT_STREQ(e.genre, "EOverflow");
        EXPECT_STREQ(e.message, "D\xE9" "bordement en virgule flottante");
    }
    // The largest double and what rounds to it do not overflow.
    EXPECT_EQ(argument("1.7976931348623158e308"), 1.7976931348623157e308);
    EXPECT_THROW(argument("1.7976931348623159e308"), echec);
}

TEST(Arrondi, EntierLePlusProcheDemiAuPair)
{
    struct {
        double x;
        std::int32_t attendu;
    } cas[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-0.5, 0}, {-1.5, -2}, {0.49999999999999994, 0},
        {4294967296.0, 0}, {4294967295.0, -1}, {2147483648.0, -2147483648}, {4294967307.0, 11},
        {-9223372036854775808.0, 0}, {9223372036854774784.0, -1024},
    };
    for (const auto &c : cas) EXPECT_EQ(arrondir_32(c.x), c.attendu) << c.x;
}

TEST(Arrondi, HorsDesSoixanteQuatreBitsOperationIncorrecte)
{
    for (double x : {9223372036854775808.0, 1e19, -9223372036854777856.0, HUGE_VAL, static_cast<double>(NAN)}) {
        try {
            arrondir_32(x);
            ADD_FAILURE() << x;
        } catch (const echec &e) {
            EXPECT_STREQ(e.genre, "EInvalidOp");
            EXPECT_STREQ(e.message, "Op\xE9ration en virgule flottante incorrecte");
        }
    }
}

TEST(Arrondi, SimplePrecision)
{
    EXPECT_EQ(en_simple(1.1), 1.1f);
    EXPECT_EQ(en_simple(3.4028235677973362e38), 3.40282346638528859811704183484516925440e+38f);
    EXPECT_THROW(en_simple(3.4028235677973366e38), echec);  // 2^128 - 2^103
    EXPECT_THROW(en_simple(-1e39), echec);
    EXPECT_EQ(en_simple(1e-50), 0.0f);
}

TEST(Parametres, VidesSautesEtLongsCoupes)
{
    std::string long_(4096 * 2 + 5, 'x');
    std::vector<std::string> a = {"prog", "", "ea", "", "3", long_};
    std::vector<char *> argv;
    for (auto &s : a) argv.push_back(s.data());
    parametre p[3];
    ASSERT_EQ(decouper_parametres(static_cast<int>(argv.size()), argv.data(), p), 3);
    EXPECT_EQ(std::string(p[0].texte, p[0].longueur), "ea");
    EXPECT_EQ(std::string(p[1].texte, p[1].longueur), "3");
    EXPECT_EQ(p[2].longueur, 4096u);

    std::vector<std::string> b = {"prog", long_};
    argv.clear();
    for (auto &s : b) argv.push_back(s.data());
    ASSERT_EQ(decouper_parametres(2, argv.data(), p), 3);
    EXPECT_EQ(p[0].longueur, 4096u);
    EXPECT_EQ(p[1].longueur, 4096u);
    EXPECT_EQ(p[2].longueur, 5u);
    EXPECT_EQ(p[2].texte, argv[1] + 8192);
}

}  // namespace
