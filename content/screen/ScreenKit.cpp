// The screen part of the content kit: texts, pages, coordinates and every picture of the five
// layouts, all made from the layout description.
#include <cstdio>
#include <future>
#include <vector>

#include "content/Kit.h"
#include "content/screen/KitFiles.h"

namespace zelo::content {

bool MakeScreenKit(const std::string& dataFolder) {
  Layout layout = ReadLayout(LayoutText());
  for (auto& line : layout.Fehler) std::fprintf(stderr, "zelo_content: layout line not understood: %s\n", line.c_str());
  if (!layout.Fehler.empty()) return false;

  bool ok = WriteTextFiles(layout, dataFolder);
  ok = WriteSharedPictures(dataFolder) && ok;
  // The layouts are independent: draw them on two threads (the build machines have two cores).
  auto scales = AllScales();
  std::vector<std::future<bool>> jobs;
  auto drawSome = [&](size_t first) {
    bool all = true;
    for (size_t i = first; i < scales.size(); i += 2) all = WritePictures(layout, scales[i], dataFolder) && all;
    return all;
  };
  jobs.push_back(std::async(std::launch::async, drawSome, size_t{0}));
  bool second = drawSome(1);
  for (auto& j : jobs) ok = j.get() && ok;
  ok = second && ok;
  // The data folder ends in "zelo/zelo/"; the manual lives in the medium root above it.
  std::string root = dataFolder.size() >= 10 ? dataFolder.substr(0, dataFolder.size() - 10) : dataFolder;
  ok = WriteHelpPage(layout, root) && ok;
  return ok;
}

}  // namespace zelo::content
