// suppression_win.cpp -- removing the installation folder (suppression.h).
#include "uninstaller/suppression.h"

#include <windows.h>

#include <string>

#include "uninstaller/lecture.h"

namespace {

// Whether `chemin` is `programme` or one of the folders that hold it.
bool tient(const std::string &chemin, const std::string &programme) {
  return programme.size() >= chemin.size() &&
         CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, chemin.data(), static_cast<int>(chemin.size()),
                        programme.data(), static_cast<int>(chemin.size())) == CSTR_EQUAL &&
         (programme.size() == chemin.size() || programme[chemin.size()] == '\\');
}

// Deletes every file and folder under `dossier` but `programme` and the
// folders that hold it; a link to a folder is removed, never followed.
// True when nothing else is left.
bool vide(const std::string &dossier, const std::string &programme) {
  WIN32_FIND_DATAA entree;
  const HANDLE recherche = FindFirstFileA((dossier + "\\*").c_str(), &entree);
  if (recherche == INVALID_HANDLE_VALUE) return true;
  bool tout = true;
  do {
    const std::string nom = entree.cFileName;
    if (nom == "." || nom == "..") continue;
    const std::string chemin = dossier + "\\" + nom;
    const DWORD attributs = entree.dwFileAttributes;
    if (tient(chemin, programme)) {
      if ((attributs & FILE_ATTRIBUTE_DIRECTORY) != 0) tout = vide(chemin, programme) && tout;
      continue;
    }
    SetFileAttributesA(chemin.c_str(), FILE_ATTRIBUTE_NORMAL);  // read-only files go too
    bool parti;
    if ((attributs & FILE_ATTRIBUTE_DIRECTORY) == 0)
      parti = DeleteFileA(chemin.c_str()) != 0;
    else if ((attributs & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
      parti = RemoveDirectoryA(chemin.c_str()) != 0;
    else
      parti = vide(chemin, programme) && RemoveDirectoryA(chemin.c_str()) != 0;
    tout = tout && parti;
  } while (FindNextFileA(recherche, &entree));
  FindClose(recherche);
  return tout;
}

}  // namespace

// Whether the folder `chemin` holds the suite's key list: what shows that
// it is an installation of the suite, and not merely a folder of its name.
bool tient_la_suite(const char *chemin) {
  const std::string temoin = std::string(chemin) + "\\" + FICHIER_TEMOIN;
  return GetFileAttributesA(temoin.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Finishes now what `rmdir` left of the folder `chemin`: Windows never
// deletes a running program's file, and Wine's rmdir stops at it, leaving
// whatever came after. Everything but this program's file (and the folders
// that hold it) is deleted; true when nothing else is left.
bool vide_sauf_le_programme(const char *chemin) {
  char programme[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, programme, sizeof programme);
  return vide(chemin, std::string(programme, n < sizeof programme ? n : 0));
}

// Removes what `rmdir` had to leave of the folder `chemin` once this
// program has ended: Windows never deletes a running program's file, nor
// the folders holding it. A detached command interpreter, started from the
// folder's parent, tries again after about one second and after four (ping
// is the interpreter's only way to wait; Wine's breaks the block of a "for"
// loop, so the tries are written out).
void acheve_apres_la_fin(const char *chemin) {
  if (GetFileAttributesA(chemin) == INVALID_FILE_ATTRIBUTES) return;  // all gone already
  const std::string essai = std::string(" & rmdir /s /q \"") + chemin + "\" >nul 2>&1";
  std::string commande = "cmd.exe /c ping -n 2 127.0.0.1 >nul" + essai +
                         " & ping -n 4 127.0.0.1 >nul" + essai;
  STARTUPINFOA demarrage{};
  demarrage.cb = sizeof demarrage;
  demarrage.dwFlags = STARTF_USESTDHANDLES;  // no handle of ours: it outlives us
  PROCESS_INFORMATION processus{};
  if (CreateProcessA(nullptr, commande.data(), nullptr, nullptr, FALSE,
                     DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP, nullptr, nullptr, &demarrage,
                     &processus)) {
    CloseHandle(processus.hThread);
    CloseHandle(processus.hProcess);
  }
}
