// presentation.cpp -- writing odds and draws (presentation.h).
#include "sondeur/presentation.h"

#include <charconv>
#include <cmath>

#include "sondeur/affichage.h"

void ajoute_nombre(std::string &texte, std::int64_t nombre) {
  char chiffres[24];  // a sign and 19 digits
  texte.append(chiffres, std::to_chars(chiffres, chiffres + sizeof chiffres, nombre).ptr);
}

// In tenths of a percent, rounded: 1/3 gives 333, written "33,3 %".
void ajoute_pourcentage(std::string &texte, double part) {
  const double dixiemes = part * 1000.0 + 0.5;  // rounded as it is cut
  const auto n = static_cast<std::int64_t>(dixiemes >= 0 && dixiemes < 1e15 ? dixiemes : 0);
  ajoute_nombre(texte, n / 10);
  texte += ',';
  texte += static_cast<char>('0' + n % 10);
  texte += " %";
}

void ajoute_libelle(std::string &texte, const Modele::Element &e) {
  ajoute_nombre(texte, e.numero);
  if (!e.intervalle) return;
  texte += '-';
  ajoute_nombre(texte, e.fin);
}

void ajoute_faces(std::string &texte, const Modele &modele, const Modele::Element &e) {
  if (e.runs == 0) {
    texte += '-';
    return;
  }
  for (std::uint32_t i = 0; i < e.runs; ++i) {
    const Faces &f = modele.faces()[e.faces + i];
    if (i > 0) texte += ',';
    ajoute_nombre(texte, f.premiere);
    if (f.derniere == f.premiere) continue;
    texte += '-';
    ajoute_nombre(texte, f.derniere);
  }
}

std::size_t largeur(std::string_view utf8) {
  std::size_t n = 0;
  for (const char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

void ajoute_raccourci(std::string &sortie, std::string_view texte, std::size_t largeur_max) {
  const std::size_t debut = sortie.size();
  ajoute_affichable(sortie, texte);
  if (sortie.size() - debut <= largeur_max) return;  // no more characters than bytes
  const std::size_t garde = largeur_max > 3 ? largeur_max - 3 : 0;
  std::size_t caracteres = 0, coupe = std::string::npos;
  for (std::size_t i = debut; i < sortie.size(); ++i) {
    if ((static_cast<unsigned char>(sortie[i]) & 0xC0) == 0x80) continue;
    if (caracteres == garde) coupe = i;
    if (++caracteres > largeur_max) {
      sortie.resize(coupe);
      sortie += "...";
      return;
    }
  }
}

void ajoute_cadre(std::string &sortie, std::string_view texte, std::size_t largeur_voulue,
                  char sens) {
  const std::size_t n = texte.size() < largeur_voulue ? largeur(texte) : largeur_voulue;
  const std::size_t blancs = n < largeur_voulue ? largeur_voulue - n : 0;
  if (sens == '>') sortie.append(blancs, ' ');
  sortie.append(texte);
  if (sens == '<') sortie.append(blancs, ' ');
}

std::string nom_utf8(const Chemin &chemin) {
#ifdef _WIN32
  return en_utf8(chemin.systeme);
#else
  return en_utf8(chemin.affiche);
#endif
}
