#include "tests/support/TestEnv.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace zelo::test {
namespace {
std::string g_home;
std::string WithSlash(std::string s) {
  if (!s.empty() && s.back() != '/') s += '/';
  return s;
}
}  // namespace

std::string MakeFreshHome() {
  // The base is taken once, before the first test moves TMPDIR into its own folder.
  static const std::string base = (fs::temp_directory_path() / "zelo-tests").string();
  fs::create_directories(base);
  std::string pattern = base + "/home-XXXXXX";
  char* made = mkdtemp(pattern.data());
  g_home = WithSlash(made ? std::string(made) : base);
  fs::create_directories(g_home + ".config");
  fs::create_directories(g_home + "tmp");
  setenv("HOME", g_home.c_str(), 1);
  setenv("XDG_CONFIG_HOME", (g_home + ".config").c_str(), 1);
  setenv("TMPDIR", (g_home + "tmp").c_str(), 1);
  return g_home;
}

void RemoveFreshHome() {
  if (g_home.empty()) return;
  std::error_code ec;
  fs::remove_all(g_home, ec);
  g_home.clear();
}

std::string FreshHome() { return g_home; }

std::string MediumDataFolder() {
  const char* m = std::getenv("ZELO_MEDIUM");
  if (!m || !*m) m = ZELO_TEST_MEDIUM;
  // A build without the content kit still has the folder (it holds the program file).
  if (!fs::exists(fs::path(m) / "seiten")) return {};
  return WithSlash(m);
}

std::string SourceFolder() {
  const char* s = std::getenv("ZELO_SOURCE_DIR");
  return WithSlash(s && *s ? s : ZELO_TEST_SOURCE);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  fs::path p(path);
  if (p.has_parent_path()) fs::create_directories(p.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace zelo::test
