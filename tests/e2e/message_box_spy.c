/* Loaded into the game under test with LD_PRELOAD: every error box's title
 * and text go to the file named by $QUENDRIX_MESSAGE_LOG, one line per box
 * (line breaks of the text as " | "), before the real box shows. The test
 * reads there what the player is told. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

typedef int (*ShowFn)(uint32_t flags, const char* title, const char* message, void* window);

int SDL_ShowSimpleMessageBox(uint32_t flags, const char* title, const char* message,
                             void* window) {
  const char* log = getenv("QUENDRIX_MESSAGE_LOG");
  FILE* f = log != NULL ? fopen(log, "a") : NULL;
  if (f != NULL) {
    fprintf(f, "%s: ", title != NULL ? title : "");
    for (const char* c = message; c != NULL && *c != '\0'; ++c) {
      if (*c == '\n')
        fputs(" | ", f);
      else
        fputc(*c, f);
    }
    fputc('\n', f);
    fclose(f);
  }
  ShowFn real = (ShowFn)dlsym(RTLD_NEXT, "SDL_ShowSimpleMessageBox");
  return real != NULL ? real(flags, title, message, window) : -1;
}
