// affichage_feuille.cpp -- printing a character record (affichage_feuille.h).
// Every text is printed up to its terminator or its field's end, and every
// list up to its end marker or its last slot, so a record filled by hand
// without them is still printed within its bounds.
#include "jdr/affichage_feuille.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "outils/chaines.h"

namespace {

// A field's text, stopped at the field's end when it has no terminator.
template <std::size_t M>
std::string_view texte(const char (&champ)[M]) {
  return {champ, strnlen(champ, M)};
}

// Prints `avant`, the field's text, then `apres`.
template <std::size_t M>
void ligne(const char *avant, const char (&champ)[M], const char *apres = "\n") {
  const std::string_view t = texte(champ);
  std::printf("%s%.*s%s", avant, static_cast<int>(t.size()), t.data(), apres);
}

bool contient(std::string_view entree, std::string_view motif) {
  return entree.find(motif) != std::string_view::npos;
}

// Prints each entry of the list up to its end marker, one per line, through
// `montre` (the entry's slot number and its text); `montre` prints nothing
// for an entry it leaves out.
template <std::size_t N, std::size_t M, typename Montre>
void liste(const char (&entrees)[N][M], Montre montre) {
  for (std::size_t i = 0; i < N && entrees[i][0] != '>'; ++i) montre(i, texte(entrees[i]));
}

template <std::size_t N, std::size_t M>
void liste(const char (&entrees)[N][M]) {
  liste(entrees, [](std::size_t, std::string_view t) {
    std::printf("%.*s\n", static_cast<int>(t.size()), t.data());
  });
}

// An armour, shield or weapon line, left out when the sheet had none (">").
void arme(const char *etiquette, const char (&champ)[TAILLE_ARME]) {
  if (champ[0] != '>') ligne(etiquette, champ);
}

// The special abilities marked "#attsup." as attack lines, without the
// text up to the mark's '.': "#attsup.Morsure +5" -> "Morsure +5".
void attaques_supplementaires(const feuille_perso &f) {
  liste(f.capacites_speciales, [](std::size_t, std::string_view t) {
    if (!contient(t, MARQUE_ATTAQUE_SUPPLEMENTAIRE)) return;
    char copie[TAILLE_ENTREE_LONGUE];  // an ability: 254 characters and the NUL
    std::snprintf(copie, sizeof copie, "%.*s", static_cast<int>(t.size()), t.data());
    Efface_char(copie, ".");
    std::printf("Attaque supplémentaire: %s\n", copie);
  });
}

}  // namespace

// Prints the record in the order and with the labels of a txtp sheet, after
// an empty line; the additional attacks come among the weapons and are left
// out of the special abilities. A modifier 0 shows as (+0).
void afficheur_struct_debug(feuille_perso *fiche) {
  const feuille_perso &f = *fiche;
  ligne("\nNom: ", f.nom);
  ligne("Classe de personnage: ", f.classe);
  std::printf("Niveau: %d\n", f.niveau);
  std::puts("Traits physiques:");
  ligne(" Race: ", f.race);
  ligne(" Sexe: ", f.sexe);
  std::printf(" Poids: %dKg", f.poids);
  ligne("", f.suite_poids);
  std::printf(" Taille: %dcm", f.taille);
  ligne(" (", f.categorie_taille, ")\n");
  std::printf(" Age: %d ans", f.age);
  ligne("", f.suite_age);
  liste(f.traits_physiques);

  std::puts(">\nCaractéristiques:");
  static const char *const noms[NOMBRE_CARACTERISTIQUES] = {
      "Force", "Dextérité", "Constitution", "Intelligence", "Sagesse", "Charisme"};
  for (int i = 0; i < NOMBRE_CARACTERISTIQUES; ++i) {
    const int modificateur = f.modificateurs[i];
    std::printf(modificateur < 0 ? "%s: %d (%d)\n" : "%s: %d (+%d)\n", noms[i],
                f.caracteristiques[i], modificateur);
  }
  ligne("", f.vision, "");
  ligne("\nAlignement: ", f.alignement);

  std::printf("Jet d'attaque: +%d", f.attaques[1]);
  const int suivants = std::clamp(f.attaques[0], 0, NOMBRE_ATTAQUES - 2);
  for (int i = 2; i <= suivants + 1; ++i) std::printf("\\+%d", f.attaques[i]);
  std::puts("\nJet de sauvegarde:");
  std::printf(" Réflexe: +%d\n Vigueur: +%d\n Volonté: +%d\n", f.reflexe, f.vigueur, f.volonte);

  std::printf("Points de vie: %d (DV=%d", f.points_de_vie, f.dv_raciaux_nombre);
  if (f.dv_raciaux_nombre > 0) std::printf("d%d", f.dv_raciaux_faces);
  std::printf("+%dd%d+%d)\n", f.dv_classe_nombre, f.dv_classe_faces, f.dv_bonus);
  arme("Armure: ", f.armure);
  arme("Arme principale: ", f.arme_principale);
  arme("Arme secondaire: ", f.arme_secondaire);
  arme("Arme tertiaire: ", f.arme_tertiaire);
  attaques_supplementaires(f);
  arme("Bouclier: ", f.bouclier);

  std::puts("Langues parlées:");
  liste(f.langues);
  std::puts(">\nDons:");
  liste(f.dons);
  std::puts(">\nCompétences:");
  liste(f.competences, [&f](std::size_t i, std::string_view t) {
    const int taille = static_cast<int>(t.size());
    if (contient(t, "!!! Il reste "))
      std::printf("%.*s\n", taille, t.data());
    else
      std::printf("%.*s +%d\n", taille, t.data(), f.bonus_competences[i]);
  });
  std::printf(">\n%d objets magiques à déterminer.\n", f.objets_magiques);
  std::printf("Points d'expérience: %d\n", f.xp);
  std::puts("Capacités spéciales:");
  liste(f.capacites_speciales, [](std::size_t, std::string_view t) {
    if (!contient(t, MARQUE_ATTAQUE_SUPPLEMENTAIRE))
      std::printf("%.*s\n", static_cast<int>(t.size()), t.data());
  });
  std::puts(">\n#Equipements:");
  liste(f.equipement);
  std::puts(">");
}
