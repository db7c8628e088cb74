// systeme.h -- two queries of the Windows environment: the logged-in user's
// name and the letter of the drive that holds the system folder. Both have
// the command interpreter write the answer into the scratch file c:\temp.tmp,
// which they read back and leave in place. The Linux build runs the same
// commands, which give no such file there: both answers are then empty.
#ifndef OUTILS_SYSTEME_H
#define OUTILS_SYSTEME_H

// Local_user's buffer: a line of the scratch file, 254 characters and the NUL.
constexpr int TAILLE_LOCAL_USER = 255;
// Disk_system's buffer: one letter and the NUL.
constexpr int TAILLE_DISK_SYSTEM = 2;

char *Local_user(char *buffer);
char *Disk_system(char *buffer);

#endif
