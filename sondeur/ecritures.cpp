// ecritures.cpp -- the formats of the batch mode's findings (ecritures.h).
#include "sondeur/ecritures.h"

#include <nlohmann/json.hpp>

#include <string>

#include "sondeur/affichage.h"
#include "sondeur/presentation.h"

namespace {

// "1 erreur de plus, non montrée", "23 erreurs de plus, non montrées".
std::string cachees(long n) {
  const char *s = n > 1 ? "s" : "";
  return std::to_string(n) + " erreur" + s + " de plus, non montrée" + s;
}

// What a finding says after its place: the error's reason and its line, or
// the warning's message. A cut table's reason says all.
std::string message_complet(const Constat &c) {
  std::string message = c.message;
  if (c.gravite == Gravite::erreur && c.code != Code::table_incomplete) {
    message += ": ";
    message.append(c.texte);
    if (c.texte_tronque) message += "...";
  }
  return message;
}

void ecrit(const std::string &ligne, std::FILE *flux) {
  std::fwrite(ligne.data(), 1, ligne.size(), flux);
}

// "exemples/t.tbl:3:1: erreur: valeur incorrecte: 4:Un revenant"
class Texte final : public Ecriture {
 public:
  explicit Texte(std::FILE *flux) : flux_(flux) {}

  void constat(const Chemin &chemin, const Constat &c) override {
    ligne_.clear();
    ajoute_chemin(ligne_, chemin.affiche);
    ligne_ += ':' + std::to_string(c.lieu.ligne) + ':' + std::to_string(c.lieu.colonne) + ": ";
    ligne_ += c.gravite == Gravite::erreur ? "erreur: " : "avertissement: ";
    ajoute_texte(ligne_, message_complet(c));
    ligne_ += '\n';
    ecrit(ligne_, flux_);
  }

  void erreurs_cachees(const Chemin &chemin, long n) override {
    ligne_.clear();
    ajoute_chemin(ligne_, chemin.affiche);
    ligne_ += ": ";
    ajoute_texte(ligne_, cachees(n));
    ligne_ += '\n';
    ecrit(ligne_, flux_);
  }

 private:
  std::FILE *flux_;
  std::string ligne_;
};

// {"file": ..., "line": 3, "column": 1, "severity": "error", "code":
// "numerotation", "message": "valeur incorrecte", "text": "4:Un revenant"}
class Json final : public Ecriture {
 public:
  explicit Json(std::FILE *flux) : flux_(flux) {}

  void constat(const Chemin &chemin, const Constat &c) override {
    std::string texte = en_utf8(c.texte);
    if (c.texte_tronque) texte += "...";
    nlohmann::ordered_json objet;
    objet["file"] = nom_utf8(chemin);
    objet["line"] = c.lieu.ligne;
    objet["column"] = c.lieu.colonne;
    objet["severity"] = c.gravite == Gravite::erreur ? "error" : "warning";
    objet["code"] = nom_du_code(c.code);
    objet["message"] = en_utf8(c.message);
    objet["text"] = texte;
    ecrit_objet(objet);
  }

  void erreurs_cachees(const Chemin &chemin, long n) override {
    nlohmann::ordered_json objet;
    objet["file"] = nom_utf8(chemin);
    objet["line"] = nullptr;
    objet["column"] = nullptr;
    objet["severity"] = "note";
    objet["code"] = "erreurs-cachees";
    objet["message"] = en_utf8(cachees(n));
    objet["text"] = nullptr;
    objet["count"] = n;
    ecrit_objet(objet);
  }

 private:
  void ecrit_objet(const nlohmann::ordered_json &objet) { ecrit(ligne_json(objet.dump()), flux_); }

  std::FILE *flux_;
};

// A workflow command's data: '%', CR and LF encoded; in its properties also
// ':' and ','. Other control characters are encoded the same way, so that
// none reaches the log raw.
std::string pour_github(std::string_view texte, bool propriete) {
  std::string sortie;
  for (const char c : texte) {
    const unsigned char octet = static_cast<unsigned char>(c);
    if (c == '%' || octet < 0x20 || octet == 0x7F || (propriete && (c == ':' || c == ','))) {
      char code[4];  // "%0A" and the NUL
      std::snprintf(code, sizeof code, "%%%02X", octet);
      sortie += code;
    } else {
      sortie += c;
    }
  }
  return sortie;
}

// "::error file=t.tbl,line=3,col=1,title=numerotation::valeur incorrecte: 4:Un revenant"
class Github final : public Ecriture {
 public:
  explicit Github(std::FILE *flux) : flux_(flux) {}

  void constat(const Chemin &chemin, const Constat &c) override {
    std::string ligne = c.gravite == Gravite::erreur ? "::error file=" : "::warning file=";
    ligne += pour_github(nom_utf8(chemin), true);
    ligne += ",line=" + std::to_string(c.lieu.ligne) + ",col=" + std::to_string(c.lieu.colonne);
    ligne += ",title=" + pour_github(nom_du_code(c.code), true) + "::";
    ligne += pour_github(affichable(message_complet(c)), false) + '\n';
    ecrit(ligne, flux_);
  }

  void erreurs_cachees(const Chemin &chemin, long n) override {
    ecrit("::notice file=" + pour_github(nom_utf8(chemin), true) +
              "::" + pour_github(affichable(cachees(n)), false) + '\n',
          flux_);
  }

 private:
  std::FILE *flux_;
};

}  // namespace

std::string ligne_json(const std::string &objet) {
  std::string ligne;
  ligne.reserve(objet.size() + 1);
  for (std::size_t i = 0; i < objet.size(); ++i) {
    const unsigned char suite = i + 1 < objet.size() ? static_cast<unsigned char>(objet[i + 1]) : 0;
    if (static_cast<unsigned char>(objet[i]) == 0xC2 && suite >= 0x80 && suite <= 0x9F) {
      static const char chiffres[] = "0123456789abcdef";
      ligne += "\\u00";
      ligne += chiffres[suite >> 4];
      ligne += chiffres[suite & 0xF];
      ++i;
    } else {
      ligne += objet[i];
    }
  }
  return ligne + '\n';
}

std::string chaine_json(const std::string &utf8) {
  std::string ligne = ligne_json(nlohmann::json(utf8).dump());
  ligne.pop_back();  // its line feed
  return ligne;
}

std::unique_ptr<Ecriture> ecriture_pour(Format format, std::FILE *flux) {
  switch (format) {
    case Format::json: return std::make_unique<Json>(flux);
    case Format::github: return std::make_unique<Github>(flux);
    case Format::texte: break;
  }
  return std::make_unique<Texte>(flux);
}
