// programme.cpp -- running a program under test (programme.h).
#include "tests/support/programme.h"

#include <string>

#ifdef _WIN32
#include <windows.h>

#include "tests/support/support.h"

namespace {

// One argument for the Windows command line: quoted, with its own quotes
// and the backslashes before them escaped.
std::string cite(const std::string &argument) {
  std::string cite = "\"";
  std::size_t barres = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++barres;
      continue;
    }
    cite.append(c == '"' ? barres * 2 + 1 : barres, '\\');
    barres = 0;
    cite += c;
  }
  cite.append(barres * 2, '\\');
  return cite + "\"";
}

HANDLE ouvre(const std::string &nom, DWORD acces, DWORD creation) {
  SECURITY_ATTRIBUTES heritable{sizeof heritable, nullptr, TRUE};
  return CreateFileA(nom.c_str(), acces, FILE_SHARE_READ | FILE_SHARE_WRITE, &heritable, creation,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

Execution lance(const std::vector<std::string> &arguments, const std::string &clavier,
                int secondes) {
  const std::string entree = ecrit_fichier("clavier.txt", clavier);
  const std::string sortie = dossier_du_test() + "/sortie.txt";
  std::string ligne;
  for (const std::string &a : arguments) ligne += (ligne.empty() ? "" : " ") + cite(a);
  std::string programme = arguments.at(0);
  for (char &c : programme)
    if (c == '/') c = '\\';

  STARTUPINFOA demarrage{};
  demarrage.cb = sizeof demarrage;
  demarrage.dwFlags = STARTF_USESTDHANDLES;
  demarrage.hStdInput = ouvre(entree, GENERIC_READ, OPEN_EXISTING);
  demarrage.hStdOutput = ouvre(sortie, GENERIC_WRITE, CREATE_ALWAYS);
  demarrage.hStdError = demarrage.hStdOutput;
  PROCESS_INFORMATION processus{};
  Execution resultat{"", -1};
  if (CreateProcessA(programme.c_str(), ligne.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                     &demarrage, &processus)) {
    if (WaitForSingleObject(processus.hProcess, secondes * 1000) == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(processus.hProcess, &code);
      resultat.statut = static_cast<int>(code);
    } else {
      TerminateProcess(processus.hProcess, 255);
    }
    CloseHandle(processus.hProcess);
    CloseHandle(processus.hThread);
  }
  CloseHandle(demarrage.hStdInput);
  CloseHandle(demarrage.hStdOutput);
  resultat.sortie = lit_fichier(sortie);
  return resultat;
}

#else
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

Execution lance(const std::vector<std::string> &arguments, const std::string &clavier,
                int secondes) {
  termios brut{};
  cfmakeraw(&brut);
  brut.c_cc[VMIN] = 1;
  brut.c_cc[VTIME] = 0;
  winsize taille{24, 80, 0, 0};
  int maitre = -1;
  const pid_t pid = forkpty(&maitre, nullptr, &brut, &taille);
  if (pid < 0) return {"", -1};
  if (pid == 0) {
    std::vector<char *> argv;
    for (const std::string &a : arguments) argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  if (!clavier.empty() && write(maitre, clavier.data(), clavier.size()) < 0) {
    // the program is gone already: its output still tells what happened
  }
  Execution resultat{"", -1};
  const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(secondes);
  for (;;) {
    const auto reste = std::chrono::duration_cast<std::chrono::milliseconds>(
        limite - std::chrono::steady_clock::now());
    pollfd attente{maitre, POLLIN, 0};
    if (reste.count() <= 0 || poll(&attente, 1, static_cast<int>(reste.count())) == 0) {
      kill(pid, SIGKILL);  // the program waits for ever: stop it, report -1
      break;
    }
    char tampon[4096];
    const ssize_t lu = read(maitre, tampon, sizeof tampon);
    if (lu > 0) {
      resultat.sortie.append(tampon, static_cast<std::size_t>(lu));
    } else if (lu < 0 && errno == EINTR) {
      continue;
    } else {
      break;  // EIO: the program closed its terminal
    }
  }
  int statut = 0;
  waitpid(pid, &statut, 0);
  close(maitre);
  if (WIFEXITED(statut) && resultat.statut == -1) resultat.statut = WEXITSTATUS(statut);
  return resultat;
}
#endif
