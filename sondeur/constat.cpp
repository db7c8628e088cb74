// constat.cpp -- the codes of the findings (constat.h).
#include "sondeur/constat.h"

const char *nom_du_code(Code code) {
  switch (code) {
    case Code::numerotation: return "numerotation";
    case Code::espace_mot_cle: return "espace-mot-cle";
    case Code::espace_tt_plus: return "espace-tt-plus";
    case Code::espace_tt: return "espace-tt";
    case Code::table_incomplete: return "table-incomplete";
    case Code::entree_apres_fin: return "entree-apres-fin";
    case Code::intervalle_apres_fin: return "intervalle-apres-fin";
    case Code::intervalle_inverse: return "intervalle-inverse";
    case Code::deux_points: return "deux-points";
    case Code::ligne_longue: return "ligne-longue";
    case Code::utf8: return "utf8";
    case Code::bom: return "bom";
    case Code::fichier_vide: return "fichier-vide";
    case Code::sans_dd: return "sans-dd";
    case Code::tabulation: return "tabulation";
  }
  return "";
}
