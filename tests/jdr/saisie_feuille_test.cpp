// Filling a character record at the keyboard: the lists ended by fin, and
// whole dialogues typed on standard input, field by field.
#include "jdr/saisie_feuille.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "jdr/feuille_interne.h"
#include "tests/jdr/listes.h"
#include "tests/support/console.h"
#include "tests/support/support.h"

namespace {

struct ListeSaisie {
  int nombre;
  std::string sortie;
};

// saisie_liste on the record's languages, `clavier` on standard input.
ListeSaisie saisit_langues(feuille_perso &f, const std::string &clavier) {
  entree_depuis(clavier);
  ListeSaisie s{};
  s.sortie = sortie_de([&] { s.nombre = saisie_liste(f.langues); });
  return s;
}

}  // namespace

// Lines go through getsfix alone here: these run on both platforms.
TEST(SaisieListe, EndsOnFinFinOrFINAndKeepsEverythingElse) {
  auto f = std::make_unique<feuille_perso>();
  ListeSaisie s = saisit_langues(*f, "Commun\n\nfIn\nfin \nFin\nElfe\n");
  EXPECT_EQ(s.nombre, 4);
  EXPECT_EQ(entrees(f->langues), (Liste{"Commun", "", "fIn", "fin ", ">"}));
  EXPECT_EQ(s.sortie, "?: ?: ?: ?: ");

  for (const char *fin : {"fin\n", "FIN\n", "Fin"}) {
    s = saisit_langues(*f, fin);
    EXPECT_EQ(s.nombre, 0) << fin;
    EXPECT_EQ(entrees(f->langues), Liste{">"}) << fin;
    EXPECT_EQ(s.sortie, "") << fin;
  }
}

TEST(SaisieListe, LongAnswersAreCutAndAFullListEndsByItself) {
  auto f = std::make_unique<feuille_perso>();
  std::string clavier = std::string(300, 'L') + "\n";
  for (int i = 2; i <= 35; ++i) clavier += "Langue " + std::to_string(i) + "\n";
  const ListeSaisie s = saisit_langues(*f, clavier);
  EXPECT_EQ(s.nombre, 29);
  Liste attendues = {std::string(99, 'L')};
  for (int i = 2; i <= 29; ++i) attendues.push_back("Langue " + std::to_string(i));
  attendues.push_back(">");
  EXPECT_EQ(entrees(f->langues), attendues);
  std::string sortie;
  for (int i = 1; i < 29; ++i) sortie += "?: ";
  EXPECT_EQ(s.sortie, sortie + "Liste pleine: 29 entr" E_AIGU "es au plus.\n");
}

TEST(SaisieListe, TheEndOfInputEndsTheList) {
  auto f = std::make_unique<feuille_perso>();
  const ListeSaisie s = saisit_langues(*f, "Commun\nNain");
  EXPECT_EQ(s.nombre, 2);
  EXPECT_EQ(entrees(f->langues), (Liste{"Commun", "Nain", ">"}));
}

// Numbers and dice are typed through the digit entry, whose keys come from
// standard input on Linux only: the Windows console run-time reads keys
// from a console, never from a pipe, so the whole dialogue runs on Linux.
#ifndef _WIN32
namespace {

// The answers of a dialogue in the order of its questions: lines for the
// texts and lists, keys ended by Enter ('\r') for the numbers and dice.
struct Dialogue {
  std::string nom = "\n", classe = "\n", niveau = "1\r", race = "\n", sexe = "\n", poids = "\n",
              taille = "\n", categorie = "\n", age = "\n", traits = "fin\n",
              caracteristiques = "10\r10\r10\r10\r10\r10\r", vision = "\n", alignement = "\n",
              attaques = "0\n", sauvegardes = "0\r0\r0\r", points_de_vie = "1\r",
              des_raciaux = "\r", des_classe = "1d4\r", armes = "\n\n\n\n\n", langues = "fin\n",
              dons = "fin\n", competences = "fin\n", xp = "\n", capacites = "fin\n",
              equipement = "fin\n";

  std::string clavier() const {
    return nom + classe + niveau + race + sexe + poids + taille + categorie + age + traits +
           caracteristiques + vision + alignement + attaques + sauvegardes + points_de_vie +
           des_raciaux + des_classe + armes + langues + dons + competences + xp + capacites +
           equipement;
  }
};

struct Saisie {
  std::unique_ptr<feuille_perso> fiche = std::make_unique<feuille_perso>();
  std::string sortie;
};

// The dialogue typed into a zeroed record, whose fields that the entry
// leaves alone hold marks first.
Saisie saisit(const std::string &clavier) {
  Saisie s;
  s.fiche->dv_raciaux_faces = 99;
  s.fiche->dv_bonus = 6;
  s.fiche->objets_magiques = 4;
  entree_depuis(clavier);
  s.sortie = sortie_de([&] { saisie_feuille_perso(s.fiche.get()); });
  return s;
}

std::size_t compte(const std::string &texte, const std::string &motif) {
  std::size_t nombre = 0;
  for (std::size_t ou = texte.find(motif); ou != std::string::npos; ou = texte.find(motif, ou + 1))
    ++nombre;
  return nombre;
}

}  // namespace

TEST(SaisieFeuillePerso, AWholeDialogueFillsTheRecordFieldByField) {
  Dialogue d;
  d.nom = "Arwen\n";
  d.classe =
      "R\xF4"
      "deuse\n";
  d.niveau =
      "\r"
      "7/0\r"
      "x"
      "3+2\r";  // empty, then a division by 0 and its pause's key
  d.race = "Elfe\n";
  d.sexe = "Femme\n";
  d.poids = "55 kilos\n";
  d.taille = "170\n";
  d.categorie = "Moyenne\n";
  d.age = "120 ans\n";
  d.traits = "Yeux verts\nCheveux noirs\nfin\n";
  d.caracteristiques = "18\r9\r10\r3\r7\r14\r";
  d.vision = "Vision nocturne\n";
  d.alignement = "Chaotique bon\n";
  d.attaques = "12/+7/+2\n";
  d.sauvegardes = "5\r2\r7/2\r";
  d.points_de_vie = "\r20\r";
  d.des_raciaux = "\r";
  d.des_classe = "\r3d10\r";  // an empty answer is refused here
  d.armes = "Cuir clout\xE9\nArc long\n\n\n\n";
  d.dons =
      "Tir pr\xE9"
      "cis\nfIn\nFIN\n";
  d.competences = "D\xE9tection\n7\rEscalade\n\r1+1\rFin\n";
  d.xp = "300\n";
  d.capacites = "#attsup.Morsure +5\nfin \nfin\n";
  d.equipement = "Corde\nfin\n";
  const Saisie s = saisit(d.clavier());
  const feuille_perso &f = *s.fiche;

  EXPECT_STREQ(f.nom, "Arwen");
  EXPECT_STREQ(f.classe,
               "R\xF4"
               "deuse");
  EXPECT_EQ(f.niveau, 5);
  EXPECT_STREQ(f.race, "Elfe");
  EXPECT_STREQ(f.sexe, "Femme");
  EXPECT_EQ(f.poids, 55);
  EXPECT_EQ(f.taille, 170);
  EXPECT_STREQ(f.categorie_taille, "Moyenne");
  EXPECT_EQ(f.age, 120);
  EXPECT_EQ(entrees(f.traits_physiques), (Liste{"Yeux verts", "Cheveux noirs", ">"}));
  EXPECT_EQ(std::vector<int>(f.caracteristiques, f.caracteristiques + 6),
            (std::vector<int>{18, 9, 10, 3, 7, 14}));
  EXPECT_EQ(std::vector<int>(f.modificateurs, f.modificateurs + 6),
            (std::vector<int>{4, -1, 0, -4, -2, 2}));
  EXPECT_STREQ(f.vision, "Vision nocturne");
  EXPECT_STREQ(f.alignement, "Chaotique bon");
  EXPECT_EQ(std::vector<int>(f.attaques, f.attaques + 4), (std::vector<int>{2, 12, 7, 2}));
  EXPECT_EQ(f.reflexe, 5);
  EXPECT_EQ(f.vigueur, 2);
  EXPECT_EQ(f.volonte, 3);
  EXPECT_EQ(f.points_de_vie, 20);
  EXPECT_EQ(f.dv_raciaux_nombre, 0);
  EXPECT_EQ(f.dv_raciaux_faces, 99);
  EXPECT_EQ(f.dv_classe_nombre, 3);
  EXPECT_EQ(f.dv_classe_faces, 10);
  EXPECT_STREQ(f.armure, "Cuir clout\xE9");
  EXPECT_STREQ(f.arme_principale, "Arc long");
  EXPECT_STREQ(f.arme_secondaire, "");
  EXPECT_STREQ(f.arme_tertiaire, "");
  EXPECT_STREQ(f.bouclier, "");
  EXPECT_EQ(entrees(f.langues), Liste{">"});
  EXPECT_EQ(entrees(f.dons), (Liste{"Tir pr\xE9"
                                    "cis",
                                    "fIn", ">"}));
  EXPECT_EQ(entrees(f.competences), (Liste{"D\xE9tection", "Escalade", ">"}));
  EXPECT_EQ(f.bonus_competences[0], 7);
  EXPECT_EQ(f.bonus_competences[1], 2);
  EXPECT_EQ(f.xp, 300);
  EXPECT_EQ(entrees(f.capacites_speciales), (Liste{"#attsup.Morsure +5", "fin ", ">"}));
  EXPECT_EQ(entrees(f.equipement), (Liste{"Corde", ">"}));
  // Left to the caller: the marks are still there.
  EXPECT_EQ(f.dv_bonus, 6);
  EXPECT_EQ(f.objets_magiques, 4);
  EXPECT_STREQ(f.dossier, "");
  EXPECT_STREQ(f.suite_poids, "");

  // Each refused answer brought its question back.
  EXPECT_EQ(compte(s.sortie, "Niveau: "), 3u);
  EXPECT_EQ(compte(s.sortie, "Erreur: Division par 0 !!!"), 1u);
  EXPECT_EQ(compte(s.sortie, "Points de vie: "), 2u);
  EXPECT_EQ(compte(s.sortie, "D\xC3\xA9s de vie de classe (.d.): "), 2u);
  EXPECT_EQ(compte(s.sortie, "Niveau, D\xC3\xA9tection +7\n?: "), 1u);
  EXPECT_EQ(compte(s.sortie, "Niveau, Escalade +"), 2u);
}

TEST(SaisieFeuillePerso, AsksEveryQuestionWithItsExactWords) {
  Dialogue d;
  d.competences = "Saut\n2\rfin\n";
  const Saisie s = saisit(d.clavier());
  EXPECT_EQ(s.sortie,
            "En l'absence de feuille de personnage au format txtp, il faut entrer toutes les "
            "caract\xC3\xA9ristiques du personnage.\n\n"
            "Nom: Classe: Niveau: 1\n"
            "Race: Sexe: Poids (en Kg): Taille (en cm): Cat\xC3\xA9gorie de taille: Age: "
            "Traits physiques: (Un appui sur entr\xC3\xA9"
            "e permet de s\xC3\xA9parer les "
            "diff\xC3\xA9rents traits\nphysiques. Terminer la saisie par le terme fin)\n?: "
            "Force: 10\nDext\xC3\xA9rit\xC3\xA9: 10\nConstitution: 10\nIntelligence: 10\n"
            "Sagesse: 10\nCharisme: 10\n"
            "Type de vision: Alignement: "
            "Jets d'attaques (S\xC3\xA9parer par les diff\xC3\xA9rentes valeur par \\. "
            "Ex: +6\\+1): +"
            "Jet de sauvegarde r\xC3\xA9"
            "flexe: +0\n"
            "Jet de sauvegarde vigueur: +0\n"
            "Jet de sauvegarde volont\xC3\xA9: +0\n"
            "Points de vie: 1\n"
            "D\xC3\xA9s de vie raciaux (.d.): \n"
            "D\xC3\xA9s de vie de classe (.d.): 1d4\n"
            "Armure: Arme principale: Arme secondaire: Arme tertiaire: Bouclier: "
            "Langues connues: (Un appui sur entr\xC3\xA9"
            "e permet de s\xC3\xA9parer les "
            "diff\xC3\xA9rentes langues. Terminer la saisie par le terme fin)\n?: "
            "Liste des dons: (Un appui sur entr\xC3\xA9"
            "e permet de s\xC3\xA9parer les "
            "diff\xC3\xA9rents dons.\nTerminer la saisie par le terme fin)\n?: "
            "Liste des comp\xC3\xA9tences: (Un appui sur entr\xC3\xA9"
            "e permet de "
            "s\xC3\xA9parer les diff\xC3\xA9rentes\ncomp\xC3\xA9tences. Terminer la saisie "
            "par le terme fin)\n?: Niveau, Saut +2\n?: "
            "XP rapport\xC3\xA9 par le personnage s'il est vaincu: "
            "Capacit\xC3\xA9s sp\xC3\xA9"
            "ciales: (Un appui sur entr\xC3\xA9"
            "e permet de "
            "s\xC3\xA9parer les diff\xC3\xA9rentes\ncapacit\xC3\xA9 sp\xC3\xA9"
            "ciales. "
            "Terminer la saisie par le terme fin)\n?: "
            "Equipement: (Un appui sur entr\xC3\xA9"
            "e permet de s\xC3\xA9parer les "
            "diff\xC3\xA9rents \xC3\xA9l\xC3\xA9ments de\nl'\xC3\xA9quipement. Terminer la "
            "saisie par le terme fin)\n?: ");
  EXPECT_EQ(std::vector<int>(s.fiche->attaques, s.fiche->attaques + 2), (std::vector<int>{0, 0}));
  EXPECT_EQ(s.fiche->dv_classe_nombre, 1);
  EXPECT_EQ(s.fiche->dv_classe_faces, 4);
  EXPECT_EQ(entrees(s.fiche->competences), (Liste{"Saut", ">"}));
}

TEST(SaisieFeuillePerso, AnswersLongerThanTheirFieldAreCut) {
  Dialogue d;
  d.nom = std::string(300, 'N') + "\n";
  d.classe = std::string(60, 'C') + "\n";
  d.categorie = "Tr\xE8s grande taille\n";
  d.dons = std::string(120, 'D') + "\nfin\n";
  d.attaques = "5\n";
  d.des_raciaux = "2d8\r";
  const Saisie s = saisit(d.clavier());
  EXPECT_EQ(std::string(s.fiche->nom), std::string(254, 'N'));
  EXPECT_EQ(std::string(s.fiche->classe), std::string(49, 'C'));
  EXPECT_STREQ(s.fiche->categorie_taille, "Tr\xE8s gran");
  EXPECT_EQ(entrees(s.fiche->dons), (Liste{std::string(99, 'D'), ">"}));
  EXPECT_EQ(std::vector<int>(s.fiche->attaques, s.fiche->attaques + 2), (std::vector<int>{0, 5}));
  EXPECT_EQ(s.fiche->dv_raciaux_nombre, 2);
  EXPECT_EQ(s.fiche->dv_raciaux_faces, 8);
}

TEST(SaisieFeuillePerso, TheEndOfInputEndsTheDialogueWithEveryListClosed) {
  const Saisie s = saisit("Arwen\n");
  const feuille_perso &f = *s.fiche;
  EXPECT_STREQ(f.nom, "Arwen");
  EXPECT_EQ(f.niveau, 0);
  EXPECT_EQ(f.dv_classe_nombre, 0);
  for (const Liste &liste :
       {entrees(f.traits_physiques), entrees(f.langues), entrees(f.dons), entrees(f.competences),
        entrees(f.capacites_speciales), entrees(f.equipement)})
    EXPECT_EQ(liste, Liste{">"});
  EXPECT_EQ(compte(s.sortie, "Niveau: "), 1u);
}
#endif
