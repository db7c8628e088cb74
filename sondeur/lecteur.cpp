// lecteur.cpp -- a table file in the pieces that Sondeur reads (lecteur.h).
//
// Every piece lies whole in the buffer: before a fill, the bytes still
// needed move to its front. Those are the bytes not yet handed out, the
// current piece (kept at the end of the file), and the current line from its
// start while it is no longer than CITATION_MAX bytes, so that its text can
// be quoted once it ends; a longer line keeps its first CITATION_MAX bytes
// aside instead.
#include "sondeur/lecteur.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

// A read that a signal interrupts is made again.
std::size_t SourceDescripteur::lit(char *dest, std::size_t n) {
  if (connue_ && reste_ <= 0) return 0;
  const unsigned voulu = static_cast<unsigned>(std::min<std::size_t>(n, 1u << 30));
  for (;;) {
    const auto lus = read(fd_, dest, voulu);
    if (lus >= 0) {
      reste_ -= lus;
      return static_cast<std::size_t>(lus);
    }
    if (errno != EINTR) break;
  }
  erreur_ = true;
  return 0;
}

// The pieces that suivante does not take itself: one that the buffer does
// not hold whole, or that is not a whole line, or that ends a line to tell.
bool Lecteur::suivante_autre() {
  std::size_t reste = fin_ - debut_;
  const char *saut;
  for (;;) {
    saut = static_cast<const char *>(std::memchr(tampon_ + debut_, '\n', std::min(reste, MORCEAU)));
    if (saut != nullptr || reste >= MORCEAU || !remplit()) break;
    reste = fin_ - debut_;
  }
  if (reste == 0) return false;
  const std::size_t n =
      saut ? static_cast<std::size_t>(saut - (tampon_ + debut_)) + 1 : std::min(reste, MORCEAU);
  if (a_finir_) {
    a_finir_ = false;
    if (a_dire()) finit_ligne();
  }
  if (ligne_ouverte_)
    decalage_ += static_cast<std::int64_t>(longueur_piece_);
  else
    ouvre_ligne();
  piece_ = debut_;
  longueur_piece_ = n;
  if (nul_ < debut_) cherche_nul(debut_);
  texte_ = std::min(n, nul_ - debut_);
  debut_ += n;
  if (saut != nullptr) {
    ligne_ouverte_ = false;
    a_finir_ = true;
  }
  return true;
}

void Lecteur::termine() {
  while (suivante()) {
  }
  if (ligne_ouverte_) {  // a last line without line feed
    ligne_ouverte_ = false;
    a_finir_ = true;
  }
  if (a_finir_ && a_dire()) finit_ligne();
  a_finir_ = false;
}

// Reads more of the file after the bytes still needed, moved to the front.
// False when nothing more comes.
bool Lecteur::remplit() {
  if (fin_du_fichier_) return false;
  std::size_t garde = piece_;
  if (!citee_a_part_) {
    if (debut_ - debut_ligne_ <= CITATION_MAX)
      garde = debut_ligne_;
    else
      garde_la_citation();
  }
  std::memmove(tampon_, tampon_ + garde, fin_ - garde);
  piece_ -= garde;
  debut_ -= garde;
  fin_ -= garde;
  debut_ligne_ = citee_a_part_ ? 0 : debut_ligne_ - garde;
  const std::size_t lus = source_.lit(tampon_ + fin_, sizeof tampon_ - fin_);
  if (suivi_ != nullptr)
    suivi_->octets(reinterpret_cast<const unsigned char *>(tampon_ + fin_), lus);
  fin_ += lus;
  cherche_nul(debut_);
  fin_du_fichier_ = lus == 0;
  return !fin_du_fichier_;
}

// The current line is longer than what the buffer keeps of it: its first
// bytes go aside, for its quotation.
void Lecteur::garde_la_citation() {
  std::memcpy(citation_, tampon_ + debut_ligne_, CITATION_MAX);
  citee_a_part_ = true;
}

void Lecteur::cherche_nul(std::size_t depuis) {
  const void *n = std::memchr(tampon_ + depuis, '\0', fin_ - depuis);
  nul_ = n ? static_cast<std::size_t>(static_cast<const char *>(n) - tampon_) : fin_;
}

void Lecteur::ouvre_ligne() {
  ++ligne_;
  decalage_ = 0;
  debut_ligne_ = debut_;
  citee_a_part_ = false;
  ligne_ouverte_ = true;
}

// Tells the line that has just ended, its text without its line end.
void Lecteur::finit_ligne() {
  const char *debut = citee_a_part_ ? citation_ : tampon_ + debut_ligne_;
  const std::int64_t longueur = longueur_ligne();
  const bool tronquee = longueur > static_cast<std::int64_t>(CITATION_MAX);
  std::string_view texte(debut, tronquee ? CITATION_MAX : static_cast<std::size_t>(longueur));
  if (!tronquee) texte = sans_fin_de_ligne(texte);
  suivi_->ligne_finie({ligne_, longueur, texte, tronquee});
}
