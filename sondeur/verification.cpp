// verification.cpp -- the whole check of one table (verification.h): the
// reading's faults become errors, what it tells and the bytes it reads go to
// the warnings, and the findings go out in line order.
#include "sondeur/verification.h"

namespace {

class Ecoute final : public Observateur, public SuiviLecture {
 public:
  Ecoute(Constats &constats, Avertissements &avertissements, Observateur *detail)
      : Observateur(true, detail != nullptr),
        constats_(constats),
        avertissements_(avertissements),
        detail_(detail) {}

  void section(std::string_view titre, const Lieu &lieu) override {
    if (detail_ != nullptr) detail_->section(titre, lieu);
  }
  void liste(int niveau, std::int32_t taille, bool marquee, const Lieu &lieu) override {
    avertissements_.liste(niveau, taille, marquee, lieu);
    if (detail_ != nullptr) detail_->liste(niveau, taille, marquee, lieu);
    suit_les_constats();
  }
  void entree(const Entree &entree) override {
    avertissements_.entree(entree);
    if (detail_ != nullptr) detail_->entree(entree);
    suit_les_constats();
  }
  void suite(std::string_view texte, const Lieu &lieu) override {
    if (detail_ != nullptr) detail_->suite(texte, lieu);
  }
  void apres_la_fin(std::string_view ligne, const Lieu &lieu) override {
    avertissements_.apres_la_fin(ligne, lieu);
    if (detail_ != nullptr) detail_->apres_la_fin(ligne, lieu);
    suit_les_constats();
  }
  void faute(const Faute &faute) override {
    avertissements_.faute(faute);
    constats_.ajoute(Gravite::erreur, faute.code, faute.lieu, "%s", faute.raison);
    if (detail_ != nullptr) detail_->faute(faute);
    suit_les_constats();
  }

  void octets(const unsigned char *octets, std::size_t n) override {
    avertissements_.octets(octets, n);
    suit_les_constats();
  }
  void ligne_finie(const Ligne &ligne) override {
    avertissements_.ligne_finie(ligne);
    constats_.ligne_finie(ligne);
    if (constats_.attente_pleine()) avertissements_.tranche_maintenant();
    suit_les_constats();
  }

 private:
  // The reader tells the end of the current line only when it matters.
  void suit_les_constats() { lignes_voulues = constats_.ligne_voulue(); }

  Constats &constats_;
  Avertissements &avertissements_;
  Observateur *detail_;
};

}  // namespace

Bilan Verification::verifie(Source &source, Observateur *detail) {
  constats_.commence();
  avertissements_.commence();
  Ecoute ecoute(constats_, avertissements_, detail);
  Lecteur lecteur(source, &ecoute);  // 64 KiB of read buffer, the rest small
  lit_table(lecteur, ecoute, Etendue::tout_le_fichier);
  lecteur.termine();
  avertissements_.fin_du_fichier();
  constats_.termine();
  return {constats_.erreurs(), constats_.avertissements(), !lecteur.en_erreur()};
}
