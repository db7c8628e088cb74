// main.cpp -- Shortcut: the small tool that the installer's batch file runs
// to make a shell link (.lnk): Shortcut /F:file /A:c /T:target /W:folder
// /I:icon. The link is made through the shell's IShellLinkW and saved with
// IPersistFile. Paths are taken from the wide command line; a path whose
// folder does not exist is tried once more as the installer meant it, for
// the command interpreter reads batch files in code page 437 and so turns
// the Windows letters of the installer's paths into others ('é' into 'Θ').
#include <shlobj.h>
#include <shobjidl.h>
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "outils/outils.h"

namespace {

// What the command line asks for.
struct Demande {
  std::wstring fichier, action, cible, dossier, icone;
};

// Prints a message of the source set, then a wide text in the console's
// code page, then a line end.
void dit(const char *message, const std::wstring &texte = L"") {
  putsacc(message);
  if (!texte.empty()) {
    const UINT page = GetConsoleOutputCP() != 0 ? GetConsoleOutputCP() : GetOEMCP();
    const int n = WideCharToMultiByte(page, 0, texte.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string octets(n > 0 ? n : 1, '\0');
    WideCharToMultiByte(page, 0, texte.c_str(), -1, octets.data(), n, nullptr, nullptr);
    std::printf("%s", octets.c_str());
  }
  std::printf("\n");
}

// Reads the options, "/F:" and the others, in any case and any order;
// false, with the reason told, on an unknown one.
bool lit_options(Demande &d) {
  int nombre = 0;
  LPWSTR *arguments = CommandLineToArgvW(GetCommandLineW(), &nombre);
  if (arguments == nullptr) return false;
  bool valide = true;
  for (int i = 1; i < nombre && valide; ++i) {
    const std::wstring argument = arguments[i];
    std::wstring *cible = nullptr;
    if (argument.size() >= 3 && argument[0] == L'/' && argument[2] == L':') {
      switch (towupper(argument[1])) {
        case L'F': cible = &d.fichier; break;
        case L'A': cible = &d.action; break;
        case L'T': cible = &d.cible; break;
        case L'W': cible = &d.dossier; break;
        case L'I': cible = &d.icone; break;
        default: break;
      }
    }
    if (cible == nullptr) {
      dit("Shortcut: option inconnue ", argument);
      valide = false;
    } else {
      *cible = argument.substr(3);
    }
  }
  LocalFree(arguments);
  return valide;
}

bool existe(const std::wstring &chemin) {
  return !chemin.empty() && GetFileAttributesW(chemin.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The folder that holds `chemin`: "C:\a\b.lnk" gives "C:\a"; empty when
// the path names no folder.
std::wstring dossier_de(const std::wstring &chemin) {
  const std::size_t separateur = chemin.find_last_of(L"\\/");
  return separateur == std::wstring::npos ? L"." : chemin.substr(0, separateur);
}

// The text the installer wrote, from what the command interpreter made of
// it: each letter back to its code page 437 byte, read again in code page
// 1252 ("Menu DΘmarrer" gives "Menu Démarrer"). Empty when some letter has
// no code page 437 byte.
std::wstring comme_ecrit(const std::wstring &texte) {
  if (texte.empty()) return L"";
  BOOL perdu = FALSE;
  const int n = WideCharToMultiByte(437, WC_NO_BEST_FIT_CHARS, texte.c_str(), -1, nullptr, 0,
                                    nullptr, &perdu);
  if (n <= 0 || perdu) return L"";
  std::string octets(n, '\0');
  WideCharToMultiByte(437, WC_NO_BEST_FIT_CHARS, texte.c_str(), -1, octets.data(), n, nullptr,
                      nullptr);
  const int m = MultiByteToWideChar(1252, 0, octets.c_str(), -1, nullptr, 0);
  if (m <= 0) return L"";
  std::wstring lettres(m, L'\0');
  MultiByteToWideChar(1252, 0, octets.c_str(), -1, lettres.data(), m);
  lettres.resize(m - 1);  // the NUL
  return lettres;
}

// `chemin` as it is when the folder it depends on exists (the path itself
// for a working folder, the folder holding it otherwise); else its form as
// the installer wrote it, when that one's folder exists; else unchanged, and
// the shell says what it can.
std::wstring repare(const std::wstring &chemin, bool est_un_dossier) {
  auto appui = [est_un_dossier](const std::wstring &c) {
    return est_un_dossier ? c : dossier_de(c);
  };
  if (chemin.empty() || existe(appui(chemin))) return chemin;
  const std::wstring autre = comme_ecrit(chemin);
  if (!autre.empty() && autre != chemin && existe(appui(autre))) return autre;
  return chemin;
}

// Makes the link `d.fichier`; false, with the reason told, when the shell
// cannot.
bool cree_le_lien(const Demande &d) {
  IShellLinkW *lien = nullptr;
  HRESULT etat = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void **>(&lien));
  if (FAILED(etat)) {
    dit("Shortcut: le service des raccourcis de Windows est indisponible.");
    return false;
  }
  etat = lien->SetPath(d.cible.c_str());
  if (SUCCEEDED(etat) && !d.dossier.empty()) etat = lien->SetWorkingDirectory(d.dossier.c_str());
  if (SUCCEEDED(etat) && !d.icone.empty()) etat = lien->SetIconLocation(d.icone.c_str(), 0);
  IPersistFile *fichier = nullptr;
  if (SUCCEEDED(etat))
    etat = lien->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&fichier));
  if (SUCCEEDED(etat)) {
    etat = fichier->Save(d.fichier.c_str(), TRUE);
    fichier->Release();
  }
  lien->Release();
  if (FAILED(etat)) {
    dit("Shortcut: impossible de créer le raccourci ", d.fichier);
    return false;
  }
  return true;
}

}  // namespace

int main() {
  Demande d;
  if (!lit_options(d)) return 2;
  if (d.fichier.empty() || d.cible.empty() || (d.action != L"c" && d.action != L"C")) {
    dit("Usage: Shortcut /F:raccourci.lnk /A:c /T:cible [/W:dossier] [/I:icône]");
    return 2;
  }
  d.fichier = repare(d.fichier, false);
  d.cible = repare(d.cible, false);
  d.dossier = repare(d.dossier, true);
  d.icone = repare(d.icone, false);
  if (!existe(dossier_de(d.fichier))) {
    dit("Shortcut: le dossier du raccourci n'existe pas: ", dossier_de(d.fichier));
    return 1;
  }
  if (FAILED(CoInitialize(nullptr))) {
    dit("Shortcut: impossible d'initialiser COM.");
    return 1;
  }
  const bool cree = cree_le_lien(d);
  CoUninitialize();
  if (cree) dit("Raccourci créé: ", d.fichier);
  return cree ? 0 : 1;
}
