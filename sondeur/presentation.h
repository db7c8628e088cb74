// presentation.h -- how the odds and the draws of a table are written for
// their reader: a percentage in French ("33,3 %"), an entry's number or
// range ("2-3"), its runs of faces ("1,3-4"), a text shortened to fit its
// line. Each writer appends to a text that the caller keeps, so that a long
// report costs no allocation a line.
#ifndef SONDEUR_PRESENTATION_H
#define SONDEUR_PRESENTATION_H

#include <cstdint>
#include <string>
#include <string_view>

#include "sondeur/modele.h"
#include "sondeur/parcours.h"

// 1/3 -> "33,3 %", 1 -> "100,0 %".
void ajoute_pourcentage(std::string &texte, double part);

// A whole number in decimal.
void ajoute_nombre(std::string &texte, std::int64_t nombre);

// "4", or "2-3" for a range (as read: "4-2" for a reversed one).
void ajoute_libelle(std::string &texte, const Modele::Element &e);

// The runs of faces that `e` wins: "2-3", "1,3-4"; "-" for none.
void ajoute_faces(std::string &texte, const Modele &modele, const Modele::Element &e);

// `texte` (a table's text) as the terminal shows it (affichage.h), in UTF-8,
// cut to `largeur` characters at most, "..." standing for the rest.
void ajoute_raccourci(std::string &sortie, std::string_view texte, std::size_t largeur);

// The characters of `utf8` (its bytes but the continuation bytes).
std::size_t largeur(std::string_view utf8);

// `texte` left-aligned ('<') or right-aligned ('>') in `largeur` characters.
void ajoute_cadre(std::string &sortie, std::string_view texte, std::size_t largeur, char sens);

// A table's name for the formats of programs: UTF-8 (on Windows, the name
// the system opened, read as ISO 8859-1).
std::string nom_utf8(const Chemin &chemin);

#endif
