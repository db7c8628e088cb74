// descente.h -- the folders on the way down a walk of folders, so that a
// link back to one of them is not followed again and a cycle of links ends.
// A folder is known by its device and inode; a system that gives no inode
// number (Windows) never shows a folder as seen. An internal header of the
// library, which the umbrella header leaves out.
#ifndef OUTILS_DESCENTE_H
#define OUTILS_DESCENTE_H

#include <sys/stat.h>

#include <cstddef>
#include <vector>

class Descente {
 public:
  // Whether the folder `etat` describes is already on the way down.
  bool deja_vu(const struct stat &etat) const;
  void entre(const struct stat &etat) { chemin_.push_back({etat.st_dev, etat.st_ino}); }
  void sort() { chemin_.pop_back(); }
  std::size_t profondeur() const { return chemin_.size(); }

 private:
  struct Identite {
    dev_t disque;
    ino_t noeud;
  };
  std::vector<Identite> chemin_;
};

#endif
