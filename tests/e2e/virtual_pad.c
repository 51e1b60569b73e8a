/* Loaded into the game under test with LD_PRELOAD: once the game starts
 * SDL's game-controller support, a virtual game controller is plugged in,
 * and a thread moves it by the lines written to the named pipe
 * $QUENDRIX_TEST_PAD:
 *   button NAME 0|1     NAME: a b x y back start lb rb up down left right
 *   axis NAME VALUE     NAME: leftx lefty rightx righty; VALUE -32768 ... 32767
 * The game sees a pad and nothing else: the test plays with it alone. */
#define _GNU_SOURCE
#include <SDL.h>
#include <dlfcn.h>
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef int (*InitFn)(Uint32 flags);

static SDL_Joystick* pad;

static int ButtonOf(const char* name) {
  static const struct {
    const char* name;
    int button;
  } names[] = {{"a", SDL_CONTROLLER_BUTTON_A},
               {"b", SDL_CONTROLLER_BUTTON_B},
               {"x", SDL_CONTROLLER_BUTTON_X},
               {"y", SDL_CONTROLLER_BUTTON_Y},
               {"back", SDL_CONTROLLER_BUTTON_BACK},
               {"start", SDL_CONTROLLER_BUTTON_START},
               {"lb", SDL_CONTROLLER_BUTTON_LEFTSHOULDER},
               {"rb", SDL_CONTROLLER_BUTTON_RIGHTSHOULDER},
               {"up", SDL_CONTROLLER_BUTTON_DPAD_UP},
               {"down", SDL_CONTROLLER_BUTTON_DPAD_DOWN},
               {"left", SDL_CONTROLLER_BUTTON_DPAD_LEFT},
               {"right", SDL_CONTROLLER_BUTTON_DPAD_RIGHT}};
  for (size_t i = 0; i < sizeof names / sizeof names[0]; ++i)
    if (strcmp(name, names[i].name) == 0) return names[i].button;
  return -1;
}

static int AxisOf(const char* name) {
  if (strcmp(name, "leftx") == 0) return SDL_CONTROLLER_AXIS_LEFTX;
  if (strcmp(name, "lefty") == 0) return SDL_CONTROLLER_AXIS_LEFTY;
  if (strcmp(name, "rightx") == 0) return SDL_CONTROLLER_AXIS_RIGHTX;
  if (strcmp(name, "righty") == 0) return SDL_CONTROLLER_AXIS_RIGHTY;
  return -1;
}

static void* Feed(void* path) {
  for (;;) {
    FILE* in = fopen((const char*)path, "r"); /* waits for a writer */
    if (in == NULL) return NULL;
    char kind[16], name[16];
    int value = 0;
    while (fscanf(in, "%15s %15s %d", kind, name, &value) == 3) {
      if (strcmp(kind, "button") == 0 && ButtonOf(name) >= 0)
        SDL_JoystickSetVirtualButton(pad, ButtonOf(name), value != 0);
      else if (strcmp(kind, "axis") == 0 && AxisOf(name) >= 0)
        SDL_JoystickSetVirtualAxis(pad, AxisOf(name), (Sint16)value);
    }
    fclose(in);
  }
}

int SDL_InitSubSystem(Uint32 flags) {
  InitFn real = (InitFn)dlsym(RTLD_NEXT, "SDL_InitSubSystem");
  const int status = real != NULL ? real(flags) : -1;
  const char* path = getenv("QUENDRIX_TEST_PAD");
  if (status == 0 && (flags & SDL_INIT_GAMECONTROLLER) != 0 && pad == NULL && path != NULL) {
    SDL_VirtualJoystickDesc desc;
    memset(&desc, 0, sizeof desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Quendrix test pad";
    const int device = SDL_JoystickAttachVirtualEx(&desc);
    pad = device >= 0 ? SDL_JoystickOpen(device) : NULL;
    pthread_t feeder;
    if (pad != NULL && pthread_create(&feeder, NULL, Feed, (void*)path) == 0)
      pthread_detach(feeder);
  }
  return status;
}
