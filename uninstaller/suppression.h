// suppression.h -- the removal of an installation folder on Windows, by the
// uninstaller itself: whether a folder holds the suite, the step out of it,
// the emptying of a folder that never follows a link out of it, and what
// can only go once the uninstaller has ended (its own file). Every path here has passed the
// uninstaller's checks (refus_du_chemin) first.
#ifndef UNINSTALLER_SUPPRESSION_H
#define UNINSTALLER_SUPPRESSION_H

#include <initializer_list>

// The colour settings file, in the installation folder and the current one.
constexpr const char *FICHIER_DES_COULEURS = "Couleurs.ini";

bool tient_la_suite(const char *chemin);
void va_dans_le_parent(const char *chemin);
bool vide_le_dossier(const char *chemin, std::initializer_list<const char *> gardes);
bool supprime_le_dossier(const char *chemin);
void acheve_apres_la_fin(const char *chemin);

#endif
