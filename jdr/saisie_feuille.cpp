// saisie_feuille.cpp -- filling a character record at the keyboard
// (saisie_feuille.h), and the answers and lists it shares with its tests
// (feuille_interne.h).
// Every question goes through putsacc, so that its accents show on the
// console; one without accents comes out as it is written. A question whose
// answer the calculator or the dice entry refuses is asked again, without
// limit while keys can come; at the end of standard input (which the digit
// entry reads too on Linux) it takes the empty answer once and the dialogue
// goes on to its end, each list closed at once.
#include "jdr/saisie_feuille.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "jdr/feuille_interne.h"
#include "outils/accents.h"
#include "outils/calcul.h"
#include "outils/clavier.h"
#include "outils/saisie.h"

bool lit_reponse(char *reponse, int taille) {
  reponse[0] = '\0';  // at the end of input getsfix leaves the buffer as it was
  std::fflush(stdout);
  getsfix(reponse, taille);
  return reponse[0] != '\0' || !std::feof(stdin);
}

bool est_fin(const char *reponse) {
  return std::strcmp(reponse, "fin") == 0 || std::strcmp(reponse, "Fin") == 0 ||
         std::strcmp(reponse, "FIN") == 0;
}

void annonce_liste_pleine(int places) {
  char message[TAILLE_MESSAGE];
  std::snprintf(message, sizeof message, "Liste pleine: %d entrées au plus.\n", places);
  putsacc(message);
}

namespace {

// A text answer straight into its field: at most the field's size minus one
// characters, without the line end.
template <std::size_t M>
void lit_texte(const char *question, char (&champ)[M]) {
  putsacc(question);
  lit_reponse(champ, static_cast<int>(M));
}

// A whole number read from the answer's start as atoi does: "80 kilos"
// gives 80, "lourd" gives 0.
int lit_entier(const char *question) {
  char reponse[TAILLE_REPONSE];
  putsacc(question);
  lit_reponse(reponse, sizeof reponse);
  return entier_de(reponse);
}

// The calculator's result truncated toward zero, held to the range of an int.
int tronque(float valeur) {
  if (std::isnan(valeur)) return 0;
  if (valeur >= 2147483648.0f) return INT_MAX;  // 2^31, the first float above INT_MAX
  if (valeur < -2147483648.0f) return INT_MIN;
  return static_cast<int>(valeur);
}

// A number typed through the calculator: "14+2" gives 16, "7/2" gives 3.
// After a fault the calculator told, or an empty answer, the question is
// asked again; `deja_converti` for a question already converted for the
// console. q ends the program (the calculator's quit flag is set).
int lit_calcul(const char *question, bool deja_converti = false) {
  for (;;) {
    if (deja_converti)
      std::fputs(question, stdout);
    else
      putsacc(question);
    const int valeur = tronque(interpret_calc("", 1));
    if (valeur != static_cast<int>(CALCUL_ERREUR) && valeur != static_cast<int>(CALCUL_VIDE))
      return valeur;
    if (std::feof(stdin)) return 0;  // no answer can come any more
  }
}

// The modifier of an ability score: (score - 10) / 2 rounded down, that is
// (score - 10) / 2 above 9 and (score - 11) / 2 otherwise, both truncated.
// 18 gives 4, 10 gives 0, 9 gives -1, 3 gives -4.
int modificateur_de(int score) {
  const long long s = score;  // no overflow at the ends of the int range
  return static_cast<int>(s > 9 ? (s - 10) / 2 : (s - 11) / 2);
}

// Hit dice such as "2d8" typed through the digit entry, asked again until
// the answer holds a 'd', or is empty when `vide_admis`.
void lit_des(const char *question, bool vide_admis, char (&reponse)[TAILLE_REPONSE]) {
  for (;;) {
    putsacc(question);
    copie_champ(reponse, nomajloc_des(chfunc, 1));
    if (std::strchr(reponse, 'd') != nullptr) return;
    if (reponse[0] == '\0' && (vide_admis || std::feof(stdin))) return;
  }
}

// The sides after the answer's first 'd': "3d10" gives 10; none gives 0.
int faces_de(const char *reponse) {
  const char *d = std::strchr(reponse, 'd');
  return d != nullptr ? entier_de(d + 1) : 0;
}

// Each skill's bonus, asked right after its name:
// "Niveau, Détection +", the name converted for the console.
void lit_competences(feuille_perso &f) {
  putsacc(
      "Liste des compétences: (Un appui sur entrée permet de séparer les différentes\n"
      "compétences. Terminer la saisie par le terme fin)\n?: ");
  saisie_liste(f.competences, [&f](int i) {
    char question[TAILLE_MESSAGE];  // "Niveau, " and 99 characters, at most twice as long converted
    std::snprintf(question, sizeof question, "Niveau, %s +", acc(f.competences[i], chfunc));
    f.bonus_competences[i] = lit_calcul(question, true);
  });
}

}  // namespace

// Asks every question of the record in a fixed order and fills `fiche`,
// except dossier, suite_poids, suite_age, objets_magiques, dv_bonus, and
// dv_raciaux_faces when there are no racial dice: the caller zeroes the
// record first. An answer longer than its field is cut to fit. Each list
// ends with fin, Fin or FIN, or by itself, with a notice, once full.
void saisie_feuille_perso(feuille_perso *fiche) {
  feuille_perso &f = *fiche;
  char reponse[TAILLE_REPONSE];  // an answer converted or split before it is stored

  putsacc(
      "En l'absence de feuille de personnage au format txtp, il faut entrer toutes les "
      "caractéristiques du personnage.\n\n");
  lit_texte("Nom: ", f.nom);
  lit_texte("Classe: ", f.classe);
  f.niveau = lit_calcul("Niveau: ");
  lit_texte("Race: ", f.race);
  lit_texte("Sexe: ", f.sexe);
  f.poids = lit_entier("Poids (en Kg): ");
  f.taille = lit_entier("Taille (en cm): ");
  lit_texte("Catégorie de taille: ", f.categorie_taille);
  f.age = lit_entier("Age: ");
  putsacc(
      "Traits physiques: (Un appui sur entrée permet de séparer les différents traits\n"
      "physiques. Terminer la saisie par le terme fin)\n?: ");
  saisie_liste(f.traits_physiques);

  static const char *const caracteristiques[NOMBRE_CARACTERISTIQUES] = {
      "Force: ", "Dextérité: ", "Constitution: ", "Intelligence: ", "Sagesse: ", "Charisme: "};
  for (int i = 0; i < NOMBRE_CARACTERISTIQUES; ++i) {
    f.caracteristiques[i] = lit_calcul(caracteristiques[i]);
    f.modificateurs[i] = modificateur_de(f.caracteristiques[i]);
  }
  lit_texte("Type de vision: ", f.vision);
  lit_texte("Alignement: ", f.alignement);

  putsacc("Jets d'attaques (Séparer par les différentes valeur par \\. Ex: +6\\+1): +");
  lit_reponse(reponse, sizeof reponse);
  for (char *c = reponse; *c != '\0'; ++c)
    if (*c == '/') *c = '\\';  // either key separates the attacks: "6/+1" is "6\+1"
  lit_bonus_attaques(reponse, f.attaques);

  f.reflexe = lit_calcul("Jet de sauvegarde réflexe: +");
  f.vigueur = lit_calcul("Jet de sauvegarde vigueur: +");
  f.volonte = lit_calcul("Jet de sauvegarde volonté: +");
  f.points_de_vie = lit_calcul("Points de vie: ");

  lit_des("Dés de vie raciaux (.d.): ", true, reponse);
  f.dv_raciaux_nombre = entier_de(reponse);  // an empty answer: no racial dice
  if (f.dv_raciaux_nombre > 0) f.dv_raciaux_faces = faces_de(reponse);
  lit_des("Dés de vie de classe (.d.): ", false, reponse);
  f.dv_classe_nombre = entier_de(reponse);
  f.dv_classe_faces = faces_de(reponse);

  lit_texte("Armure: ", f.armure);
  lit_texte("Arme principale: ", f.arme_principale);
  lit_texte("Arme secondaire: ", f.arme_secondaire);
  lit_texte("Arme tertiaire: ", f.arme_tertiaire);
  lit_texte("Bouclier: ", f.bouclier);

  putsacc(
      "Langues connues: (Un appui sur entrée permet de séparer les différentes langues. "
      "Terminer la saisie par le terme fin)\n?: ");
  saisie_liste(f.langues);
  putsacc(
      "Liste des dons: (Un appui sur entrée permet de séparer les différents dons.\n"
      "Terminer la saisie par le terme fin)\n?: ");
  saisie_liste(f.dons);
  lit_competences(f);
  f.xp = lit_entier("XP rapporté par le personnage s'il est vaincu: ");
  putsacc(
      "Capacités spéciales: (Un appui sur entrée permet de séparer les différentes\n"
      "capacité spéciales. Terminer la saisie par le terme fin)\n?: ");
  saisie_liste(f.capacites_speciales);
  putsacc(
      "Equipement: (Un appui sur entrée permet de séparer les différents éléments de\n"
      "l'équipement. Terminer la saisie par le terme fin)\n?: ");
  saisie_liste(f.equipement);
}
