#pragma once
// The sounds of the tools: the sound generator's one-shots and their list "hypsound", the
// start sound, the intro music and the metronome click.

#include <string>
#include <vector>

#include "content/sound/Dsp.h"

namespace zelo::content::sound {

/// The generator's menus, by menu digit.
inline constexpr const char* kGeneratorMenus[4] = {"Bass", "Drums", "Effects", "Synths"};

/// One sound of the generator's list.
struct ToolSound {
  std::string file;     ///< below "zub/" in the source folder
  std::string title;    ///< the caption's words
  int menu = 0;         ///< 0 Bass, 1 Drums, 2 Effects, 3 Synths
  std::string submenu;  ///< the submenu it is listed under
  int kind = 0;         ///< which instrument renders it
  int variant = 0;
};

/// Every generator sound, grouped by menu and submenu in list order.
std::vector<ToolSound> PlanToolSounds();
/// One generator sound: a one-shot on A, fading out within its length.
Stereo RenderToolSound(const ToolSound& sound);

/// The list file "hypsound": three lines per sound (file, title, category), CR LF ends.
std::string HypsoundText(const std::vector<ToolSound>& sounds);

/// The start sound "logo.wav": about two seconds.
Stereo RenderLogo();
/// The intro music "dintro.zub": eight bars that build up and fade.
Stereo RenderIntro();
/// The metronome click "metro.zub": one short click.
Stereo RenderClick();

}  // namespace zelo::content::sound
