#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "front/echec.h"

namespace {

echec attraper(void (*f)())
{
    try {
        f();
    } catch (const echec &e) {
        return e;
    }
    ADD_FAILURE() << "no failure raised";
    return {};
}

std::string texte(const echec &e, const char *module = "travonel")
{
    char t[1024];
    std::size_t n = texte_echec(e, module, t);
    EXPECT_EQ(n, std::strlen(t));
    return std::string(t, n);
}

TEST(TexteEchec, DeuxLignesAdresseEnHuitChiffres)
{
    echec e = attraper([] { lever_conversion("abc", 3); });
    e.adresse = 0x2AB0F;
    EXPECT_EQ(texte(e), "Exception EConvertError dans le module travonel \xE0 0002AB0F.\n"
                        "'abc' n'est pas une valeur en virgule flottante correcte.");
    e.adresse = 0xFEDCBA98;
    EXPECT_EQ(texte(e, "travonel_ident").substr(0, 67),
              "Exception EConvertError dans le module travonel_ident \xE0 FEDCBA98.\n'");
}

extern "C" char etext;  // end of the program's code, from the linker

TEST(TexteEchec, AdresseDansLeCodeDuProgramme)
{
    echec e = attraper([] { lever(genre_operation, message_operation); });
    // The raising call lies in this test's own code, between the image start
    // and the end of the code.
    EXPECT_GT(e.adresse, 0u);
    EXPECT_LT(e.adresse, adresse_dans_image(&etext));
}

TEST(TexteEchec, PourcentGardeEtCoupeA1023)
{
    echec e = attraper([] { lever_conversion("%s%d%%", 6); });
    EXPECT_NE(texte(e).find("'%s%d%%' n'est pas"), std::string::npos);

    std::string long_(1000, 'z');
    static std::string arg;
    arg = long_;
    e = attraper([] { lever_conversion(arg.data(), arg.size()); });
    std::string t = texte(e);
    EXPECT_EQ(t.size(), 1023u);
    EXPECT_EQ(t.back(), 'z');  // the end of the message and the full stop are cut
}

TEST(TexteEchec, PointFinalAjouteUneFois)
{
    echec e{genre_privilege, "deja un point.", 0};
    EXPECT_EQ(texte(e).substr(texte(e).find('\n') + 1), "deja un point.");
    echec vide{genre_privilege, "", 0};
    EXPECT_EQ(texte(vide).back(), '\n');
    for (const char *m : {message_debordement, message_operation, message_privilege, message_memoire}) {
        echec f{genre_memoire, {}, 0};
        std::strcpy(f.message, m);
        std::string t = texte(f);
        EXPECT_EQ(t.substr(t.size() - 1), ".");
        EXPECT_NE(t[t.size() - 2], '.');
    }
}

TEST(MessageSortie, ParCode)
{
    struct {
        int code;
        const char *message;
    } cas[] = {
        {2, "Fichier introuvable"},
        {3, "Nom de fichier incorrect"},
        {4, "Trop de fichiers ouverts"},
        {5, "Acc\xE8s au fichier refus\xE9"},
        {100, "Lecture au-del\xE0 de la fin de fichier"},
        {101, "Disque plein"},
        {106, "Saisie num\xE9rique incorrecte"},
        {28, "Erreur E/S 28"},
        {32, "Erreur E/S 32"},
        {103, "Erreur E/S 103"},
        {-7, "Erreur E/S -7"},
    };
    for (const auto &c : cas) {
        char m[64];
        message_sortie(c.code, m, sizeof m);
        EXPECT_STREQ(m, c.message) << c.code;
    }
    echec e = attraper([] { lever_sortie(28); });
    EXPECT_STREQ(e.genre, "EInOutError");
    EXPECT_STREQ(e.message, "Erreur E/S 28");
}

}  // namespace
