// lecture.cpp -- reading the key list and reg's answer, and judging the
// path (lecture.h).
#include "uninstaller/lecture.h"

#include <cstring>
#include <string_view>

#include "medium/suite.h"
#include "outils/casse.h"
#include "outils/surete.h"

// The next key of the list into `ligne`, without its line end (LF or CR
// LF). A line is everything up to its '\n' or the end of the file, whatever
// bytes it holds: a NUL byte inside never hides the line end, nor the '#'
// line after it. The list ends at a line that begins with '#' or at the end
// of the file. A line longer than 254 bytes keeps its first 254 in `ligne`
// and is reported too long; a line holding a NUL is reported as such.
Cle lit_cle(std::FILE *liste, char *ligne) {
  std::size_t n = 0;
  bool trop_longue = false, nul = false;
  int c;
  while ((c = std::getc(liste)) != EOF && c != '\n') {
    nul = nul || c == '\0';
    if (n < TAILLE_LIGNE - 1)
      ligne[n++] = static_cast<char>(c);
    else
      trop_longue = true;
  }
  ligne[n] = '\0';
  if ((c == EOF && n == 0) || ligne[0] == '#') return Cle::fin;
  if (trop_longue) return Cle::trop_longue;
  if (n > 0 && ligne[n - 1] == '\r') ligne[n - 1] = '\0';
  return nul ? Cle::avec_nul : Cle::lue;
}

// Whether `cle` is one that the installer writes, and so one that the
// uninstaller may delete: the five extensions, their five classes and
// tblt_auto_file under HKEY_CLASSES_ROOT, and the suite's own key under
// HKEY_LOCAL_MACHINE\Software; the roots may be written HKCR and HKLM, and
// case does not count, as in the registry. "HKCR\.TBL" is one;
// "HKEY_CLASSES_ROOT\.cl\" /f & x" and "HKCU\Software" are not.
bool cle_de_la_suite(const char *cle) {
  const std::string_view texte = cle;
  const std::size_t separateur = texte.find('\\');
  if (separateur == std::string_view::npos) return false;
  const std::string_view racine = texte.substr(0, separateur), reste = texte.substr(separateur + 1);
  if (egal_sans_casse(racine, "HKEY_LOCAL_MACHINE") || egal_sans_casse(racine, "HKLM"))
    return egal_sans_casse(reste, "Software\\Vallorim_light");
  if (!egal_sans_casse(racine, "HKEY_CLASSES_ROOT") && !egal_sans_casse(racine, "HKCR"))
    return false;
  for (const TypeDeFichier &t : TYPES_DE_FICHIERS)
    if (egal_sans_casse(reste, t.extension) || egal_sans_casse(reste, t.classe)) return true;
  return egal_sans_casse(reste, CLASSE_SANS_EXTENSION);
}

// The data of the value line of reg's answer, in `chemin` (TAILLE_LIGNE
// bytes): the first line that holds the type REG_SZ followed by a tab or a
// space, from after the tabs and spaces that follow it, without its line
// end. "Chemin\tREG_SZ\tC:\Jeux\" and "    Chemin    REG_SZ    C:\Jeux\"
// both give "C:\Jeux\". An answer without such a line (the key or the
// value is missing) gives the empty text.
void lit_chemin(std::FILE *reponse, char *chemin) {
  char ligne[TAILLE_LIGNE];
  chemin[0] = '\0';
  while (std::fgets(ligne, sizeof ligne, reponse) != nullptr) {
    const char *type = std::strstr(ligne, "REG_SZ");
    if (type == nullptr) continue;
    const char *donnee = type + std::strlen("REG_SZ");
    if (*donnee != ' ' && *donnee != '\t') continue;  // another type, such as REG_SZX
    donnee += std::strspn(donnee, " \t");
    std::memcpy(chemin, donnee, std::strlen(donnee) + 1);  // never longer than the line
    coupe_fin_de_ligne(chemin);
    return;
  }
}

// Why the folder `chemin` (the stored path less its final '\') must not be
// removed, or nullptr when its shape is that of an installation: a drive,
// ':' and '\' first, no "." or ".." folder, none of the characters the
// command interpreter reads (a '%' would be expanded after this check), and
// "Vallorim light (v5.3)" as its last folder. Whether it holds the suite's
// files is for the caller to see. "C:\Jeux\Vallorim light (v5.3)" passes;
// "D:\.", "%USERPROFILE%", ".." and "C:\Jeux" do not.
const char *refus_du_chemin(const char *chemin) {
  std::string_view reste = chemin;
  while (!reste.empty() && (reste.back() == '\\' || reste.back() == '/' || reste.back() == ' '))
    reste.remove_suffix(1);
  if (reste.empty() || reste == "." || (reste.size() == 2 && reste[1] == ':'))
    return "ce chemin est la racine d'un disque, il n'est pas supprimé.\n";
  if (!sans_caractere_special(chemin))
    return "ce chemin contient un caractère que l'interpréteur de commandes lirait"
           " (% \" & | < > ^ ou de contrôle), il n'est pas supprimé.\n";
  if (!chemin_absolu(chemin))
    return "ce chemin ne commence pas par une lettre de lecteur (comme C:\\), il n'est pas"
           " supprimé.\n";
  if (!sans_dossier_relatif(chemin))
    return "ce chemin passe par un dossier . ou .., il n'est pas supprimé.\n";
  const std::string_view texte = chemin, dernier = DOSSIER_VALLORIM;
  if (texte.size() <= dernier.size() || texte.substr(texte.size() - dernier.size()) != dernier ||
      texte[texte.size() - dernier.size() - 1] != '\\')
    return "ce dossier n'est pas un dossier \"" DOSSIER_VALLORIM "\", il n'est pas supprimé.\n";
  return nullptr;
}
