// The program file: builds the platform services and runs Zelo.
#include <SDL.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "app/Anwendung.h"
#include "app/Verbund.h"
#include "platform/Clock.h"
#include "platform/engine/ZeloEngine.h"

namespace {

std::string ProgrammOrdner(const char* argv0) {
  char buf[4096];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  std::string pfad = n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string(argv0);
  auto schnitt = pfad.find_last_of('/');
  return schnitt == std::string::npos ? std::string("./") : pfad.substr(0, schnitt + 1);
}

}  // namespace

int main(int argc, char** argv) {
  // A termination signal (the session ending, kill) ends the program at once; SDL would
  // otherwise turn it into a quit request, whose question nobody may be there to answer.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    SDL_Log("Zelo cannot open its window: %s", SDL_GetError());
    return 1;
  }
  zelo::app::StartOptionen optionen;
  optionen.Programmordner = ProgrammOrdner(argv[0]);
  for (int i = 1; i < argc; ++i) {
    if (i > 1) optionen.Kommandozeile += ' ';
    optionen.Kommandozeile += argv[i];
  }
  // A developer may run Zelo in a window of a given size, e.g. ZELO_WINDOW_SIZE=1280x960.
  if (const char* size = std::getenv("ZELO_WINDOW_SIZE")) {
    std::sscanf(size, "%dx%d", &optionen.FensterBreite, &optionen.FensterHoehe);
  }

  zelo::config::Ordner temp;
  zelo::config::TempordnerSetzen(temp, optionen.Umgebung);
  zelo::platform::SystemClock uhr;
  zelo::platform::EngineOptions eo;
  eo.device = zelo::platform::AudioDevice::Sdl;
  eo.tempFolder = temp.Tempordner;
  eo.clock = &uhr;
  int code = 0;
  {
    zelo::platform::ZeloEngine engine(eo);
    zelo::app::Verbund subsysteme;
    zelo::app::Anwendung zelo(optionen, uhr, engine, nullptr, subsysteme);
    subsysteme.Verbinden(zelo);
    code = zelo.Main();
  }
  SDL_Quit();
  return code;
}
