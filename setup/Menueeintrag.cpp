#include "setup/Menueeintrag.h"

#include <filesystem>

#include "platform/Files.h"
#include "platform/Fonts.h"

namespace zelo::setup {

namespace zp = zelo::platform;

namespace {

/// One argument of an Exec key: quoted, with the characters the quoting reserves escaped,
/// then the backslashes of that escaped again for the file's string syntax; "%" doubled.
std::string ExecArgument(const std::string& text) {
  std::string q = "\"";
  for (char c : text) {
    if (c == '"' || c == '`' || c == '$') q += "\\\\";
    if (c == '\\') q += "\\\\\\";
    if (c == '%') q += '%';
    q += c;
  }
  return q + "\"";
}

/// A value of the file's own string syntax (a path's bytes as they are): no line may break it.
std::string Roh(const std::string& text) {
  std::string s;
  for (char c : text) {
    if (c == '\n') s += "\\n";
    else if (c == '\r') s += "\\r";
    else if (c == '\\') s += "\\\\";
    else s += c;
  }
  return s;
}

/// A text of the text table as a value.
std::string Wert(const std::string& ansi) { return Roh(zp::Utf8FromAnsi(ansi)); }

bool HatSteuerzeichen(const std::string& s) {
  for (unsigned char c : s) {
    if (c < 0x20 || c == 0x7F) return true;
  }
  return false;
}

}  // namespace

std::string MenueeintragText(const Menueeintrag& e) {
  const std::string programm = ExecArgument(e.Programm);
  std::string t = "[Desktop Entry]\nType=Application\nVersion=1.0\n";
  t += "Name=" + Wert(e.Name) + "\n";
  t += "Exec=" + programm + "\n";
  t += "Path=" + Roh(e.Programm.substr(0, e.Programm.find_last_of('/') + 1)) + "\n";
  if (!e.Symbol.empty() && zp::FileExists(e.Symbol)) t += "Icon=" + Roh(e.Symbol) + "\n";
  t += "Terminal=false\nCategories=AudioVideo;Audio;Music;\n";
  std::string aktionen = "setup;uninstall;";
  if (!e.Handbuch.empty()) aktionen += "manual;";
  t += "Actions=" + aktionen + "\n";
  // The program reads its run mode from the flag character at the end of its command line.
  t += "\n[Desktop Action setup]\nName=" + Wert(e.SetupName) + "\nExec=" + programm + " s\n";
  t += "\n[Desktop Action uninstall]\nName=" + Wert(e.DeinstallName) + "\nExec=" + programm + " d\n";
  if (!e.Handbuch.empty()) {
    t += "\n[Desktop Action manual]\nName=" + Wert(e.HandbuchName) + "\nExec=xdg-open " + ExecArgument(e.Handbuch) + "\n";
  }
  return t;
}

bool MenueeintragSchreiben(const std::string& menueordner, const Menueeintrag& e) {
  // A program path that would break the entry's lines gets no entry at all.
  if (e.Programm.empty() || HatSteuerzeichen(e.Programm) || HatSteuerzeichen(e.Handbuch)) return false;
  if (!zp::MakeFolders(menueordner)) return false;
  return zp::WriteFileSafely(zp::WithSlash(menueordner) + kMenuedatei, MenueeintragText(e));
}

bool MenueeintragEntfernen(const std::string& menueordner) {
  std::error_code ec;
  const std::string datei = zp::WithSlash(menueordner) + kMenuedatei;
  std::filesystem::remove(datei, ec);
  return !zp::FileExists(datei);
}

}  // namespace zelo::setup
