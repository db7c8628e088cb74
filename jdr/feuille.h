// feuille.h -- the character record `feuille_perso` and its reader of txtp
// sheets, the suite's text format for player characters and creatures.
// The record is a plain block of fixed-size fields that the caller owns and
// zeroes first (its lists make it large: static storage or the heap). A list
// ends with the entry ">". Linux and Windows differ only in the separators
// of the sheet's name (see scan_feuille_perso).
#ifndef JDR_FEUILLE_H
#define JDR_FEUILLE_H

// Sizes of the record's fields, NUL included; lists give their slot count.
// A list holds one entry fewer than its slots: the last one read is followed
// by the end marker.
constexpr int TAILLE_CATEGORIE_TAILLE = 10;  // "M", "TG": 9 characters at most
constexpr int TAILLE_ALIGNEMENT = 50;
constexpr int NOMBRE_ATTAQUES = 50;  // the count, then 49 bonuses at most
constexpr int TAILLE_ARME = 255;     // armour, shield and the three weapons
constexpr int NOMBRE_DONS = 50;
constexpr int NOMBRE_COMPETENCES = 50;
constexpr int TAILLE_ENTREE_COURTE = 100;   // a feat, a skill or a language: 99 characters
constexpr int NOMBRE_CARACTERISTIQUES = 6;  // Force, Dextérité, Constitution, Intelligence,
                                            // Sagesse, Charisme
constexpr int NOMBRE_LANGUES = 30;
constexpr int TAILLE_RACE = 50;
constexpr int TAILLE_CLASSE = 50;
constexpr int TAILLE_SEXE = 20;
constexpr int TAILLE_NOM_PERSO = 255;
constexpr int TAILLE_VISION = 100;
constexpr int TAILLE_DOSSIER_FICHE = 4096;
constexpr int NOMBRE_TRAITS = 50;
constexpr int NOMBRE_CAPACITES = 50;
constexpr int NOMBRE_EQUIPEMENTS = 100;
constexpr int TAILLE_ENTREE_LONGUE = 255;  // a trait, an ability, an item: 254 characters
constexpr int TAILLE_SUITE = 50;           // what follows the weight's or the age's unit

// A sheet's line as it is read: 254 bytes, line end included, and the NUL.
constexpr int TAILLE_LIGNE_FICHE = 255;

// The end marker of every list, and of an armour, shield or weapon that the
// sheet does not give.
constexpr const char *FIN_DE_LISTE = ">";

// The mark of a special ability that describes an additional attack:
// "#attsup.Morsure +5".
constexpr const char *MARQUE_ATTAQUE_SUPPLEMENTAIRE = "#attsup.";

struct feuille_perso {
  int niveau;
  int poids;   // kilograms
  int taille;  // centimetres
  char categorie_taille[TAILLE_CATEGORIE_TAILLE];
  int age;
  char alignement[TAILLE_ALIGNEMENT];
  int attaques[NOMBRE_ATTAQUES];  // [0]: attacks minus one; [1] on: the bonuses
  int reflexe;
  int vigueur;
  int volonte;
  int points_de_vie;
  int dv_raciaux_nombre;  // 0 or less: no racial hit dice
  int dv_raciaux_faces;   // meaningful only with racial dice
  int dv_classe_nombre;
  int dv_classe_faces;
  int dv_bonus;
  char armure[TAILLE_ARME];
  char bouclier[TAILLE_ARME];
  char arme_principale[TAILLE_ARME];
  char arme_secondaire[TAILLE_ARME];
  char arme_tertiaire[TAILLE_ARME];
  int xp;  // -1 when the sheet gives none
  char dons[NOMBRE_DONS][TAILLE_ENTREE_COURTE];
  char competences[NOMBRE_COMPETENCES][TAILLE_ENTREE_COURTE];
  int bonus_competences[NOMBRE_COMPETENCES];  // entry i belongs to competences[i]
  int caracteristiques[NOMBRE_CARACTERISTIQUES];
  int modificateurs[NOMBRE_CARACTERISTIQUES];
  char langues[NOMBRE_LANGUES][TAILLE_ENTREE_COURTE];
  char race[TAILLE_RACE];
  char classe[TAILLE_CLASSE];
  char sexe[TAILLE_SEXE];
  char nom[TAILLE_NOM_PERSO];
  char vision[TAILLE_VISION];          // the sheet's whole vision line
  char dossier[TAILLE_DOSSIER_FICHE];  // the sheet's folder with its separator, or ""
  char traits_physiques[NOMBRE_TRAITS][TAILLE_ENTREE_LONGUE];
  char capacites_speciales[NOMBRE_CAPACITES][TAILLE_ENTREE_LONGUE];
  char equipement[NOMBRE_EQUIPEMENTS][TAILLE_ENTREE_LONGUE];
  char suite_poids[TAILLE_SUITE];
  char suite_age[TAILLE_SUITE];
  int objets_magiques;  // magic items still to be determined
};

void scan_feuille_perso(char *nom, feuille_perso *fiche);

#endif
