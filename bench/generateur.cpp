// generateur.cpp -- random tables (generateur.h).
#include "bench/generateur.h"

#include <array>
#include <string>

namespace {

// The words of the entries; none holds "dd", "pp" or a line end.
constexpr std::array<const char *, 12> mots = {"Gobelin",
                                               "Orc des collines",
                                               "Loup",
                                               "Ours brun",
                                               "Tr\xE9sor",
                                               "Pi\xE8ge \xE0 loup",
                                               "Marchand ambulant",
                                               "Brigands",
                                               "Rien",
                                               "Orage",
                                               "Chauve-souris",
                                               "Pr\xEAtre errant"};

class Ecrivain {
 public:
  // Writes into `sortie`, or when it is null into `texte_ecrit()`.
  Ecrivain(std::FILE *sortie, const Forme &forme)
      : sortie_(sortie), forme_(forme), hasard_(forme.graine) {}

  const std::string &texte_ecrit() const { return texte_; }

  void table() {
    switch (forme_.genre) {
      case 2:
        ligne("_Recueil de tables");
        for (int t = 0; t < forme_.tables; ++t) titre_et_liste(true);
        break;
      case 3:
        for (int t = 0; t < forme_.tables; ++t) {
          ecrit("pp Table " + std::to_string(t + 1) + ":");
          liste(forme_.entrees, 0);
          libres();
        }
        break;
      case 4:
        for (int t = 0; t < forme_.tables; ++t) titre_et_liste(t > 0);
        break;
      case 5:
        ligne(
            "%Table titr\xE9"
            "e");
        [[fallthrough]];
      default: ecrit(tirage(2) ? "Rencontres " : ""); liste(forme_.entrees, 0);
    }
  }

 private:
  void ecrit(const std::string &texte) {
    if (sortie_ != nullptr)
      std::fputs(texte.c_str(), sortie_);
    else
      texte_ += texte;
  }
  void ligne(const std::string &texte) { ecrit(texte + "\n"); }
  int tirage(int n) { return static_cast<int>(hasard_() % static_cast<unsigned>(n)); }

  // A '#' title, after free lines when `apres_libres`, then its table.
  void titre_et_liste(bool apres_libres) {
    if (apres_libres) libres();
    ligne("#Table " + std::to_string(tirage(1000)));
    liste(forme_.entrees, 0);
  }

  // Free lines between the tables of a collection: never '#' nor "pp" first.
  void libres() {
    for (int n = tirage(3); n > 0; --n) ligne(tirage(2) ? "" : "Lignes libres entre les tables.");
  }

  // The text of an entry, up to its line end, sometimes long: under 200
  // bytes, so that with its number and nested "dd" markers the line stays
  // within the 254 bytes that the engine reads at once.
  std::string texte() {
    std::string t = mots[static_cast<std::size_t>(tirage(static_cast<int>(mots.size())))];
    if (forme_.longues && tirage(8) == 0)
      while (t.size() < 180) t += std::string(" et ") + mots[static_cast<std::size_t>(tirage(12))];
    return t;
  }

  // "dd<taille>:" then the list's entries, the first on the current line.
  void liste(std::int64_t taille, int niveau) {
    ecrit("dd" + std::to_string(taille) + ":");
    for (std::int64_t n = 1; n <= taille;) {
      std::int64_t fin = n;
      if (forme_.intervalles && tirage(6) == 0) fin = std::min(taille, n + 1 + tirage(3));
      ecrit(fin > n ? std::to_string(n) + "-" + std::to_string(fin) + ":"
                    : std::to_string(n) + ":");
      entree(niveau);
      n = fin + 1;
    }
  }

  // An entry's text: a nested list, a keyword, a continuation, or words.
  void entree(int niveau) {
    const int choix = tirage(20);
    if (niveau < forme_.profondeur && choix == 0) {
      liste(1 + tirage(4), niveau + 1);
    } else if (forme_.suites && choix <= 2) {
      ligne(std::string(choix == 1 ? "# " : "> ") + texte());
      if (niveau < forme_.profondeur && tirage(3) == 0) {
        if (forme_.mots_cles && tirage(2)) ecrit("0:");
        liste(1 + tirage(3), niveau + 1);
      } else {
        ligne((forme_.mots_cles && tirage(2) ? "0:" : "") + texte());
      }
    } else if (forme_.mots_cles && choix >= 3 && choix <= 5) {
      const char *mot_cle[] = {"tt ", "tt+ ", "tt0 "};
      ligne(mot_cle[choix - 3] + texte());
    } else {
      ligne(texte());
    }
  }

  std::FILE *sortie_;
  std::string texte_;
  Forme forme_;
  std::mt19937 hasard_;
};

}  // namespace

Forme forme_au_hasard(std::mt19937 &hasard) {
  Forme f;
  f.genre = 1 + static_cast<int>(hasard() % 5);
  f.entrees = 1 + hasard() % 12;
  f.tables = 1 + static_cast<int>(hasard() % 3);
  f.profondeur = static_cast<int>(hasard() % 4);
  f.longues = hasard() % 4 == 0;
  f.graine = static_cast<unsigned>(hasard());
  return f;
}

void ecrit_table(std::FILE *sortie, const Forme &forme) { Ecrivain(sortie, forme).table(); }

std::string table_valide(const Forme &forme) {
  Ecrivain ecrivain(nullptr, forme);
  ecrivain.table();
  return ecrivain.texte_ecrit();
}

std::string abime(std::string table, std::mt19937 &hasard) {
  const char pieces[] = "0123456789:-#> t+dp._%\n\xFF";
  auto au_hasard = [&](std::size_t n) { return n == 0 ? 0 : hasard() % n; };
  for (int coups = 1 + static_cast<int>(hasard() % 3); coups > 0 && !table.empty(); --coups) {
    const std::size_t ici = au_hasard(table.size());
    switch (hasard() % 7) {
      case 0: table[ici] = pieces[au_hasard(sizeof pieces - 1)]; break;
      case 1: table.insert(ici, 1, pieces[au_hasard(sizeof pieces - 1)]); break;
      case 2: table.erase(ici, 1); break;
      case 3: table.resize(ici); break;
      case 4: table.insert(ici, 1, '\0'); break;
      case 5: {  // a line dropped
        const std::size_t debut = table.rfind('\n', ici);
        const std::size_t fin = table.find('\n', ici);
        const std::size_t d = debut == std::string::npos ? 0 : debut + 1;
        table.erase(d, fin == std::string::npos ? std::string::npos : fin - d + 1);
        break;
      }
      default: table.insert(ici, std::string(240 + au_hasard(40), 'x'));  // an over-long line
    }
  }
  return table;
}

std::string charabia(std::mt19937 &hasard) {
  static const std::array<const char *, 24> pieces = {
      "dd", "1",  "2", "3",  "0",   "9", "-",  ":",  "0:", "0.", ".", "#",
      "# ", "> ", ">", "tt", "tt+", " ", "\n", "pp", "_",  "%",  "x", "\0"};
  std::string texte;
  for (int n = static_cast<int>(hasard() % 60); n > 0; --n) {
    const char *piece = pieces[hasard() % pieces.size()];
    texte += *piece ? std::string(piece) : std::string(1, '\0');
  }
  return texte;
}
