// fraction.cpp -- exact fractions (fraction.h).
//
// p/q is kept in lowest terms. To multiply by c/n (themselves reduced), only
// small divisors are needed: gcd(p*c, q*n) = gcd(p, n) * gcd(c, q) when p, q
// and c, n are coprime, and the gcd of a large number and a small one is
// that of its remainder and the small one.
#include "sondeur/fraction.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numeric>

void Fraction::multiplie(std::uint32_t compte, std::uint32_t taille) {
  if (compte == 0) {
    *this = Fraction();
    p_ = 0;
    return;
  }
  if (compte == taille) return;  // times 1
  const auto g = compte == 1 ? 1 : static_cast<std::uint32_t>(std::gcd(compte, taille));
  compte /= g;
  taille /= g;
  if (!grande_) {
    const std::uint64_t g1 = compte == 1 ? 1 : std::gcd(q_, compte),
                        g2 = p_ == 1 ? 1 : std::gcd(p_, taille);
    const std::uint64_t p = p_ / g2, q = q_ / g1, c = compte / g1, n = taille / g2;
    if (p <= UINT64_MAX / c && q <= UINT64_MAX / n) {  // no term outgrows 64 bits
      p_ = p * c;
      q_ = q * n;
      return;
    }
    agrandit();
  }
  const auto g1 = static_cast<std::uint32_t>(std::gcd(reste(gq_, compte), compte));  // gcd(c, q)
  const auto g2 = static_cast<std::uint32_t>(std::gcd(reste(gp_, taille), taille));  // gcd(p, n)
  divise(gp_, g2);
  divise(gq_, g1);
  multiplie(gp_, compte / g1);
  multiplie(gq_, taille / g2);
}

// The terms move to words of 32 bits, for products of any size.
void Fraction::agrandit() {
  for (const auto &[petit, grand] : {std::pair{p_, &gp_}, std::pair{q_, &gq_}}) {
    grand->assign({static_cast<std::uint32_t>(petit), static_cast<std::uint32_t>(petit >> 32)});
    if (grand->back() == 0) grand->pop_back();
  }
  grande_ = true;
}

std::uint32_t Fraction::reste(const Grand &n, std::uint32_t d) {
  std::uint64_t r = 0;
  for (auto i = n.rbegin(); i != n.rend(); ++i) r = ((r << 32) | *i) % d;
  return static_cast<std::uint32_t>(r);
}

void Fraction::multiplie(Grand &n, std::uint32_t m) {
  std::uint64_t retenue = 0;
  for (std::uint32_t &mot : n) {
    const std::uint64_t produit = std::uint64_t{mot} * m + retenue;
    mot = static_cast<std::uint32_t>(produit);
    retenue = produit >> 32;
  }
  if (retenue != 0) n.push_back(static_cast<std::uint32_t>(retenue));
}

void Fraction::divise(Grand &n, std::uint32_t d) {
  std::uint64_t r = 0;
  for (auto i = n.rbegin(); i != n.rend(); ++i) {
    const std::uint64_t courant = (r << 32) | *i;
    *i = static_cast<std::uint32_t>(courant / d);
    r = courant % d;
  }
  while (n.size() > 1 && n.back() == 0) n.pop_back();
}

void Fraction::ajoute_decimal(std::string &texte, Grand n) {
  const std::size_t debut = texte.size();
  do {
    const std::uint32_t r = reste(n, 10);
    divise(n, 10);
    texte += static_cast<char>('0' + r);
  } while (n.size() > 1 || n[0] != 0);
  std::reverse(texte.begin() + static_cast<std::ptrdiff_t>(debut), texte.end());
}

void Fraction::ajoute_a(std::string &texte) const {
  if (grande_) {
    ajoute_decimal(texte, gp_);
    texte += '/';
    ajoute_decimal(texte, gq_);
    return;
  }
  char chiffres[42];  // two 20-digit terms and the slash
  char *fin = std::to_chars(chiffres, chiffres + 20, p_).ptr;
  *fin++ = '/';
  fin = std::to_chars(fin, fin + 20, q_).ptr;
  texte.append(chiffres, fin);
}

// Its leading words as a double, scaled by 2^(32 * exposant).
double Fraction::approche(const Grand &n, int &exposant) {
  const std::size_t debut = n.size() > 2 ? n.size() - 2 : 0;
  double v = 0;
  for (std::size_t i = n.size(); i-- > debut;) v = v * 4294967296.0 + n[i];
  exposant = static_cast<int>(debut);
  return v;
}

double Fraction::valeur() const {
  if (!grande_) return static_cast<double>(p_) / static_cast<double>(q_);
  int ep = 0, eq = 0;
  const double p = approche(gp_, ep), q = approche(gq_, eq);
  return std::ldexp(p / q, 32 * (ep - eq));
}
