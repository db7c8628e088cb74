// feuille.cpp -- the txtp sheet reader (feuille.h) and the helpers that the
// entry and the display share with it (feuille_interne.h).
// Lines are taken by their position; only the optional lines, the magic
// items and the experience are found by their label. Every line is read
// whole: the rest of a line longer than the buffer is thrown away, so one
// over-long line never shifts the ones after it. Once the file has ended,
// every further line reads as empty: the lists still open are closed, and
// the fields still to come get empty texts and zeros.
#include "jdr/feuille.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "jdr/feuille_interne.h"
#include "outils/chaines.h"
#include "outils/clavier.h"
#include "outils/fichiers.h"

void copie_bornee(char *champ, std::size_t taille, const char *source) {
  std::snprintf(champ, taille, "%s", source);
}

void lit_bonus_attaques(char *texte, int (&attaques)[NOMBRE_ATTAQUES]) {
  // Counted here rather than with index_ch, whose 50-occurrence limit would end
  // the program: a line of separators only fills the block.
  const std::ptrdiff_t separateurs = std::count(texte, texte + std::strlen(texte), '\\');
  const int suivants = static_cast<int>(std::min<std::ptrdiff_t>(separateurs, NOMBRE_ATTAQUES - 2));
  attaques[0] = suivants;
  attaques[1] = entier_de(texte);
  for (int i = 2; i <= suivants + 1; ++i) {
    Efface_char(texte, "+");
    attaques[i] = entier_de(texte);
  }
}

namespace {

// The sheet being read and its current line.
struct Lecteur {
  explicit Lecteur(FILE *f) : fichier(f) {}

  FILE *fichier;
  char ligne[TAILLE_LIGNE_FICHE] = {};  // 254 bytes of a line, its line end included
  bool fini = false;                    // the file has no line left

  // The next line of the sheet, whole; an empty line once the file has ended.
  char *suivante() {
    if (!fini && std::fgets(ligne, sizeof ligne, fichier) == nullptr) fini = true;
    if (fini)
      ligne[0] = '\0';
    else if (std::strchr(ligne, '\n') == nullptr)
      fpurge(fichier);  // longer than the buffer, or the last line: drop its rest
    return ligne;
  }
};

// The text after the label, in place: everything through the first ':',
// then through the first space, and the line end go.
// "Nom: Aldric\n" -> "Aldric"; "Nom:Aldric le Brave" -> "le Brave".
char *valeur(char *ligne) {
  Efface_char(ligne, ":");
  Efface_char(ligne, " ");
  Efface_n(ligne);
  return ligne;
}

// -x, held to the range of an int.
int oppose(int x) { return x == INT_MIN ? INT_MAX : -x; }

// Reads the entries of a list up to its '>' line (consumed) or the end of
// the file, keeping what fits before the end marker; range(slot, line)
// stores one entry. The end marker follows the last entry kept.
template <std::size_t N, std::size_t M, typename Range>
void lit_liste(Lecteur &lecteur, char (&liste)[N][M], Range range) {
  std::size_t nombre = 0;
  for (char *ligne = lecteur.suivante(); !lecteur.fini && ligne[0] != '>';
       ligne = lecteur.suivante()) {
    if (nombre < N - 1) range(nombre++, ligne);  // a full list skips the rest of its lines
  }
  copie_champ(liste[nombre], FIN_DE_LISTE);
}

template <std::size_t N, std::size_t M>
void lit_liste(Lecteur &lecteur, char (&liste)[N][M]) {
  lit_liste(lecteur, liste, [&liste](std::size_t i, char *ligne) {
    Efface_n(ligne);
    copie_champ(liste[i], ligne);
  });
}

// "Force: 8 (-1)" gives 8 and -1, "Force: 12 (+1)" 12 and 1, "(0)" 0.
void lit_caracteristique(char *ligne, int &score, int &modificateur) {
  char *texte = valeur(ligne);
  score = entier_de(texte);
  Efface_char(texte, "(");
  if (texte[0] == '-') {
    Efface_char(texte, "-");
    modificateur = oppose(entier_de(texte));
  } else {
    Efface_char(texte, "+");
    modificateur = entier_de(texte);
  }
}

// "Points de vie: 45 (DV=2d8+3d10+6)": the hit points, then the racial dice
// (their sides only when there are some), the class dice and the constant.
void lit_points_de_vie(char *ligne, feuille_perso &fiche) {
  char *texte = valeur(ligne);
  fiche.points_de_vie = entier_de(texte);
  Efface_char(texte, "=");
  fiche.dv_raciaux_nombre = entier_de(texte);
  if (fiche.dv_raciaux_nombre > 0) {
    Efface_char(texte, "d");
    fiche.dv_raciaux_faces = entier_de(texte);
  }
  Efface_char(texte, "+");
  fiche.dv_classe_nombre = entier_de(texte);
  Efface_char(texte, "d");
  fiche.dv_classe_faces = entier_de(texte);
  Efface_char(texte, "+");
  fiche.dv_bonus = entier_de(texte);
}

// The five optional lines, each tried in this order on the current line and
// consumed when it matches; a field without its line holds ">".
void lit_equipement_porte(Lecteur &lecteur, feuille_perso &fiche) {
  struct Optionnelle {
    const char *etiquette;
    char *champ;  // TAILLE_ARME bytes
  };
  const Optionnelle lignes[] = {
      {"Armure:", fiche.armure},
      {"Arme principale:", fiche.arme_principale},
      {"Arme secondaire:", fiche.arme_secondaire},
      {"Arme tertiaire:", fiche.arme_tertiaire},
      {"Bouclier:", fiche.bouclier},
  };
  for (const Optionnelle &optionnelle : lignes) {
    copie_bornee(optionnelle.champ, TAILLE_ARME, FIN_DE_LISTE);
    if (std::strstr(lecteur.ligne, optionnelle.etiquette) != nullptr) {
      copie_bornee(optionnelle.champ, TAILLE_ARME, valeur(lecteur.ligne));
      lecteur.suivante();
    }
  }
}

// "Détection +7" gives the name "Détection " and 7; a line without '+'
// (such as "!!! Il reste 2 points.") is the whole name, with the bonus 0.
void lit_competence(feuille_perso &fiche, std::size_t i, char *ligne) {
  char *plus = std::strchr(ligne, '+');
  if (plus != nullptr) {
    *plus = '\0';
    fiche.bonus_competences[i] = entier_de(plus + 1);
  } else {
    Efface_n(ligne);
    fiche.bonus_competences[i] = 0;
  }
  copie_champ(fiche.competences[i], ligne);
}

// The sheet's folder with its separator: the last '/' on Linux (where the
// name's '\' have just become '/'), the last '\' on Windows, or its last '/'
// when it has none. "Persos/Guerrier.txtp" gives "Persos/"; "a.txtp" gives "".
void trouve_dossier(const char *nom, char (&dossier)[TAILLE_DOSSIER_FICHE]) {
#ifdef _WIN32
  const char *separateur = std::strrchr(nom, '\\');
  if (separateur == nullptr) separateur = std::strrchr(nom, '/');
#else
  const char *separateur = std::strrchr(nom, '/');
#endif
  const int longueur = separateur != nullptr ? static_cast<int>(separateur - nom) + 1 : 0;
  std::snprintf(dossier, sizeof dossier, "%.*s", longueur, nom);
}

}  // namespace

// Fills `fiche` from the txtp sheet `nom`, line by line in the format's
// order; on Linux the name's '\' become '/' in the caller's buffer. Texts
// longer than their field are cut to fit; a list longer than its slots keeps
// what fits and skips the rest of its lines. Fields that the sheet does not
// give keep what they held (objets_magiques, and dv_raciaux_faces without
// racial dice). A sheet that cannot be opened ends the program.
void scan_feuille_perso(char *nom, feuille_perso *fiche) {
  changeslash(nom);
  trouve_dossier(nom, fiche->dossier);
  Lecteur lecteur(ouvre_fichier(nom, "r"));
  feuille_perso &f = *fiche;

  copie_champ(f.nom, valeur(lecteur.suivante()));
  copie_champ(f.classe, valeur(lecteur.suivante()));
  f.niveau = entier_de(valeur(lecteur.suivante()));
  lecteur.suivante();  // "Traits physiques:"
  copie_champ(f.race, valeur(lecteur.suivante()));
  copie_champ(f.sexe, valeur(lecteur.suivante()));

  char *texte = valeur(lecteur.suivante());  // " Poids: 85Kg, carrure massive"
  f.poids = entier_de(texte);
  Efface_char(texte, "g");
  copie_champ(f.suite_poids, texte);

  texte = valeur(lecteur.suivante());  // " Taille: 185cm (M)"
  f.taille = entier_de(texte);
  Efface_char(texte, "(");
  texte[std::strcspn(texte, ")")] = '\0';
  copie_champ(f.categorie_taille, texte);

  texte = valeur(lecteur.suivante());  // " Age: 32 ans, vétéran"
  f.age = entier_de(texte);
  Efface_char(texte, "s");
  copie_champ(f.suite_age, texte);

  lit_liste(lecteur, f.traits_physiques);
  lecteur.suivante();  // "Caractéristiques:"
  for (int i = 0; i < NOMBRE_CARACTERISTIQUES; ++i)
    lit_caracteristique(lecteur.suivante(), f.caracteristiques[i], f.modificateurs[i]);

  Efface_n(lecteur.suivante());
  copie_champ(f.vision, lecteur.ligne);
  copie_champ(f.alignement, valeur(lecteur.suivante()));

  texte = lecteur.suivante();  // "Jet d'attaque: +8\+3"
  Efface_char(texte, "+");
  lit_bonus_attaques(texte, f.attaques);

  lecteur.suivante();  // "Jet de sauvegarde:"
  for (int *jet : {&f.reflexe, &f.vigueur, &f.volonte}) {
    texte = lecteur.suivante();
    Efface_char(texte, "+");
    *jet = entier_de(texte);
  }
  lit_points_de_vie(lecteur.suivante(), f);

  lecteur.suivante();
  lit_equipement_porte(lecteur, f);  // leaves "Langues parlées:" as the current line
  lit_liste(lecteur, f.langues);
  lecteur.suivante();  // "Dons:"
  lit_liste(lecteur, f.dons);
  lecteur.suivante();  // "Compétences:"
  lit_liste(lecteur, f.competences,
            [&f](std::size_t i, char *ligne) { lit_competence(f, i, ligne); });

  f.xp = -1;
  texte = lecteur.suivante();  // "1 objets magiques à déterminer."
  if (std::strstr(texte, "objets magiques à déterminer.") != nullptr)
    f.objets_magiques = entier_de(texte);
  texte = lecteur.suivante();
  if (std::strstr(texte, "Points d'expérience:") != nullptr) {
    f.xp = entier_de(valeur(texte));
    lecteur.suivante();  // "Capacités spéciales:"
  }
  lit_liste(lecteur, f.capacites_speciales);
  lecteur.suivante();  // "#Equipements:"
  lit_liste(lecteur, f.equipement);
  std::fclose(lecteur.fichier);
}
