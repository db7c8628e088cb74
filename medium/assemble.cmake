# Lays out the installation medium in DESTINATION, afresh:
#   installer.exe
#   DOSSIER/ ("Vallorim light (v5.3)")   uninstaller.exe, Couleurs.ini,
#       Données/ (the sample files), Utilitaires/ (Uninstall.ini,
#       Shortcut.exe, the icon written by icone.sh, Sondeur/Sondeur.exe,
#       Registre/ with regupdater.exe and its .reg files)
# Names are written in UTF-8, as Wine and Linux file managers read them.
foreach(variable DESTINATION DOSSIER SOURCES EXEMPLES INSTALLER UNINSTALLER SHORTCUT SONDEUR REGUPDATER)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "assemble.cmake needs -D${variable}=...")
  endif()
endforeach()

set(suite "${DESTINATION}/${DOSSIER}")
set(utilitaires "${suite}/Utilitaires")
file(REMOVE_RECURSE "${DESTINATION}")
file(MAKE_DIRECTORY "${suite}/Données" "${utilitaires}/Sondeur" "${utilitaires}/Registre")

file(COPY "${INSTALLER}" DESTINATION "${DESTINATION}")
file(COPY "${UNINSTALLER}" "${SOURCES}/Couleurs.ini" DESTINATION "${suite}")
file(GLOB exemples "${EXEMPLES}/*")
file(COPY ${exemples} DESTINATION "${suite}/Données")
file(COPY "${SOURCES}/Uninstall.ini" "${SHORTCUT}" DESTINATION "${utilitaires}")
file(COPY "${SONDEUR}" DESTINATION "${utilitaires}/Sondeur")
file(GLOB registre "${SOURCES}/Registre/*.reg")
file(COPY "${REGUPDATER}" ${registre} DESTINATION "${utilitaires}/Registre")
