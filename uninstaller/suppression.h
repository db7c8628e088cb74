// suppression.h -- the removal of an installation folder on Windows, around
// the `rmdir /s /q` that the uninstaller runs: whether a folder holds the
// suite, what rmdir left while the uninstaller runs from inside the folder,
// and what can only go once it has ended. Every path here has passed the
// uninstaller's checks (refus_du_chemin) first.
#ifndef UNINSTALLER_SUPPRESSION_H
#define UNINSTALLER_SUPPRESSION_H

bool tient_la_suite(const char *chemin);
bool vide_sauf_le_programme(const char *chemin);
void acheve_apres_la_fin(const char *chemin);

#endif
