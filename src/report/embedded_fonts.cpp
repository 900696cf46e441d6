#include "report/embedded_fonts.h"

// The font files are named by the build (AFCDRAW_FONT_SANS and
// AFCDRAW_FONT_SANS_BOLD) and copied into the binary's read-only data.
#define AFCDRAW_EMBED(name, path) \
  ".section .rodata\n"            \
  ".balign 16\n"                  \
  ".hidden " name                 \
  "\n"                            \
  ".global " name "\n" name       \
  ":\n"                           \
  ".incbin \"" path               \
  "\"\n"                          \
  ".hidden " name                 \
  "_end\n"                        \
  ".global " name "_end\n" name   \
  "_end:\n"                       \
  ".previous\n"

asm(AFCDRAW_EMBED("afcdraw_font_sans", AFCDRAW_FONT_SANS));
asm(AFCDRAW_EMBED("afcdraw_font_sans_bold", AFCDRAW_FONT_SANS_BOLD));

extern "C" const unsigned char afcdraw_font_sans[], afcdraw_font_sans_end[];
extern "C" const unsigned char afcdraw_font_sans_bold[], afcdraw_font_sans_bold_end[];

FontData sans_font() {
  return {afcdraw_font_sans, static_cast<size_t>(afcdraw_font_sans_end - afcdraw_font_sans)};
}

FontData sans_bold_font() {
  return {afcdraw_font_sans_bold,
          static_cast<size_t>(afcdraw_font_sans_bold_end - afcdraw_font_sans_bold)};
}
