// The programs' literals are ISO 8859-1 bytes at run time while the sources
// are UTF-8: one byte per accented letter.
#include <gtest/gtest.h>

#include <cstring>

TEST(JeuDeCaracteres, LiteralsAreIso88591) {
  static_assert(sizeof("é") == 2, "an accented letter is one byte");
  const char *texte = "Données à vérifier, façon ÿ";
  EXPECT_EQ(std::strlen(texte), 27u);
  EXPECT_STREQ(texte,
               "Donn\xE9"
               "es \xE0 v\xE9"
               "rifier, fa\xE7"
               "on \xFF");
}
