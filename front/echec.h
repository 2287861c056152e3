#pragma once

#include <cstddef>
#include <cstdint>

// The one failure object of the program: raised where a fault is found, never
// caught on the way, reported once by the top of the run.
struct echec {
    const char *genre;      // kind word, "EConvertError" ...
    char message[1024];     // the text is cut at 1023 characters anyway
    std::uint32_t adresse;  // offset of the raising point in the program image
};

// Failure kinds, as the system spells them.
inline constexpr const char *genre_conversion = "EConvertError";
inline constexpr const char *genre_debordement = "EOverflow";
inline constexpr const char *genre_operation = "EInvalidOp";
inline constexpr const char *genre_privilege = "EPrivilege";
inline constexpr const char *genre_sortie = "EInOutError";
inline constexpr const char *genre_memoire = "EOutOfMemory";

inline constexpr const char *message_debordement = "D\xE9" "bordement en virgule flottante";
inline constexpr const char *message_operation = "Op\xE9ration en virgule flottante incorrecte";
inline constexpr const char *message_privilege = "Instruction privil\xE9gi\xE9" "e";
inline constexpr const char *message_memoire = "M\xE9moire insuffisante";

// Each records its caller as the failure address.
[[noreturn]] void lever(const char *genre, const char *message);
[[noreturn]] void lever_conversion(const char *texte, std::size_t longueur);
[[noreturn]] void lever_sortie(int code);
// For a fault the processor reported: the address is the faulting instruction.
[[noreturn]] void lever_a(const char *genre, const char *message, const void *adresse);

// The message of an output error code ("Disque plein", "Erreur E/S 28" ...).
void message_sortie(int code, char *tampon, std::size_t taille);

// The whole failure text without its line end, as the reporting step writes
// it; returns its length (at most 1023).
std::size_t texte_echec(const echec &e, const char *module, char *tampon);

// Offset of a code address from the start of the program image.
std::uint32_t adresse_dans_image(const void *adresse);
