// Character records: the txtp reader on the sample sheets and on each of the
// format's variants, the display, the round trip from one to the other, and
// sheets cut short or too long for the record.
#include "jdr/feuille.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "jdr/affichage_feuille.h"
#include "tests/jdr/listes.h"
#include "tests/support/support.h"

namespace fs = std::filesystem;

namespace {

// A record as the callers keep it: on the heap, zeroed.
std::unique_ptr<feuille_perso> fiche_vide() { return std::make_unique<feuille_perso>(); }

// The sheet `chemin` read into a zeroed record.
std::unique_ptr<feuille_perso> lit_chemin(std::string chemin) {
  auto fiche = fiche_vide();
  scan_feuille_perso(chemin.data(), fiche.get());
  return fiche;
}

// A sheet holding `contenu`, read into a zeroed record.
std::unique_ptr<feuille_perso> lit(const std::string &contenu) {
  return lit_chemin(ecrit_fichier("fiche.txtp", contenu));
}

std::vector<int> attaques(const feuille_perso &f) {
  return std::vector<int>(f.attaques, f.attaques + 2 + std::max(f.attaques[0], 0));
}

std::string affiche(feuille_perso &f) {
  return sortie_de([&] { afficheur_struct_debug(&f); });
}

// `texte` with its first `avant` replaced by `apres` (which must be there).
std::string remplace(std::string texte, const std::string &avant, const std::string &apres) {
  const std::size_t ou = texte.find(avant);
  EXPECT_NE(ou, std::string::npos) << avant;
  if (ou != std::string::npos) texte.replace(ou, avant.size(), apres);
  return texte;
}

// A sheet in the display's own layout, with every optional line and an
// additional attack among the special abilities.
const std::string FEUILLE =
    "Nom: Lyra\n"
    "Classe de personnage: Druide\n"
    "Niveau: 4\n"
    "Traits physiques:\n"
    " Race: Demi-elfe\n"
    " Sexe: F\xE9minin\n"
    " Poids: 54Kg, svelte\n"
    " Taille: 168cm (M)\n"
    " Age: 41 ans, jeune pour sa race\n"
    "Tatouage de lierre au bras\n"
    ">\n"
    "Caract\xE9ristiques:\n"
    "Force: 8 (-1)\n"
    "Dext\xE9rit\xE9: 14 (+2)\n"
    "Constitution: 12 (+1)\n"
    "Intelligence: 10 (+0)\n"
    "Sagesse: 17 (+3)\n"
    "Charisme: 13 (+1)\n"
    "Vision nocturne\n"
    "Alignement: Neutre bon\n"
    "Jet d'attaque: +3\n"
    "Jet de sauvegarde:\n"
    " R\xE9"
    "flexe: +3\n"
    " Vigueur: +5\n"
    " Volont\xE9: +7\n"
    "Points de vie: 26 (DV=2d8+4d8+4)\n"
    "Armure: Cuir\n"
    "Arme principale: Cimeterre 1d6\n"
    "Arme secondaire: Fronde 1d4\n"
    "Arme tertiaire: Serpe 1d6\n"
    "Bouclier: Rondache en bois\n"
    "Langues parl\xE9"
    "es:\n"
    "Commun\n"
    "Elfe\n"
    "Druidique\n"
    ">\n"
    "Dons:\n"
    "Dispense de composantes mat\xE9rielles\n"
    ">\n"
    "Comp\xE9tences:\n"
    "Connaissance de la nature +9\n"
    "Premiers secours +6\n"
    "!!! Il reste 1 point.\n"
    ">\n"
    "2 objets magiques \xE0 d\xE9terminer.\n"
    "Points d'exp\xE9rience: 900\n"
    "Capacit\xE9s sp\xE9"
    "ciales:\n"
    "Empathie sauvage\n"
    "#attsup.Morsure du loup +4\n"
    ">\n"
    "#Equipements:\n"
    "Houx\n"
    "Baies\n"
    ">\n";

const char *const ARMES =
    "Armure: Cuir\n"
    "Arme principale: Cimeterre 1d6\n"
    "Arme secondaire: Fronde 1d4\n"
    "Arme tertiaire: Serpe 1d6\n"
    "Bouclier: Rondache en bois\n";

}  // namespace

TEST(ScanFeuillePerso, ReadsTheCompleteSampleFieldByField) {
  const auto fiche = lit_chemin("exemples/guerrier.txtp");
  const feuille_perso &f = *fiche;
  EXPECT_STREQ(f.nom, "Aldric de Valombre");
  EXPECT_STREQ(f.classe, "Guerrier");
  EXPECT_EQ(f.niveau, 5);
  EXPECT_STREQ(f.race, "Humain");
  EXPECT_STREQ(f.sexe, "Masculin");
  EXPECT_EQ(f.poids, 85);
  EXPECT_STREQ(f.suite_poids, ", carrure massive");
  EXPECT_EQ(f.taille, 185);
  EXPECT_STREQ(f.categorie_taille, "M");
  EXPECT_EQ(f.age, 32);
  EXPECT_STREQ(f.suite_age, ", v\xE9t\xE9ran des guerres du Nord");
  EXPECT_EQ(entrees(f.traits_physiques), (Liste{"Cicatrice en travers de la joue gauche",
                                                "Cheveux bruns coup\xE9s court", ">"}));
  EXPECT_EQ(std::vector<int>(f.caracteristiques, f.caracteristiques + 6),
            (std::vector<int>{17, 13, 14, 10, 8, 12}));
  EXPECT_EQ(std::vector<int>(f.modificateurs, f.modificateurs + 6),
            (std::vector<int>{3, 1, 2, 0, -1, 1}));
  EXPECT_STREQ(f.vision, "Vision normale");
  EXPECT_STREQ(f.alignement, "Loyal neutre");
  EXPECT_EQ(attaques(f), (std::vector<int>{1, 8, 3}));
  EXPECT_EQ(f.reflexe, 2);
  EXPECT_EQ(f.vigueur, 6);
  EXPECT_EQ(f.volonte, 0);
  EXPECT_EQ(f.points_de_vie, 47);
  EXPECT_EQ(f.dv_raciaux_nombre, 0);
  EXPECT_EQ(f.dv_classe_nombre, 5);
  EXPECT_EQ(f.dv_classe_faces, 10);
  EXPECT_EQ(f.dv_bonus, 10);
  EXPECT_STREQ(f.armure, "Cotte de mailles");
  EXPECT_STREQ(f.arme_principale,
               "\xC9p\xE9"
               "e longue 1d8+3");
  EXPECT_STREQ(f.arme_secondaire, "Arc long 1d8");
  EXPECT_STREQ(f.arme_tertiaire, "Dague 1d4+3");
  EXPECT_STREQ(f.bouclier,
               "\xC9"
               "cu en bois");
  EXPECT_EQ(entrees(f.langues), (Liste{"Commun", "Nain", ">"}));
  EXPECT_EQ(entrees(f.dons),
            (Liste{"Attaque en puissance", "Science de l'initiative", "Volont\xE9 de fer", ">"}));
  EXPECT_EQ(entrees(f.competences),
            (Liste{"Escalade ", "Intimidation ", "D\xE9tection ",
                   "!!! Il reste 2 points de comp\xE9tence \xE0 r\xE9partir.", ">"}));
  EXPECT_EQ(std::vector<int>(f.bonus_competences, f.bonus_competences + 4),
            (std::vector<int>{7, 5, 2, 0}));
  EXPECT_EQ(f.objets_magiques, 1);
  EXPECT_EQ(f.xp, 1500);
  EXPECT_EQ(entrees(f.capacites_speciales),
            (Liste{"#attsup.Coup de bouclier +3", "Sang-froid au combat", ">"}));
  EXPECT_EQ(entrees(f.equipement),
            (Liste{"Sac \xE0 dos", "Corde de soie (15 m)", "Rations de voyage (5 jours)", ">"}));
  EXPECT_STREQ(f.dossier, "exemples/");
}

TEST(ScanFeuillePerso, ReadsTheSampleWithoutOptionalLinesOrExperience) {
  const auto fiche = lit_chemin("exemples/gobelin.txtp");
  const feuille_perso &f = *fiche;
  EXPECT_STREQ(f.nom, "Grishak");
  EXPECT_STREQ(f.suite_poids, "");
  EXPECT_STREQ(f.suite_age, "");
  EXPECT_STREQ(f.categorie_taille, "P");
  EXPECT_EQ(std::vector<int>(f.modificateurs, f.modificateurs + 6),
            (std::vector<int>{0, 1, 1, 0, -1, -2}));
  EXPECT_STREQ(f.vision, "Vision dans le noir (18 m)");
  EXPECT_EQ(attaques(f), (std::vector<int>{0, 1}));
  EXPECT_EQ(f.points_de_vie, 9);
  EXPECT_EQ(f.dv_raciaux_nombre, 1);
  EXPECT_EQ(f.dv_raciaux_faces, 8);
  EXPECT_EQ(f.dv_classe_nombre, 1);
  EXPECT_EQ(f.dv_classe_faces, 6);
  EXPECT_EQ(f.dv_bonus, 1);
  for (const char *arme :
       {f.armure, f.arme_principale, f.arme_secondaire, f.arme_tertiaire, f.bouclier})
    EXPECT_STREQ(arme, ">");
  EXPECT_EQ(entrees(f.langues), (Liste{"Gobelin", ">"}));
  EXPECT_EQ(entrees(f.competences), (Liste{"D\xE9placement silencieux ", "Discr\xE9tion ", ">"}));
  EXPECT_EQ(f.objets_magiques, 0);
  EXPECT_EQ(f.xp, -1);
  EXPECT_EQ(entrees(f.capacites_speciales), (Liste{"Vision dans le noir", ">"}));
  EXPECT_EQ(entrees(f.equipement), (Liste{"Morgenstern", "Javelines (3)", ">"}));
}

TEST(ScanFeuillePerso, MissingOptionalLinesLeaveTheirEndMarker) {
  const auto sans = lit(remplace(FEUILLE, ARMES, ""));
  for (const char *arme : {sans->armure, sans->arme_principale, sans->arme_secondaire,
                           sans->arme_tertiaire, sans->bouclier})
    EXPECT_STREQ(arme, ">");
  EXPECT_EQ(entrees(sans->langues), (Liste{"Commun", "Elfe", "Druidique", ">"}));

  const auto deux =
      lit(remplace(FEUILLE, ARMES, "Arme principale: Cimeterre 1d6\nBouclier: Rondache en bois\n"));
  EXPECT_STREQ(deux->armure, ">");
  EXPECT_STREQ(deux->arme_principale, "Cimeterre 1d6");
  EXPECT_STREQ(deux->arme_secondaire, ">");
  EXPECT_STREQ(deux->arme_tertiaire, ">");
  EXPECT_STREQ(deux->bouclier, "Rondache en bois");
  EXPECT_EQ(entrees(deux->langues), (Liste{"Commun", "Elfe", "Druidique", ">"}));
}

TEST(ScanFeuillePerso, WithoutTheExperienceLineTheAbilitiesStillFollowTheirHeader) {
  const auto f = lit(remplace(FEUILLE, "Points d'exp\xE9rience: 900\n", ""));
  EXPECT_EQ(f->xp, -1);
  EXPECT_EQ(f->objets_magiques, 2);
  EXPECT_EQ(entrees(f->capacites_speciales),
            (Liste{"Empathie sauvage", "#attsup.Morsure du loup +4", ">"}));
  EXPECT_EQ(entrees(f->equipement), (Liste{"Houx", "Baies", ">"}));
}

TEST(ScanFeuillePerso, ReadsModifiersAttacksAndSkillsAsWritten) {
  std::string feuille = remplace(FEUILLE, "Dext\xE9rit\xE9: 14 (+2)", "Dext\xE9rit\xE9: 12 (+1)");
  feuille = remplace(feuille, "Constitution: 12 (+1)", "Constitution: 10 (0)");
  feuille = remplace(feuille, "Jet d'attaque: +3", "Jet d'attaque: +12\\+7\\+2");
  feuille = remplace(feuille, "Premiers secours +6\n", "Escalade\nD\xE9tection +7\n");
  const auto f = lit(feuille);
  EXPECT_EQ(f->caracteristiques[0], 8);
  EXPECT_EQ(f->modificateurs[0], -1);
  EXPECT_EQ(f->caracteristiques[1], 12);
  EXPECT_EQ(f->modificateurs[1], 1);
  EXPECT_EQ(f->caracteristiques[2], 10);
  EXPECT_EQ(f->modificateurs[2], 0);
  EXPECT_EQ(attaques(*f), (std::vector<int>{2, 12, 7, 2}));
  EXPECT_EQ(entrees(f->competences), (Liste{"Connaissance de la nature ", "Escalade",
                                            "D\xE9tection ", "!!! Il reste 1 point.", ">"}));
  EXPECT_EQ(std::vector<int>(f->bonus_competences, f->bonus_competences + 4),
            (std::vector<int>{9, 0, 7, 0}));
}

TEST(ScanFeuillePerso, FieldsTheSheetDoesNotGiveKeepWhatTheyHeld) {
  std::string feuille = remplace(FEUILLE, "2 objets magiques \xE0 d\xE9terminer.", "2 objets");
  feuille = remplace(feuille, "(DV=2d8+4d8+4)", "(DV=0+4d8+4)");
  auto fiche = fiche_vide();
  fiche->objets_magiques = 7;
  fiche->dv_raciaux_faces = 12;
  std::string chemin = ecrit_fichier("fiche.txtp", feuille);
  scan_feuille_perso(chemin.data(), fiche.get());
  EXPECT_EQ(fiche->objets_magiques, 7);
  EXPECT_EQ(fiche->dv_raciaux_nombre, 0);
  EXPECT_EQ(fiche->dv_raciaux_faces, 12);
  EXPECT_EQ(fiche->xp, 900);  // the magic-item line is consumed all the same
}

TEST(ScanFeuillePerso, TheFolderEndsWithItsSeparator) {
  const std::string dossier = dossier_du_test();
  fs::create_directories(dossier + "/Persos");
  ecrit_fichier("Persos/Guerrier.txtp", FEUILLE);
  std::string nom = dossier + "\\Persos\\Guerrier.txtp";
  auto fiche = fiche_vide();
  scan_feuille_perso(nom.data(), fiche.get());
  EXPECT_STREQ(fiche->nom, "Lyra");
#ifdef _WIN32
  EXPECT_EQ(nom, dossier + "\\Persos\\Guerrier.txtp");  // Windows keeps the name
  EXPECT_STREQ(fiche->dossier, (dossier + "\\Persos\\").c_str());
#else
  EXPECT_EQ(nom, dossier + "/Persos/Guerrier.txtp");  // changed in the caller's buffer
  EXPECT_STREQ(fiche->dossier, (dossier + "/Persos/").c_str());
#endif

  // A name without a separator: the sheet in the current folder.
  const fs::path avant = fs::current_path();
  fs::current_path(dossier + "/Persos");
  std::snprintf(fiche->dossier, sizeof fiche->dossier, "ancien/");
  char seul[] = "Guerrier.txtp";
  scan_feuille_perso(seul, fiche.get());
  fs::current_path(avant);
  EXPECT_STREQ(fiche->dossier, "");
}

TEST(ScanFeuillePerso, WindowsLineEndsReadTheSame) {
  std::string crlf;
  for (const char c : FEUILLE) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(affiche(*lit(crlf)), affiche(*lit(FEUILLE)));
}

TEST(AfficheurStructDebug, ReadingTheDisplaysLayoutAndShowingItAgainGivesTheSameLines) {
  // The display puts the additional attack among the weapons, and the reader
  // keeps the space before a skill's '+' as part of its name, so the name
  // comes back with it before the display's own " +".
  std::string attendu =
      remplace(FEUILLE, "Bouclier:", "Attaque suppl\xE9mentaire: Morsure du loup +4\nBouclier:");
  attendu = remplace(attendu, "#attsup.Morsure du loup +4\n", "");
  attendu = remplace(attendu, "nature +9", "nature  +9");
  attendu = remplace(attendu, "secours +6", "secours  +6");
  EXPECT_EQ(affiche(*lit(FEUILLE)), "\n" + attendu);

  // Without skill bonuses and additional attacks, the bytes come back as written.
  std::string simple = remplace(FEUILLE, "Connaissance de la nature +9\nPremiers secours +6\n", "");
  simple = remplace(simple, "#attsup.Morsure du loup +4\n", "");
  EXPECT_EQ(affiche(*lit(simple)), "\n" + simple);
}

TEST(AfficheurStructDebug, ShowsEmptyListsEmptyWeaponsAndZeroModifiers) {
  auto f = fiche_vide();
  for (char *liste : {f->traits_physiques[0], f->langues[0], f->dons[0], f->competences[0],
                      f->capacites_speciales[0], f->equipement[0]})
    std::strcpy(liste, ">");
  f->attaques[0] = 1;
  f->attaques[1] = 6;
  f->attaques[2] = 1;
  f->modificateurs[4] = -1;
  f->xp = -1;
  EXPECT_EQ(affiche(*f),
            "\nNom: \nClasse de personnage: \nNiveau: 0\nTraits physiques:\n Race: \n Sexe: \n"
            " Poids: 0Kg\n Taille: 0cm ()\n Age: 0 ans\n>\nCaract\xE9ristiques:\n"
            "Force: 0 (+0)\nDext\xE9rit\xE9: 0 (+0)\nConstitution: 0 (+0)\n"
            "Intelligence: 0 (+0)\nSagesse: 0 (-1)\nCharisme: 0 (+0)\n"
            "\nAlignement: \nJet d'attaque: +6\\+1\nJet de sauvegarde:\n"
            " R\xE9"
            "flexe: +0\n Vigueur: +0\n Volont\xE9: +0\nPoints de vie: 0 (DV=0+0d0+0)\n"
            "Armure: \nArme principale: \nArme secondaire: \nArme tertiaire: \nBouclier: \n"
            "Langues parl\xE9"
            "es:\n>\nDons:\n>\nComp\xE9tences:\n>\n"
            "0 objets magiques \xE0 d\xE9terminer.\nPoints d'exp\xE9rience: -1\n"
            "Capacit\xE9s sp\xE9"
            "ciales:\n>\n#Equipements:\n>\n");
}

TEST(ScanFeuillePerso, ASheetCutAnywhereEndsWithEveryListClosed) {
  const std::string complete = lit_fichier("exemples/guerrier.txtp");
  ASSERT_GT(complete.size(), 1000u);
  for (std::size_t longueur = 0; longueur <= complete.size(); ++longueur) {
    const auto f = lit(complete.substr(0, longueur));
    for (const Liste &liste :
         {entrees(f->traits_physiques), entrees(f->langues), entrees(f->dons),
          entrees(f->competences), entrees(f->capacites_speciales), entrees(f->equipement)})
      ASSERT_EQ(liste.back(), ">") << longueur;
  }

  // Cut inside the physical traits: what follows is empty, the lists closed.
  const std::string traits = "Cicatrice en travers de la joue gauche\n";
  const auto f = lit(complete.substr(0, complete.find(traits) + traits.size()));
  EXPECT_EQ(entrees(f->traits_physiques), (Liste{"Cicatrice en travers de la joue gauche", ">"}));
  EXPECT_EQ(f->caracteristiques[0], 0);
  EXPECT_STREQ(f->vision, "");
  EXPECT_STREQ(f->armure, ">");
  EXPECT_STREQ(f->bouclier, ">");
  EXPECT_EQ(f->xp, -1);
  for (const Liste &liste : {entrees(f->langues), entrees(f->dons), entrees(f->competences),
                             entrees(f->capacites_speciales), entrees(f->equipement)})
    EXPECT_EQ(liste, Liste{">"});
}

TEST(ScanFeuillePerso, TextsAndListsLongerThanTheRecordAreCut) {
  std::string langues, equipement, bonus;
  for (int i = 1; i <= 40; ++i) langues += "Langue " + std::to_string(i) + "\n";
  for (int i = 1; i <= 120; ++i) equipement += "Objet " + std::to_string(i) + "\n";
  for (int i = 1; i <= 60; ++i) bonus += (i > 1 ? "\\+" : "+") + std::to_string(i);
  std::string feuille = remplace(FEUILLE, "Nom: Lyra", "Nom: " + std::string(300, 'N'));
  feuille = remplace(feuille, "Druide", std::string(80, 'C'));
  feuille = remplace(feuille, "(M)", "(Tr\xE8s grande taille)");
  feuille = remplace(feuille, "Tatouage", std::string(400, 'T'));
  feuille = remplace(feuille, "Jet d'attaque: +3", "Jet d'attaque: " + bonus);
  feuille = remplace(feuille, "Commun\nElfe\nDruidique\n", langues);
  feuille = remplace(feuille, "Premiers secours", std::string(150, 'P'));
  feuille = remplace(feuille, "Houx\nBaies\n", equipement);
  const auto f = lit(feuille);

  EXPECT_EQ(std::string(f->nom), std::string(249, 'N'));  // a line holds 254 bytes
  EXPECT_EQ(std::string(f->classe), std::string(49, 'C'));
  EXPECT_STREQ(f->categorie_taille, "Tr\xE8s gran");
  EXPECT_EQ(entrees(f->traits_physiques), (Liste{std::string(254, 'T'), ">"}));
  EXPECT_EQ(f->caracteristiques[0], 8);  // the long line did not shift the next ones
  std::vector<int> attendues = {48};
  for (int i = 1; i <= 49; ++i) attendues.push_back(i);
  EXPECT_EQ(attaques(*f), attendues);
  Liste premieres;
  for (int i = 1; i <= 29; ++i) premieres.push_back("Langue " + std::to_string(i));
  premieres.push_back(">");
  EXPECT_EQ(entrees(f->langues), premieres);
  EXPECT_EQ(entrees(f->dons), (Liste{"Dispense de composantes mat\xE9rielles", ">"}));
  EXPECT_EQ(f->competences[1], std::string(99, 'P'));
  EXPECT_EQ(f->bonus_competences[1], 6);
  EXPECT_EQ(f->xp, 900);
  const Liste objets = entrees(f->equipement);
  ASSERT_EQ(objets.size(), 100u);
  EXPECT_EQ(objets[98], "Objet 99");
  EXPECT_EQ(objets[99], ">");
}
