// Sondeur --chances and --tirer run as an author of tables runs them: the
// exact odds of every entry, the entries that no roll reaches and why, the
// sections of a collection, a faulty table refused, draws that a seed
// repeats and whose counts follow the odds.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/programme.h"
#include "tests/support/support.h"

namespace {

ExecutionScript sondeur(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), std::filesystem::absolute(SONDEUR).string());
  ExecutionScript e = lance_sans_terminal(arguments);
  for (std::size_t cr; (cr = e.sortie.find("\r\n")) != std::string::npos;) e.sortie.erase(cr, 1);
  return e;
}

std::vector<nlohmann::json> objets(const std::string &sortie) {
  std::vector<nlohmann::json> liste;
  std::istringstream flux(sortie);
  for (std::string ligne; std::getline(flux, ligne);) liste.push_back(nlohmann::json::parse(ligne));
  return liste;
}

// "line entry level faces chance overall unreachable" of each object.
std::vector<std::string> resume(const std::vector<nlohmann::json> &liste) {
  std::vector<std::string> lignes;
  for (const nlohmann::json &o : liste) {
    std::string faces;
    for (const auto &f : o["faces"])
      faces += (faces.empty() ? "" : ",") + std::to_string(f.get<int>());
    lignes.push_back(std::to_string(o["line"].get<int>()) + " " + o["entry"].get<std::string>() +
                     " " + std::to_string(o["level"].get<int>()) + " [" + faces + "] " +
                     o["chance"].get<std::string>() + " " + o["overall"].get<std::string>() +
                     (o["unreachable"].is_null() ? "" : " " + o["unreachable"].get<std::string>()));
  }
  return lignes;
}

// The arrow of a draw: UTF-8 on Linux, ASCII in the Windows console's
// code page 850.
#ifdef _WIN32
const std::string FLECHE = " -> ";
#else
const std::string FLECHE = " \xE2\x86\x92 ";
#endif

const std::string EXEMPLE =
    "dd6:1:Gobelin\n2-3:Orc\n4:dd2:1:Loup\n2:Ours\n5:tt Tr\xE9sor\n6:# Pi\xE8ges\nVoir la table "
    "des pi\xE8ges\n";

}  // namespace

TEST(Chances, TheWorkedTableEntryByEntry) {
  const ExecutionScript e =
      sondeur({"--chances", "--format", "json", ecrit_fichier("t.tbl", EXEMPLE)});
  EXPECT_EQ(
      resume(objets(e.sortie)),
      (std::vector<std::string>{"1 1 0 [1] 1/6 1/6", "2 2-3 0 [2,3] 2/6 1/3", "3 4 0 [4] 1/6 1/6",
                                "3 1 1 [1] 1/2 1/12", "4 2 1 [2] 1/2 1/12", "5 5 0 [5] 1/6 1/6",
                                "6 6 0 [6] 1/6 1/6"}));
  EXPECT_EQ(e.statut, 0);
  const ExecutionScript texte = sondeur({"--chances", ecrit_fichier("t.tbl", EXEMPLE)});
  EXPECT_NE(texte.sortie.find("\n      3    1     1      1/2  50,0 %  1/12   8,3 %  Loup\n"
                              "      4    2     2      1/2  50,0 %  1/12   8,3 %  Ours\n"
                              "           total dd2 : 2/2  100,0 %\n"),
            std::string::npos)
      << texte.sortie;
  EXPECT_NE(texte.sortie.find("\n         total dd6 : 6/6  100,0 %\n"), std::string::npos);
}

TEST(Chances, EntriesThatNoRollReachesSayWhy) {
  const std::string table = "dd6:1:a\n2-3:dd2:1:b\n2-1:c\n2:d\n4:e\n5-9:dd3:1:f\n2-3:g\n";
  EXPECT_EQ(
      resume(
          objets(sondeur({"--chances", "--format", "json", ecrit_fichier("t.tbl", table)}).sortie)),
      (std::vector<std::string>{"1 1 0 [1] 1/6 1/6", "2 2-3 0 [2,3] 2/6 1/3", "2 1 1 [1] 1/2 1/6",
                                "3 2-1 1 [] 0/2 0/1 intervalle \xC3\xA0 l'envers",
                                "4 2 1 [2] 1/2 1/6", "5 4 0 [4] 1/6 1/6", "6 5-9 0 [5,6] 2/6 1/3",
                                "6 1 1 [1] 1/3 1/9", "7 2-3 1 [2,3] 2/3 2/9"}));
  const std::string deja = "dd4:1:a\n2-3:b\n4-2:c\n3:d\n4:e\n";
  EXPECT_EQ(
      resume(objets(
          sondeur({"--chances", "--format", "json", ecrit_fichier("d.tbl", deja)}).sortie))[3],
      "4 3 0 [] 0/4 0/1 faces d\xC3\xA9j\xC3\xA0 prises par des entr\xC3\xA9"
      "es pr\xC3\xA9"
      "c\xC3\xA9"
      "dentes");
  const std::string apres = "dd2:1:a\n2:b\nNotes\n3:c\n4-5:d\n";
  const std::string au_dela = " au-del\xC3\xA0 de la taille de la liste";
  EXPECT_EQ(
      resume(
          objets(sondeur({"--chances", "--format", "json", ecrit_fichier("a.tbl", apres)}).sortie)),
      (std::vector<std::string>{"1 1 0 [1] 1/2 1/2", "2 2 0 [2] 1/2 1/2",
                                "4 3 0 [] 0/2 0/1" + au_dela, "5 4-5 0 [] 0/2 0/1" + au_dela}));
  const std::string vide = "dd0:1:dd2:1:x\n2:y\n";
  EXPECT_EQ(resume(objets(
                sondeur({"--chances", "--format", "json", ecrit_fichier("v.tbl", vide)}).sortie)),
            (std::vector<std::string>{"1 1 0 [] 0/0 0/1" + au_dela,
                                      "1 1 1 [1] 1/2 0/1 sa liste n'est jamais tir\xC3\xA9"
                                      "e",
                                      "2 2 1 [2] 1/2 0/1 sa liste n'est jamais tir\xC3\xA9"
                                      "e"}));
}

TEST(Chances, EachSectionOfACollectionIsATable) {
  const std::string recueil =
      "_Recueil\n#Rencontres\ndd2:1:Gobelin\n2:Orc\nnotes\n#Tr\xE9sors\ndd4:1-3:Coffre\n4:Rien\n";
  const std::vector<nlohmann::json> o =
      objets(sondeur({"--chances", "--format", "json", ecrit_fichier("r.tbl", recueil)}).sortie);
  ASSERT_EQ(o.size(), 4u);
  EXPECT_EQ(o[0]["section"], "Rencontres");
  EXPECT_EQ(o[1]["overall"], "1/2");
  EXPECT_EQ(o[2]["section"], "Tr\xC3\xA9sors");
  EXPECT_EQ(o[2]["overall"], "3/4");
  const std::vector<nlohmann::json> pp = objets(
      sondeur({"--chances", "--format", "json", ecrit_fichier("p.tbl", "pp Armes:dd1:1:Dague\n")})
          .sortie);
  ASSERT_EQ(pp.size(), 1u);
  EXPECT_EQ(pp[0]["section"], " Armes");
}

TEST(Chances, AFaultyTableShowsItsFindingsInstead) {
  const std::string fautive = ecrit_fichier("f.tbl", "dd3:1:a\n3:b\n");
  const ExecutionScript e = sondeur({"--chances", fautive, ecrit_fichier("t.tbl", "dd1:1:a\n")});
  EXPECT_EQ(e.sortie.substr(0, e.sortie.find('\n') + 1),
            fautive + ":2:1: erreur: valeur incorrecte: 3:b\n");
  EXPECT_EQ(e.statut, 1);
  EXPECT_EQ(sondeur({"--tirer", fautive}).statut, 1);
  EXPECT_EQ(sondeur({"--chances", dossier_du_test() + "/absente.tbl"}).statut, 2);
}

TEST(Tirage, ASeedRepeatsItsDrawsAndTheCountsFollowTheOdds) {
  const std::string t = ecrit_fichier("t.tbl", EXEMPLE);
  const ExecutionScript une =
      sondeur({"--tirer", "-n", "50", "--graine", "1234", "--format", "json", t});
  const ExecutionScript deux =
      sondeur({"--tirer", "-n", "50", "--graine", "1234", "--format", "json", t});
  EXPECT_EQ(une.sortie, deux.sortie);
  const std::vector<nlohmann::json> tirages = objets(une.sortie);
  ASSERT_EQ(tirages.size(), 50u);
  for (const nlohmann::json &o : tirages) {  // each draw as the table says
    const auto &jets = o["rolls"];
    ASSERT_FALSE(jets.empty());
    EXPECT_EQ(jets[0]["die"], 6);
    const int face = jets[0]["face"];
    const int ligne_attendue = face == 1 ? 1 : face <= 3 ? 2 : face == 4 ? 3 : face == 5 ? 5 : 6;
    EXPECT_EQ(jets[0]["line"], ligne_attendue) << o;
    EXPECT_EQ(jets.size(), face == 4 ? 2u : 1u) << o;
    if (face == 4) {
      EXPECT_EQ(o["text"], jets[1]["face"] == 1 ? "Loup" : "Ours") << o;
    } else if (face == 6) {
      EXPECT_EQ(o["text"], "# Pi\xC3\xA8ges Voir la table des pi\xC3\xA8ges");
    }
  }
  // 60000 draws: each count within 1.5 % of the draws of its chance (more
  // than six standard deviations), whatever the generator of the system.
  const std::vector<nlohmann::json> comptes = objets(
      sondeur({"--tirer", "-n", "60000", "--graine", "99", "--compte", "--format", "json", t})
          .sortie);
  const std::vector<std::pair<int, int>> attendus = {{1, 10000}, {2, 20000}, {3, 5000},
                                                     {4, 5000},  {5, 10000}, {6, 10000}};
  ASSERT_EQ(comptes.size(), attendus.size());
  long total = 0;
  for (std::size_t i = 0; i < comptes.size(); ++i) {
    EXPECT_EQ(comptes[i]["line"], attendus[i].first);
    const long n = comptes[i]["count"];
    EXPECT_NEAR(n, attendus[i].second, 900) << comptes[i];
    total += n;
  }
  EXPECT_EQ(total, 60000);
  EXPECT_EQ(comptes[2]["overall"], "1/12");
}

TEST(Tirage, ASectionIsChosenByItsTitle) {
  const std::string recueil = ecrit_fichier("r.tbl", "#Un\ndd1:1:Gobelin\n#Deux\ndd1:1:Orc\n");
  EXPECT_EQ(sondeur({"--tirer", "--section", "Deux", "--graine", "1", recueil}).sortie,
            "d1=1" + FLECHE + "ligne 4 : Orc\n");
  EXPECT_EQ(sondeur({"--tirer", "--graine", "1", recueil}).sortie,
            "d1=1" + FLECHE + "ligne 2 : Gobelin\n");
  const ExecutionScript inconnue = sondeur({"--tirer", "--section", "Trois", recueil});
  EXPECT_EQ(inconnue.erreurs.substr(0, 33), "Sondeur: section inconnue : Trois");
  EXPECT_EQ(inconnue.statut, 2);
}
