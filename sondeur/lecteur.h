// lecteur.h -- a table file in the pieces that Sondeur's checks read: up to
// and including a line feed, or the first 254 bytes of a longer line, as a
// 255-byte fgets gives them. Beside the pieces, the reader knows the lines
// as the user sees them: the number of the line that holds the current
// piece, the piece's offset in it and, once the line has ended, its text.
// The file is read once, through one buffer; nothing is allocated, so memory
// stays the same whatever the size of the file.
#ifndef SONDEUR_LECTEUR_H
#define SONDEUR_LECTEUR_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

// Where the bytes come from: a stream, or a file descriptor.
class Source {
 public:
  virtual ~Source() = default;
  // Reads at most `n` bytes into `dest`; 0 at the end of the file or on an
  // error, which en_erreur then tells.
  virtual std::size_t lit(char *dest, std::size_t n) = 0;
  virtual bool en_erreur() const = 0;
};

class SourceFlux final : public Source {
 public:
  explicit SourceFlux(std::FILE *flux) : flux_(flux) {}
  std::size_t lit(char *dest, std::size_t n) override { return std::fread(dest, 1, n, flux_); }
  bool en_erreur() const override { return std::ferror(flux_) != 0; }

 private:
  std::FILE *flux_;
};

// A file open as the descriptor `fd` (0: standard input); never closed here.
// When its size is known (a regular file's, above 0), the file ends there:
// no read is spent on finding its end.
class SourceDescripteur final : public Source {
 public:
  explicit SourceDescripteur(int fd, std::int64_t taille = 0) : fd_(fd), reste_(taille) {}
  std::size_t lit(char *dest, std::size_t n) override;
  bool en_erreur() const override { return erreur_; }

 private:
  int fd_;
  std::int64_t reste_;  // bytes still to come, when known (above 0)
  bool connue_ = reste_ > 0;
  bool erreur_ = false;
};

// A line of the file once it has ended: its text without its line end, cut
// after CITATION_MAX bytes (a line longer than that keeps its beginning).
struct Ligne {
  std::int64_t numero;    // from 1
  std::int64_t longueur;  // every byte of it, line end included
  std::string_view texte;
  bool tronquee;  // longer than CITATION_MAX bytes
};

// What the reader tells as it goes: the bytes of the file, each once and in
// order, and the lines once they have ended: every line longer than the
// reader's pieces, and the others while `lignes_voulues` is true (most
// lines need no word, and a file has many).
class SuiviLecture {
 public:
  virtual ~SuiviLecture() = default;
  virtual void octets(const unsigned char *octets, std::size_t n) = 0;
  virtual void ligne_finie(const Ligne &ligne) = 0;
  bool lignes_voulues = true;
};

// The text without its line end: "Orc\r\n" -> "Orc".
inline std::string_view sans_fin_de_ligne(std::string_view t) {
  if (!t.empty() && t.back() == '\n') t.remove_suffix(1);
  if (!t.empty() && t.back() == '\r') t.remove_suffix(1);
  return t;
}

// The bytes of a line that a report quotes at most.
constexpr std::size_t CITATION_MAX = 1024;

class Lecteur {
 public:
  explicit Lecteur(Source &source, SuiviLecture *suivi = nullptr)
      : source_(source), suivi_(suivi) {}
  Lecteur(const Lecteur &) = delete;
  Lecteur &operator=(const Lecteur &) = delete;

  // Moves on to the next piece; false at the end of the file, the current
  // piece being then kept as it is. Most pieces are a whole line that the
  // buffer holds, and nobody to tell: those are taken here.
  bool suivante() {
    const char *debut = tampon_ + debut_;
    const char *saut =
        static_cast<const char *>(std::memchr(debut, '\n', std::min(fin_ - debut_, MORCEAU)));
    if (saut == nullptr || ligne_ouverte_ || (a_finir_ && a_dire())) return suivante_autre();
    const std::size_t n = static_cast<std::size_t>(saut - debut) + 1;
    ++ligne_;
    decalage_ = 0;
    debut_ligne_ = piece_ = debut_;
    longueur_piece_ = n;
    if (nul_ < debut_) cherche_nul(debut_);
    texte_ = std::min(n, nul_ - debut_);
    debut_ += n;
    citee_a_part_ = false;
    a_finir_ = true;
    return true;
  }

  // Reads what is left of the file, piece by piece, and ends the last line:
  // every byte and every line has then been told.
  void termine();

  // The current piece, up to its first NUL byte, which ends it as it ends
  // any string; empty before the first piece.
  const char *piece() const { return tampon_ + piece_; }
  std::size_t texte() const { return texte_; }

  std::int64_t ligne() const { return ligne_; }        // its line (0 before any)
  std::int64_t decalage() const { return decalage_; }  // bytes of its line before it
  bool en_erreur() const { return source_.en_erreur(); }

 private:
  static constexpr std::size_t MORCEAU = 254;  // a piece's bytes at most
  static constexpr std::size_t TAILLE_TAMPON = 64 * 1024;

  // Whether the line that has ended is to be told.
  bool a_dire() const {
    return suivi_ != nullptr &&
           (suivi_->lignes_voulues || longueur_ligne() > static_cast<std::int64_t>(MORCEAU));
  }
  // The bytes of the current line so far: its pieces before the current
  // one, and this one.
  std::int64_t longueur_ligne() const {
    return decalage_ + static_cast<std::int64_t>(longueur_piece_);
  }
  bool suivante_autre();
  bool remplit();
  void garde_la_citation();
  void cherche_nul(std::size_t depuis);
  void ouvre_ligne();
  void finit_ligne();

  Source &source_;
  SuiviLecture *suivi_;
  std::size_t debut_ = 0, fin_ = 0;  // the bytes of `tampon_` not yet handed out
  std::size_t nul_ = 0;              // the first NUL at or after the current piece, or `fin_`
  std::size_t piece_ = 0, longueur_piece_ = 0, texte_ = 0;
  bool fin_du_fichier_ = false;

  std::int64_t ligne_ = 0, decalage_ = 0;
  std::size_t debut_ligne_ = 0;  // where it starts in `tampon_`, while it is kept there
  bool ligne_ouverte_ = false;   // its line feed is still to come
  bool a_finir_ = false;         // it has ended but was not told yet
  bool citee_a_part_ = false;    // its beginning is in `citation_`, no longer in `tampon_`

  char citation_[CITATION_MAX];
  char tampon_[TAILLE_TAMPON];
};

#endif
