#pragma once
// The content kit generator: every picture, page, text and sound that Zelo ships.

#include <string>

namespace zelo::content {

/// Writes the screen part (texts, pages, coordinates, pictures) into the data folder.
/// Returns false with a message on stderr when something could not be written.
bool MakeScreenKit(const std::string& dataFolder);
/// Writes the sound part (library containers and catalogue, tool sounds) below the medium root
/// (data folder = root + "zelo/zelo/", source folder = root + "zelo/").
bool MakeSoundKit(const std::string& mediumRoot);

}  // namespace zelo::content
