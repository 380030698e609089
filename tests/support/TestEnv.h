#pragma once
// Test environment helpers shared by every test program.

#include <string>

namespace zelo::test {

/// Makes a new empty folder and points HOME, XDG_CONFIG_HOME and TMPDIR into it. Called
/// before every test by the test main; returns the folder (ends with "/").
std::string MakeFreshHome();
/// Removes the folder of the last MakeFreshHome.
void RemoveFreshHome();
/// The current test's fresh folder (ends with "/").
std::string FreshHome();

/// The medium data folder the build made (ends with "/"); empty when the build made no
/// content kit.
std::string MediumDataFolder();
/// The repository's source folder (ends with "/").
std::string SourceFolder();

/// Writes a file, creating its folders.
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

}  // namespace zelo::test
