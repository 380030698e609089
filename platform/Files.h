#pragma once
// File helpers every subsystem uses: reading the program's text files, the list-reading rule
// of the state file and the content files, names compared without case on a file system
// that has case, safe saving, sizes, stamps and free space. Paths use "/"; folder values end
// with "/". Text files are Windows-1252 with CR LF (LF alone is accepted when reading).
// No function here throws; each reports failure in its result.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelo::platform {

// --- Names without case ----------------------------------------------------------------------

/// Upper and lower case of Windows-1252 text (ASCII and the accented Latin-1 letters).
std::string AnsiUpper(std::string_view text);
std::string AnsiLower(std::string_view text);
/// True when a and b are equal without regard to case.
bool EqualsNoCase(std::string_view a, std::string_view b);
/// True when text starts with prefix, without regard to case.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
/// Position of the first occurrence of what in text at or after from, without regard to
/// case; std::string_view::npos when there is none.
size_t FindNoCase(std::string_view text, std::string_view what, size_t from = 0);
/// Text without the spaces at both ends (spaces only, as the program's Trim does).
std::string TrimSpaces(std::string_view text);

/// The path of an existing file or folder that `path` names when case is ignored: each
/// component that does not exist exactly is looked up without case in its folder, and a name
/// ending in "." also matches the same name without the dot (a name the program builds with
/// an empty extension). Returns `path` itself when nothing matches.
std::string ResolvePath(const std::string& path);

/// The last component of a name read from inside a file, after either "/" or "\"; empty
/// when that is empty, "." or "..", so the name can never leave the folder meant for it.
std::string SafeLeafName(std::string_view name);

// --- Existence, size and stamps ---------------------------------------------------------------

/// True when a regular file of that name exists (see ResolvePath).
bool FileExists(const std::string& path);
/// True when a folder of that name exists (see ResolvePath).
bool FolderExists(const std::string& path);
/// Size in bytes; -1 when the file does not exist.
int64_t FileSize(const std::string& path);

/// A file's modification stamp in local time, as numbers that compare in time order.
struct FileStamp {
  int32_t Datum = 0;  ///< yyyymmdd
  int32_t Zeit = 0;   ///< hhnnss
};
std::optional<FileStamp> FileModified(const std::string& path);

/// Free bytes for an unprivileged user on the file system that holds `folder` (the nearest
/// existing folder above it when it does not exist yet); -1 when unknown.
int64_t FreeBytes(const std::string& folder);

// --- Reading ---------------------------------------------------------------------------------

/// The whole file as bytes; nullopt when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

/// Physical lines of a text, split at CR LF or LF; a last line without an end is kept.
std::vector<std::string> SplitLines(std::string_view text);
/// The lines of a text file; nullopt when it cannot be read.
std::optional<std::vector<std::string>> ReadLines(const std::string& path);

/// Lines one at a time over text in memory (the file's bytes, or a test's string).
class LineSource {
 public:
  explicit LineSource(std::string_view text) : text_(text) {}
  /// The next physical line without its end; false at the end of the text.
  bool Next(std::string& line);
  bool AtEnd() const { return pos_ >= text_.size(); }

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

/// The list-reading rule of the state file and the content files: values separated by
/// commas or line ends; leading spaces skipped; a value that starts with a double quote runs
/// to the closing quote (commas inside it belong to it) and loses its quotes; an unquoted
/// value runs to the next comma or line end and loses its trailing spaces.
class ValueSource {
 public:
  explicit ValueSource(std::string_view text) : text_(text) {}
  /// The next value; false when the text is used up.
  bool Next(std::string& value);
  bool AtEnd() const;

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

/// Every value of a text by the list-reading rule.
std::vector<std::string> SplitValues(std::string_view text);

// --- Writing ---------------------------------------------------------------------------------

enum class KeepBackup { No, Yes };

/// Saves bytes without ever destroying the previous good file: writes a temporary file in the
/// same folder, flushes it to disk, then renames it over `path`. With KeepBackup::Yes the
/// previous file stays as path + ".bak". False (and the old file untouched) on any failure.
bool WriteFileSafely(const std::string& path, std::string_view bytes, KeepBackup backup = KeepBackup::No);
/// Lines joined with CR LF (each line ends with CR LF), as the program writes text files.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);
/// Copies a file by the safe-saving rule, keeping its permissions; true when the copy has the
/// source's length.
bool CopyFileSafely(const std::string& from, const std::string& to);

/// Creates a folder and its missing parents; true when it exists afterwards.
bool MakeFolders(const std::string& path);

/// `path` with a "/" appended when it has none at the end (empty stays empty).
std::string WithSlash(std::string path);

}  // namespace zelo::platform
