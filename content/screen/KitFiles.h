#pragma once
// Writers of the screen kit: text files and pictures. Each writer returns false with a message
// on stderr when a file could not be written.

#include <string>

#include "content/screen/Layout.h"

namespace zelo::content {

/// Writes bytes to a temporary file beside the target, then renames it over the target, so a
/// failed run never leaves a half-written file in place of a good one.
bool WriteKitFile(const std::string& path, const std::string& bytes);

/// "pkonst", "seiten", "k_640" ... "k_1280", "fonts", "e2inf" and "f_zelo2".
bool WriteTextFiles(const Layout& layout, const std::string& dataFolder);

/// Every picture of one layout's graphics folder (pages, panels, knobs, quick fader, start
/// and info pictures, cursors).
bool WritePictures(const Layout& layout, const LayoutScale& scale, const std::string& dataFolder);

/// The content marker, the block textures and their palette.
bool WriteSharedPictures(const std::string& dataFolder);

/// The manual: root + "garnet.html".
bool WriteHelpPage(const Layout& layout, const std::string& mediumRoot);

}  // namespace zelo::content
