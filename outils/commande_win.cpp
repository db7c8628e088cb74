// commande_win.cpp -- command lines on Windows (commande.h).
// The interpreter is started by its full path, as
// "\"C:\Windows\system32\cmd.exe\" /d /s /c \"LINE\"": /d skips the AutoRun
// commands of the registry, and /s with the outer quotes hands LINE over
// exactly as it is, whatever quotes it holds.
#include "outils/commande.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace {

// Whether `chemin` names an existing file (not a folder).
bool fichier_existe(const char *chemin) {
  const DWORD attributs = GetFileAttributesA(chemin);
  return attributs != INVALID_FILE_ATTRIBUTES && (attributs & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The interpreter's full path, and the command line that runs `ligne`
// through it; false when the interpreter is not found.
bool ligne_de_l_interprete(const char *ligne, char (&interprete)[TAILLE_CHEMIN_SYSTEME],
                           std::string &commande) {
  if (!programme_systeme("cmd.exe", interprete)) return false;
  commande = std::string("\"") + interprete + "\" /d /s /c \"" + ligne + "\"";
  return true;
}

// A handle that the child can inherit: a copy of `original`, or nothing
// when there is none (a program without console or redirection).
HANDLE heritable(HANDLE original) {
  HANDLE copie = nullptr;
  if (original == nullptr || original == INVALID_HANDLE_VALUE ||
      !DuplicateHandle(GetCurrentProcess(), original, GetCurrentProcess(), &copie, 0, TRUE,
                       DUPLICATE_SAME_ACCESS))
    return nullptr;
  return copie;
}

}  // namespace

bool programme_systeme(const char *nom, char (&chemin)[TAILLE_CHEMIN_SYSTEME]) {
  char dossiers[2][MAX_PATH];
  const UINT longueurs[2] = {GetSystemDirectoryA(dossiers[0], MAX_PATH),
                             GetWindowsDirectoryA(dossiers[1], MAX_PATH)};
  const bool avec_extension = std::string_view(nom).find('.') != std::string_view::npos;
  for (int i = 0; i < 2; ++i) {
    if (longueurs[i] == 0 || longueurs[i] >= MAX_PATH) continue;
    for (const char *extension : {"", ".exe", ".com"}) {
      if (avec_extension != (extension[0] == '\0')) continue;  // "reg" tries .exe, then .com
      if (compose_commande(chemin, sizeof chemin, "%s\\%s%s", dossiers[i], nom, extension) &&
          fichier_existe(chemin))
        return true;
    }
  }
  chemin[0] = '\0';
  return false;
}

int lance_commande(const char *ligne) {
  char interprete[TAILLE_CHEMIN_SYSTEME];
  std::string commande;
  if (!ligne_de_l_interprete(ligne, interprete, commande)) return -1;
  std::fflush(stdout);
  SECURITY_ATTRIBUTES heritage{sizeof heritage, nullptr, TRUE};
  STARTUPINFOA demarrage{};
  demarrage.cb = sizeof demarrage;
  demarrage.dwFlags = STARTF_USESTDHANDLES;
  demarrage.hStdInput = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    &heritage, OPEN_EXISTING, 0, nullptr);  // no question waits
  demarrage.hStdOutput = heritable(GetStdHandle(STD_OUTPUT_HANDLE));
  demarrage.hStdError = heritable(GetStdHandle(STD_ERROR_HANDLE));
  PROCESS_INFORMATION processus{};
  int statut = -1;
  if (CreateProcessA(interprete, commande.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                     &demarrage, &processus)) {
    DWORD code = 0;
    if (WaitForSingleObject(processus.hProcess, INFINITE) == WAIT_OBJECT_0 &&
        GetExitCodeProcess(processus.hProcess, &code))
      statut = static_cast<int>(code);
    CloseHandle(processus.hThread);
    CloseHandle(processus.hProcess);
  }
  for (HANDLE h : {demarrage.hStdInput, demarrage.hStdOutput, demarrage.hStdError})
    if (h != nullptr && h != INVALID_HANDLE_VALUE) CloseHandle(h);
  return statut;
}

int lance_systeme(const char *commande) {
  const std::string_view texte = commande;
  const std::size_t espace = texte.find(' ');
  const std::string nom(texte.substr(0, espace));
  if (nom.empty() || nom.find_first_of("\\/:\"%") != std::string::npos) return -1;
  char programme[TAILLE_CHEMIN_SYSTEME];
  if (!programme_systeme(nom.c_str(), programme)) return -1;
  const std::string_view arguments = espace == texte.npos ? "" : texte.substr(espace);
  return lance_commande((std::string("\"") + programme + "\"" + std::string(arguments)).c_str());
}

bool lance_detache(const char *ligne, const char *dossier) {
  char interprete[TAILLE_CHEMIN_SYSTEME];
  std::string commande;
  if (!ligne_de_l_interprete(ligne, interprete, commande)) return false;
  STARTUPINFOA demarrage{};
  demarrage.cb = sizeof demarrage;
  demarrage.dwFlags = STARTF_USESTDHANDLES;  // no handle of ours: it outlives us
  PROCESS_INFORMATION processus{};
  if (!CreateProcessA(interprete, commande.data(), nullptr, nullptr, FALSE,
                      DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP, nullptr, dossier, &demarrage,
                      &processus))
    return false;
  CloseHandle(processus.hThread);
  CloseHandle(processus.hProcess);
  return true;
}
