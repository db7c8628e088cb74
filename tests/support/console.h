// console.h -- the accented letters of the messages as each console
// receives them: UTF-8 on Linux, code page 850 on Windows.
#ifndef TESTS_CONSOLE_H
#define TESTS_CONSOLE_H

#ifdef _WIN32
#define A_GRAVE "\x85"
#define E_AIGU "\x82"
#define E_GRAVE "\x8A"
#define E_CIRC "\x88"
#else
#define A_GRAVE "\xC3\xA0"
#define E_AIGU "\xC3\xA9"
#define E_GRAVE "\xC3\xA8"
#define E_CIRC "\xC3\xAA"
#endif

#endif
