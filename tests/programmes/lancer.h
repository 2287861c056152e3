#pragma once

#include <string>
#include <vector>

// What a run of a program shows its caller.
struct issue {
    std::string sortie;  // stdout bytes
    std::string erreurs; // stderr bytes
    int statut = -1;     // exit status, or 128 + signal
};

enum class sortie_vers { tube, dev_full, fermee, tube_sans_lecteur, fichier };

struct lancement {
    std::string programme;
    std::vector<std::string> arguments;
    std::vector<std::string> environnement;  // NAME=VALUE, added to a minimal one
    sortie_vers sortie = sortie_vers::tube;
    std::vector<std::string> avant;  // a command prefix, such as setpriv ...
};

issue lancer(const lancement &l);
// The same with standard output appended to a file (created if missing);
// l.sortie is not looked at.
issue lancer_vers_fichier(const lancement &l, const std::string &fichier);

// A temporary file that is removed with the object.
struct fichier_temporaire {
    std::string chemin;
    fichier_temporaire();
    ~fichier_temporaire();
    std::string contenu() const;
};
