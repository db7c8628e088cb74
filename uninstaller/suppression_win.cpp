// suppression_win.cpp -- removing the installation folder (suppression.h).
// Entries are deleted through Windows itself, one by one, and only when
// Windows resolves an entry to its own place in the folder: a link leads
// elsewhere, and under Wine a link to a file even shows as a plain file
// whose deletion deletes what it points to. Such an entry is left, and the
// folder is then not empty.
#include "uninstaller/suppression.h"

#include <unistd.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "outils/commande.h"
#include "outils/surete.h"
#include "uninstaller/lecture.h"

namespace {

// Whether two paths name the same place, case aside, as Windows compares them.
bool meme_chemin(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                        b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

// Whether `chemin` is `garde` or one of the folders that hold it.
bool tient(std::string_view chemin, std::string_view garde) {
  return garde.size() >= chemin.size() && meme_chemin(chemin, garde.substr(0, chemin.size())) &&
         (garde.size() == chemin.size() || garde[chemin.size()] == '\\');
}

// This program's own file.
std::string programme() {
  char chemin[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, chemin, sizeof chemin);
  return std::string(chemin, n < sizeof chemin ? n : 0);
}

// The place on the disk that Windows resolves `chemin` to, without the
// "\\?\" in front: "c:\jeux" may give "C:\Jeux", and a link that Windows
// does not see as one (a Linux link under Wine) gives where it leads. Empty
// when it cannot be told (the entry cannot be opened, or lies on no drive).
std::string chemin_reel(const std::string &chemin) {
  constexpr DWORD partage = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  // A folder too, and a link of Windows itself rather than what it leads to.
  constexpr DWORD ouverture = FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT;
  const HANDLE entree =
      CreateFileA(chemin.c_str(), 0, partage, nullptr, OPEN_EXISTING, ouverture, nullptr);
  if (entree == INVALID_HANDLE_VALUE) return "";
  char reel[2 * MAX_PATH];  // a path of MAX_PATH, its "\\?\" and more: longer ones are not ours
  const DWORD n = GetFinalPathNameByHandleA(entree, reel, sizeof reel, VOLUME_NAME_DOS);
  CloseHandle(entree);
  if (n == 0 || n >= sizeof reel) return "";
  std::string_view texte(reel, n);
  if (texte.substr(0, 4) == "\\\\?\\") texte.remove_prefix(4);
  return std::string(texte);
}

// A folder being emptied: its path as the uninstaller names it, its place
// on the disk, and the paths that stay in it.
struct Parcours {
  std::string racine, reelle;
  std::vector<std::string> gardes;
};

// Whether the entry `chemin` under the folder is in its own place there,
// and not reached through a link.
bool en_place(const Parcours &p, const std::string &chemin) {
  return meme_chemin(chemin_reel(chemin), p.reelle + chemin.substr(p.racine.size()));
}

// Deletes every entry under `dossier` but the kept ones and the folders
// that hold them; a link, or an entry that Windows does not give back under
// its name, is left. True when nothing else is left.
bool vide(const Parcours &p, const std::string &dossier) {
  WIN32_FIND_DATAA entree;
  const HANDLE recherche = FindFirstFileA((dossier + "\\*").c_str(), &entree);
  if (recherche == INVALID_HANDLE_VALUE) return true;
  bool tout = true;
  do {
    const std::string nom = entree.cFileName;
    if (nom == "." || nom == "..") continue;
    const std::string chemin = dossier + "\\" + nom;
    if (!en_place(p, chemin)) {
      tout = false;
      continue;
    }
    const DWORD attributs = entree.dwFileAttributes;
    const bool est_dossier = (attributs & FILE_ATTRIBUTE_DIRECTORY) != 0;
    bool garde = false;
    for (const std::string &g : p.gardes) garde = garde || tient(chemin, g);
    if (garde) {
      if (est_dossier) tout = vide(p, chemin) && tout;
      continue;
    }
    SetFileAttributesA(chemin.c_str(), FILE_ATTRIBUTE_NORMAL);  // read-only files go too
    bool parti;
    if (!est_dossier)
      parti = DeleteFileA(chemin.c_str()) != 0;
    else if ((attributs & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
      parti = RemoveDirectoryA(chemin.c_str()) != 0;  // a link of its own: removed, never followed
    else
      parti = vide(p, chemin) && RemoveDirectoryA(chemin.c_str()) != 0;
    tout = parti && tout;
  } while (FindNextFileA(recherche, &entree));
  FindClose(recherche);
  return tout;
}

// The folder that holds `chemin`: "C:\Jeux" for "C:\Jeux\Vallorim light
// (v5.3)", and the drive's root "C:\" for "C:\Vallorim light (v5.3)".
std::string parent_de(const std::string &chemin) {
  std::string parent = chemin.substr(0, chemin.rfind('\\'));
  if (parent.size() == 2 && parent[1] == ':') parent += '\\';
  return parent;
}

// Whether nothing is at `chemin`.
bool absent(const char *chemin) {
  if (GetFileAttributesA(chemin) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD erreur = GetLastError();
  return erreur == ERROR_FILE_NOT_FOUND || erreur == ERROR_PATH_NOT_FOUND;
}

}  // namespace

// Whether the folder `chemin` holds the suite's key list: what shows that
// it is an installation of the suite, and not merely a folder of its name.
bool tient_la_suite(const char *chemin) {
  const std::string temoin = std::string(chemin) + "\\" + FICHIER_TEMOIN;
  return GetFileAttributesA(temoin.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Makes the folder that holds the folder `chemin` the current one, so that
// no process of ours stands in what is removed; says why when it cannot.
void va_dans_le_parent(const char *chemin) {
  if (std::strchr(chemin, '\\') == nullptr) return;  // a bare name: nowhere to go
  const std::string parent = parent_de(chemin);
  if (chdir(parent.c_str()) != 0) std::perror(parent.c_str());
}

// Empties the folder `chemin` of everything but this program's file, the
// files `gardes` (named from the folder: "Couleurs.ini") and the folders
// that hold them. True when nothing else is left: a running program's file
// or a link (which is never followed) stays, and makes it false. A folder
// that is not there is empty.
bool vide_le_dossier(const char *chemin, std::initializer_list<const char *> gardes) {
  Parcours p{chemin, chemin_reel(chemin), {programme()}};
  if (p.reelle.empty()) return absent(chemin);
  for (const char *garde : gardes) p.gardes.push_back(p.racine + "\\" + garde);
  return vide(p, p.racine);
}

// Removes the folder `chemin` and all it holds, as vide_le_dossier empties
// it, unless this program's file is in it: that file, and the folders that
// hold it, go after the end (acheve_apres_la_fin). True when nothing else
// is left; a folder that is not there is no failure.
bool supprime_le_dossier(const char *chemin) {
  if (!vide_le_dossier(chemin, {})) return false;
  return absent(chemin) || RemoveDirectoryA(chemin) != 0 || tient(chemin, programme());
}

// Removes, once this program has ended, its own file when it lies in the
// folder `chemin`, then each folder from the file's up to `chemin`, only if
// it is then empty (rmdir without /s): nothing put there after the end is
// touched. Windows never deletes a running program's file. A detached
// command interpreter, started from the folder's parent, tries after about
// one second, and once more after four if the file is still there (ping is
// the interpreter's only way to wait; the rest of a line after "if" is the
// "if"'s own).
void acheve_apres_la_fin(const char *chemin) {
  const std::string moi = programme(), dossier = chemin;
  char ping[TAILLE_CHEMIN_SYSTEME];
  if (!tient(dossier, moi) || moi.size() == dossier.size() || !sans_caractere_special(moi) ||
      !programme_systeme("ping.exe", ping))
    return;
  std::string essai = " & del /f /q \"" + moi + "\" >nul 2>&1";
  for (std::string d = moi.substr(0, moi.rfind('\\')); d.size() >= dossier.size();
       d.resize(d.rfind('\\')))
    essai += " & rmdir \"" + d + "\" >nul 2>&1";
  const std::string attente = std::string("\"") + ping + "\" -n ";
  const std::string ligne = attente + "2 127.0.0.1 >nul" + essai + " & if exist \"" + moi + "\" " +
                            attente + "4 127.0.0.1 >nul" + essai;
  lance_detache(ligne.c_str(), parent_de(dossier).c_str());
}
