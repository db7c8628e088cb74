// verbe.cpp -- opens a table with the "Vérifier la table" verb as the shell
// does: the command stored under tbl_auto_file, "%1" replaced by the table,
// given whole to CreateProcess, which looks for the program from the first
// word on when its path is not quoted. verbe TABLE: its exit status is the
// status of the program that ran, 2 when nothing could run.
//
// Copied under any other name than verbe.exe, it stands for a program
// planted beside an installation (Vallorim.exe in a parent folder, or cmd.exe,
// reg.exe... in the current one): it only adds its command line to
// C:\plante.txt and ends with status 3.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr const char *CLE_DU_VERBE = "tbl_auto_file\\shell\\Vérifier la table\\Command";

bool est_le_programme_plante() {
  char moi[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, moi, sizeof moi);
  const std::string chemin(moi, n);
  const char *nom = chemin.c_str() + chemin.rfind('\\') + 1;
  return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, nom, -1, "verbe.exe", -1) != CSTR_EQUAL;
}

// The verb's command, or empty.
std::string commande_du_verbe() {
  HKEY cle;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, CLE_DU_VERBE, 0, KEY_READ, &cle) != ERROR_SUCCESS) return "";
  char valeur[1024] = "";
  DWORD taille = sizeof valeur - 1;
  const LONG lu =
      RegQueryValueExA(cle, nullptr, nullptr, nullptr, reinterpret_cast<BYTE *>(valeur), &taille);
  RegCloseKey(cle);
  return lu == ERROR_SUCCESS ? valeur : "";
}

}  // namespace

int main(int argc, char **argv) {
  if (est_le_programme_plante()) {
    if (std::FILE *marque = std::fopen("C:\\plante.txt", "a")) {
      std::fprintf(marque, "%s\n", GetCommandLineA());
      std::fclose(marque);
    }
    return 3;
  }
  if (argc != 2) return 2;
  std::string ligne = commande_du_verbe();
  const std::size_t ici = ligne.find("%1");
  if (ici == std::string::npos) return 2;
  ligne.replace(ici, 2, argv[1]);
  STARTUPINFOA demarrage{};
  demarrage.cb = sizeof demarrage;
  PROCESS_INFORMATION processus{};
  if (!CreateProcessA(nullptr, ligne.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &demarrage, &processus))
    return 2;
  DWORD code = 2;
  if (WaitForSingleObject(processus.hProcess, 60000) == WAIT_OBJECT_0)
    GetExitCodeProcess(processus.hProcess, &code);
  CloseHandle(processus.hProcess);
  CloseHandle(processus.hThread);
  return static_cast<int>(code);
}
