#include "front/echec.h"

#include <cstring>

#include "front/decimal.h"

extern "C" char __executable_start;  // provided by the linker: first byte of the image

std::uint32_t adresse_dans_image(const void *adresse)
{
    auto a = reinterpret_cast<std::uintptr_t>(adresse);
    auto debut = reinterpret_cast<std::uintptr_t>(&__executable_start);
    return static_cast<std::uint32_t>(a - debut);
}

namespace {

[[noreturn]] void lancer(const char *genre, const char *message, std::size_t longueur,
                         const void *adresse)
{
    echec e;
    e.genre = genre;
    if (longueur > sizeof e.message - 1) longueur = sizeof e.message - 1;
    std::memcpy(e.message, message, longueur);
    e.message[longueur] = '\0';
    e.adresse = adresse_dans_image(adresse);
    throw e;
}

}  // namespace

__attribute__((noinline)) void lever(const char *genre, const char *message)
{
    lancer(genre, message, std::strlen(message), __builtin_return_address(0));
}

__attribute__((noinline)) void lever_a(const char *genre, const char *message,
                                       const void *adresse)
{
    lancer(genre, message, std::strlen(message), adresse);
}

__attribute__((noinline)) void lever_conversion(const char *texte, std::size_t longueur)
{
    // The argument is quoted as received: no placeholder is ever read in it.
    static const char suite[] = "' n'est pas une valeur en virgule flottante correcte";
    char m[sizeof echec::message];
    std::size_t n = 0;
    m[n++] = '\'';
    std::size_t place = sizeof m - 1 - n;
    std::size_t pris = longueur < place ? longueur : place;
    std::memcpy(m + n, texte, pris);
    n += pris;
    place = sizeof m - 1 - n;
    pris = sizeof suite - 1 < place ? sizeof suite - 1 : place;
    std::memcpy(m + n, suite, pris);
    n += pris;
    lancer(genre_conversion, m, n, __builtin_return_address(0));
}

__attribute__((noinline)) void lever_sortie(int code)
{
    char m[64];
    message_sortie(code, m, sizeof m);
    lancer(genre_sortie, m, std::strlen(m), __builtin_return_address(0));
}

void message_sortie(int code, char *tampon, std::size_t taille)
{
    const char *fixe = nullptr;
    switch (code) {
    case 2: fixe = "Fichier introuvable"; break;
    case 3: fixe = "Nom de fichier incorrect"; break;
    case 4: fixe = "Trop de fichiers ouverts"; break;
    case 5: fixe = "Acc\xE8s au fichier refus\xE9"; break;
    case 100: fixe = "Lecture au-del\xE0 de la fin de fichier"; break;
    case 101: fixe = "Disque plein"; break;
    case 106: fixe = "Saisie num\xE9rique incorrecte"; break;
    default: break;
    }
    if (fixe != nullptr) {
        std::strncpy(tampon, fixe, taille - 1);
        tampon[taille - 1] = '\0';
        return;
    }
    char t[40] = "Erreur E/S ";
    std::size_t n = std::strlen(t);
    n += entier_en_texte(code, t + n);
    t[n] = '\0';
    std::strncpy(tampon, t, taille - 1);
    tampon[taille - 1] = '\0';
}

std::size_t texte_echec(const echec &e, const char *module, char *tampon)
{
    // Composed in the caller's fixed 1024-byte area: reporting needs no memory.
    constexpr std::size_t limite = 1023;
    std::size_t n = 0;
    auto ajouter = [&](const char *s, std::size_t l) {
        std::size_t pris = l < limite - n ? l : limite - n;
        std::memcpy(tampon + n, s, pris);
        n += pris;
    };
    auto ajouter_texte = [&](const char *s) { ajouter(s, std::strlen(s)); };

    ajouter_texte("Exception ");
    ajouter_texte(e.genre);
    ajouter_texte(" dans le module ");
    ajouter_texte(module);
    ajouter_texte(" \xE0 ");
    char hex[8];
    for (int i = 0; i < 8; ++i) hex[i] = "0123456789ABCDEF"[(e.adresse >> (28 - 4 * i)) & 0xF];
    ajouter(hex, 8);
    ajouter_texte(".\n");
    std::size_t l = std::strlen(e.message);
    ajouter(e.message, l);
    if (l > 0 && e.message[l - 1] != '.') ajouter_texte(".");
    tampon[n] = '\0';
    return n;
}
