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

// Runs `ligne` (quoted arguments) in `dossier` (the current folder when
// empty) with the given standard handles; the exit status, or -1 when it is
// stopped after `secondes`.
int execute(std::string programme, std::string ligne, const std::string &dossier, HANDLE entree,
            HANDLE sortie, HANDLE erreurs, int secondes) {
  for (char &c : programme)
    if (c == '/') c = '\\';
  STARTUPINFOA demarrage{};
  demarrage.cb = sizeof demarrage;
  demarrage.dwFlags = STARTF_USESTDHANDLES;
  demarrage.hStdInput = entree;
  demarrage.hStdOutput = sortie;
  demarrage.hStdError = erreurs;
  PROCESS_INFORMATION processus{};
  int statut = -1;
  if (CreateProcessA(programme.c_str(), ligne.data(), nullptr, nullptr, TRUE, 0, nullptr,
                     dossier.empty() ? nullptr : dossier.c_str(), &demarrage, &processus)) {
    if (WaitForSingleObject(processus.hProcess, secondes * 1000) == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(processus.hProcess, &code);
      statut = static_cast<int>(code);
    } else {
      TerminateProcess(processus.hProcess, 255);
    }
    CloseHandle(processus.hProcess);
    CloseHandle(processus.hThread);
  }
  CloseHandle(entree);
  CloseHandle(sortie);
  if (erreurs != sortie) CloseHandle(erreurs);
  return statut;
}

std::string ligne_de(const std::vector<std::string> &arguments) {
  std::string ligne;
  for (const std::string &a : arguments) ligne += (ligne.empty() ? "" : " ") + cite(a);
  return ligne;
}

}  // namespace

Execution lance(const std::vector<std::string> &arguments, const std::string &clavier,
                int secondes) {
  const std::string entree = ecrit_fichier("clavier.txt", clavier);
  const std::string sortie = dossier_du_test() + "/sortie.txt";
  const HANDLE fichier = ouvre(sortie, GENERIC_WRITE, CREATE_ALWAYS);
  Execution resultat{"", -1};
  resultat.statut = execute(arguments.at(0), ligne_de(arguments), "",
                            ouvre(entree, GENERIC_READ, OPEN_EXISTING), fichier, fichier, secondes);
  resultat.sortie = lit_fichier(sortie);
  return resultat;
}

ExecutionScript lance_sans_terminal(const std::vector<std::string> &arguments,
                                    const std::string &dossier, int secondes,
                                    const std::string &entree) {
  const std::string sortie = dossier_du_test() + "/sortie.txt";
  const std::string erreurs = dossier_du_test() + "/erreurs.txt";
  const std::string fichier_entree = ecrit_fichier("entree_standard.txt", entree);
  ExecutionScript resultat{"", "", -1};
  resultat.statut = execute(arguments.at(0), ligne_de(arguments), dossier,
                            ouvre(fichier_entree, GENERIC_READ, OPEN_EXISTING),
                            ouvre(sortie, GENERIC_WRITE, CREATE_ALWAYS),
                            ouvre(erreurs, GENERIC_WRITE, CREATE_ALWAYS), secondes);
  resultat.sortie = lit_fichier(sortie);
  resultat.erreurs = lit_fichier(erreurs);
  return resultat;
}

#else
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>

#include "tests/support/support.h"

namespace {

int millisecondes_avant(std::chrono::steady_clock::time_point limite) {
  const auto reste = std::chrono::duration_cast<std::chrono::milliseconds>(
      limite - std::chrono::steady_clock::now());
  return static_cast<int>(std::max<long long>(0, reste.count()));
}

// The absolute path of the file `nom` of the test's folder.
std::string fichier_du_test(const std::string &nom) {
  return std::filesystem::absolute(dossier_du_test() + "/" + nom);
}

// Pointers into `textes`, then nullptr, as exec takes them.
std::vector<char *> pour_exec(const std::vector<std::string> &textes) {
  std::vector<char *> pointeurs;
  pointeurs.reserve(textes.size() + 1);
  for (const std::string &t : textes) pointeurs.push_back(const_cast<char *>(t.c_str()));
  pointeurs.push_back(nullptr);
  return pointeurs;
}

// A program made ready before the fork, so that the child only changes its
// environment (when `changements` holds any change, see programme.h) and
// runs it.
class Programme {
 public:
  Programme(const std::vector<std::string> &arguments, const std::vector<std::string> &changements)
      : argv_(pour_exec(arguments)), change_(!changements.empty()) {
    if (!change_) return;
    std::vector<std::string> noms;
    std::vector<std::string> tous = changements;
    for (char **v = environ; *v != nullptr; ++v) tous.emplace_back(*v);
    for (const std::string &entree : tous) {
      std::string nom = entree.substr(0, entree.find('='));
      if (std::find(noms.begin(), noms.end(), nom) != noms.end()) continue;  // the first wins
      if (entree != nom) environnement_.push_back(entree);
      noms.push_back(std::move(nom));
    }
    envp_ = pour_exec(environnement_);
  }

  // In the child: never returns.
  [[noreturn]] void execute() {
    if (change_) environ = envp_.data();
    execv(argv_[0], argv_.data());
    _exit(127);
  }

 private:
  std::vector<std::string> environnement_;
  std::vector<char *> argv_, envp_;
  bool change_;
};

}  // namespace

Session::Session(const std::vector<std::string> &arguments) : Session(arguments, "", {}) {}

Session::Session(const std::vector<std::string> &arguments, const std::string &dossier,
                 const std::vector<std::string> &environnement) {
  Programme programme(arguments, environnement);
  termios brut{};
  cfmakeraw(&brut);
  brut.c_cc[VMIN] = 1;
  brut.c_cc[VTIME] = 0;
  winsize taille{24, 80, 0, 0};
  pid_ = forkpty(&maitre_, nullptr, &brut, &taille);
  if (pid_ == 0) {
    if (!dossier.empty() && chdir(dossier.c_str()) != 0) _exit(125);
    programme.execute();
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

pid_t demarre_sans_terminal(const std::vector<std::string> &arguments, const std::string &dossier,
                            const std::vector<std::string> &environnement,
                            const std::string &entree) {
  const std::string sortie = fichier_du_test("sortie.txt"),
                    erreurs = fichier_du_test("erreurs.txt");
  const std::string fichier_entree =
      std::filesystem::absolute(ecrit_fichier("entree_standard.txt", entree));
  Programme programme(arguments, environnement);
  const pid_t pid = fork();
  if (pid == 0) {
    setsid();  // no controlling terminal
    if (!dossier.empty() && chdir(dossier.c_str()) != 0) _exit(125);
    const int vide = open(fichier_entree.c_str(), O_RDONLY);
    const int s = open(sortie.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int e = open(erreurs.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (vide < 0 || s < 0 || e < 0 || dup2(vide, 0) < 0 || dup2(s, 1) < 0 || dup2(e, 2) < 0)
      _exit(126);
    programme.execute();
  }
  return pid;
}

int attend_la_fin(pid_t pid, int secondes) {
  const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(secondes);
  int statut = 0;
  while (waitpid(pid, &statut, WNOHANG) == 0) {
    if (millisecondes_avant(limite) == 0) {
      kill(pid, SIGKILL);
      waitpid(pid, &statut, 0);
      break;
    }
    poll(nullptr, 0, 10);
  }
  return WIFEXITED(statut) ? WEXITSTATUS(statut) : -1;
}

ExecutionScript lance_sans_terminal(const std::vector<std::string> &arguments,
                                    const std::string &dossier, int secondes,
                                    const std::string &entree,
                                    const std::vector<std::string> &environnement) {
  const pid_t pid = demarre_sans_terminal(arguments, dossier, environnement, entree);
  const int statut = attend_la_fin(pid, secondes);
  return {lit_fichier(fichier_du_test("sortie.txt")), lit_fichier(fichier_du_test("erreurs.txt")),
          statut};
}

ExecutionScript lance_sans_terminal(const std::vector<std::string> &arguments,
                                    const std::string &dossier, int secondes,
                                    const std::string &entree) {
  return lance_sans_terminal(arguments, dossier, secondes, entree, {});
}
#endif
