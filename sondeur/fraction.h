// fraction.h -- exact chances: a fraction p/q in lowest terms, which a
// product of chances down nested lists may make as large as it likes (its
// terms grow past 64 bits when dice are large and deep). Terms that fit in
// a machine word, the common case, are kept and worked in one.
#ifndef SONDEUR_FRACTION_H
#define SONDEUR_FRACTION_H

#include <cstdint>
#include <string>
#include <vector>

class Fraction {
 public:
  Fraction() = default;
  // Copies carry the large terms only when there are some.
  Fraction(const Fraction &autre) { *this = autre; }
  Fraction &operator=(const Fraction &autre) {
    p_ = autre.p_;
    q_ = autre.q_;
    grande_ = autre.grande_;
    if (grande_) {
      gp_ = autre.gp_;
      gq_ = autre.gq_;
    }
    return *this;
  }

  // Multiplies by `compte`/`taille` (taille above 0) and reduces:
  // 1/6 times 1/2 gives 1/12; times 0/2 gives 0/1.
  void multiplie(std::uint32_t compte, std::uint32_t taille);

  // Appends "1/12", "0/1", "1/1".
  void ajoute_a(std::string &texte) const;
  std::string texte() const {
    std::string s;
    ajoute_a(s);
    return s;
  }
  // Its value, for a percentage.
  double valeur() const;

 private:
  // A whole number in base 2^32, least significant word first, never
  // empty, without leading zero words (0 is {0}).
  using Grand = std::vector<std::uint32_t>;

  void agrandit();
  static std::uint32_t reste(const Grand &n, std::uint32_t d);
  static void multiplie(Grand &n, std::uint32_t m);
  static void divise(Grand &n, std::uint32_t d);
  static void ajoute_decimal(std::string &texte, Grand n);
  static double approche(const Grand &n, int &exposant);

  std::uint64_t p_ = 1, q_ = 1;  // the terms, while neither is grand
  bool grande_ = false;
  Grand gp_, gq_;  // the terms, once one has outgrown 64 bits
};

#endif
