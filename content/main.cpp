// zelo_content <medium root> [screen|sound]: writes the content kit into a medium tree.
#include <cstdio>
#include <string>

#include "content/Kit.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: zelo_content <medium root> [screen|sound]\n");
    return 2;
  }
  std::string root = argv[1];
  if (!root.empty() && root.back() != '/') root += '/';
  std::string only = argc > 2 ? argv[2] : "";
  bool ok = true;
  if (only.empty() || only == "screen") ok = zelo::content::MakeScreenKit(root + "zelo/zelo/") && ok;
  if (only.empty() || only == "sound") ok = zelo::content::MakeSoundKit(root) && ok;
  return ok ? 0 : 1;
}
