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

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace {

int millisecondes_avant(std::chrono::steady_clock::time_point limite) {
  const auto reste = std::chrono::duration_cast<std::chrono::milliseconds>(
      limite - std::chrono::steady_clock::now());
  return static_cast<int>(std::max<long long>(0, reste.count()));
}

}  // namespace

Session::Session(const std::vector<std::string> &arguments) {
  termios brut{};
  cfmakeraw(&brut);
  brut.c_cc[VMIN] = 1;
  brut.c_cc[VTIME] = 0;
  winsize taille{24, 80, 0, 0};
  pid_ = forkpty(&maitre_, nullptr, &brut, &taille);
  if (pid_ == 0) {
    std::vector<char *> argv;
    for (const std::string &a : arguments) argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
}

Session::~Session() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (maitre_ >= 0) close(maitre_);
}

void Session::tape(const std::string &touches) {
  if (pid_ > 0 && !touches.empty() && write(maitre_, touches.data(), touches.size()) < 0) {
    // the program is gone already: its output still tells what happened
  }
}

bool Session::lit(std::chrono::steady_clock::time_point limite) {
  const int millisecondes = millisecondes_avant(limite);
  if (millisecondes == 0) return false;  // even while the program keeps writing
  pollfd attente{maitre_, POLLIN, 0};
  int pret;
  while ((pret = poll(&attente, 1, millisecondes)) < 0 && errno == EINTR) {
  }
  if (pret <= 0) return false;
  char tampon[4096];
  ssize_t lu;
  while ((lu = read(maitre_, tampon, sizeof tampon)) < 0 && errno == EINTR) {
  }
  if (lu <= 0) return false;  // EIO: the program closed its terminal
  sortie_.append(tampon, static_cast<std::size_t>(lu));
  return true;
}

bool Session::attend(const std::string &fin, int secondes) {
  const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(secondes);
  auto arrive = [&] {
    return sortie_.size() >= fin.size() &&
           sortie_.compare(sortie_.size() - fin.size(), fin.size(), fin) == 0;
  };
  while (!arrive())
    if (pid_ <= 0 || !lit(limite)) return false;
  return true;
}

Execution Session::termine(int secondes) {
  if (pid_ <= 0) return {"", -1};
  const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(secondes);
  while (lit(limite)) {
  }
  if (millisecondes_avant(limite) == 0) kill(pid_, SIGKILL);  // it waits for ever: stop it
  int statut = 0;
  waitpid(pid_, &statut, 0);
  pid_ = -1;
  return {sortie_, WIFEXITED(statut) ? WEXITSTATUS(statut) : -1};
}

Execution lance(const std::vector<std::string> &arguments, const std::string &clavier,
                int secondes) {
  Session session(arguments);
  session.tape(clavier);
  return session.termine(secondes);
}
#endif
