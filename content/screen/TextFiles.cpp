// The text files of the screen kit: element names, pages, coordinates, fonts and texts.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <algorithm>
#include <set>
#include <sstream>

#include "content/screen/KitFiles.h"
#include "content/screen/TextTable.h"

namespace zelo::content {

namespace {

/// Text files of the medium use CR LF line ends.
class Lines {
 public:
  void Add(const std::string& line) { out_ += line + "\r\n"; }
  void Add(int v) { Add(std::to_string(v)); }
  const std::string& Text() const { return out_; }

 private:
  std::string out_;
};

const char* kKindWords[] = {"Platzhalter", "Special", "Regler", "Help", "RollOverButton", "OnOffRollOverButton",
                            "OnOffButton", "RadioButton", "Animation", "Button", "QRegler"};

bool KnownKind(const std::string& kind) {
  for (auto* k : kKindWords)
    if (kind == k) return true;
  return false;
}

std::string Pkonst(const Layout& l) {
  Lines f;
  for (auto& e : l.Elemente) {
    f.Add(e.Name);
    f.Add(e.Nummer);
  }
  return f.Text();
}

std::string Seiten(const Layout& l) {
  Lines f;
  f.Add("(Zelo's pages: each page label is followed by its background and element picture stems,");
  f.Add("( then by its elements: name, kind and the extra lines of the kind)");
  for (auto& p : l.Seiten) {
    f.Add(":" + p.Label);
    f.Add(p.Hintergrund + "   (background picture)");
    f.Add(p.Elemente + "   (element picture)");
    for (auto& e : l.Elemente) {
      if (!e.On(p.Kurz)) continue;
      f.Add(e.Name + "   ( [" + std::to_string(e.Nummer) + "] )");
      f.Add(e.Typ);
      if (e.Typ == "Regler" || e.Typ == "QRegler") {
        f.Add(e.GetInt("start", 0));
        f.Add(e.Get("knob"));
      } else if (e.Typ == "RadioButton") {
        std::string group = e.Get("radio", "Aufnahmegruppe");
        f.Add(group);
        if (group != "Aufnahmegruppe") f.Add(e.Get("groupname"));
      }
    }
  }
  return f.Text();
}

std::string Koordinaten(const Layout& l, const LayoutScale& s) {
  Lines f;
  for (auto& e : l.Elemente) {
    f.Add(e.Name + "   (" + std::to_string(e.Nummer) + ")");
    for (int v : ElementValues(l, e, s)) f.Add(EncodeCoordinate(v, s));
  }
  return f.Text();
}

struct FontRole {
  const char* Name;
  bool Fett;
  int Punkte1280;  ///< size at the 1280 layout; smaller layouts scale it down
  int Mindestens;
  const char* Zweck;
};

// Points count as pixels at 96 dots per inch in the running program.
const FontRole kFontRoles[13] = {
    {"DejaVu Sans Mono", true, 12, 7, "mix name and position"},
    {"Liberation Sans", true, 8, 5, "bar numbers of the ruler"},
    {"Liberation Sans", false, 10, 7, "help tips"},
    {"Liberation Sans", true, 9, 6, "sample blocks"},
    {"Liberation Sans", true, 11, 7, "effect and generator sound names"},
    {"Liberation Sans", false, 9, 6, "spare"},
    {"Liberation Sans", true, 8, 6, "drum pad names"},
    {"Liberation Sans", false, 9, 6, "spare"},
    {"Liberation Sans", false, 9, 6, "spare"},
    {"Liberation Sans", true, 10, 6, "time-stretch tempo lines"},
    {"Liberation Sans", false, 11, 7, "info picture text"},
    {"Liberation Sans", false, 9, 6, "spare"},
    {"Liberation Sans", false, 9, 6, "spare"},
};

std::string Fonts() {
  Lines f;
  auto scales = AllScales();
  for (int role = 0; role < 13; ++role) {
    const FontRole& r = kFontRoles[role];
    for (int column = 0; column < 10; ++column) {
      const LayoutScale& s = scales[static_cast<size_t>(column / 2)];
      int size = std::max(r.Mindestens, static_cast<int>(std::lround(r.Punkte1280 * s.Skalierung / 40.0)));
      f.Add(std::string(r.Name) + "   (role " + std::to_string(role) + ", " + r.Zweck + ", " +
            std::to_string(s.Breite) + (column % 2 ? " large fonts" : "") + ")");
      f.Add(r.Fett ? "bold" : "normal");
      f.Add(size);
      f.Add(0);
      f.Add(0);
      f.Add(0);
    }
  }
  return f.Text();
}

std::string E2inf() {
  Lines f;
  for (auto& t : TextTable()) {
    f.Add(t.Key);
    f.Add(t.Index);
  }
  f.Add("M_SETUPFREE");
  f.Add(kGeteilterText);
  return f.Text();
}

void AddBlock(Lines& f, const std::string& key, const std::string& text) {
  f.Add(key);
  std::stringstream in(text);
  std::string line;
  while (std::getline(in, line)) f.Add(line);
}

std::string Sprachdatei(const Layout& l) {
  Lines f;
  for (auto& t : TextTable()) AddBlock(f, t.Key, t.Text);
  // Text 74 carries its two neighbours: the reader stores the part after the second marker at
  // 100 and the part after the fourth (without its first character) at 75.
  AddBlock(f, "M_SETUPFREE", std::string(kText74) + "##1##" + kText100 + "##2## " + kText75);
  for (auto& d : DiskTexts()) AddBlock(f, d.Key, d.Text);
  for (auto& d : DialogTexts()) AddBlock(f, d.Key, d.Text);
  for (auto& e : l.Elemente)
    if (e.Has("help")) AddBlock(f, e.Name, e.Get("help"));
  return f.Text();
}

}  // namespace

bool WriteKitFile(const std::string& path, const std::string& bytes) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::create_directories(fs::path(path).parent_path(), ec);
  std::string temp = path + ".part";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      std::fprintf(stderr, "zelo_content: cannot write %s\n", temp.c_str());
      fs::remove(temp, ec);
      return false;
    }
  }
  fs::rename(temp, path, ec);
  if (ec) {
    std::fprintf(stderr, "zelo_content: cannot rename %s: %s\n", temp.c_str(), ec.message().c_str());
    fs::remove(temp, ec);
    return false;
  }
  return true;
}

bool WriteTextFiles(const Layout& l, const std::string& dataFolder) {
  bool ok = true;
  // The sample editor's volume fader takes knob picture 4, the fifth stem the page file loads.
  std::vector<std::string> knobs;
  for (auto& p : l.Seiten)
    for (auto& e : l.Elemente)
      if (e.On(p.Kurz) && e.Has("knob") && std::find(knobs.begin(), knobs.end(), e.Get("knob")) == knobs.end())
        knobs.push_back(e.Get("knob"));
  if (knobs.size() < 5 || knobs[4] != "zelo64") {
    std::fprintf(stderr, "zelo_content: the fifth knob picture of the page file must be the quick knob zelo64\n");
    ok = false;
  }
  for (auto& e : l.Elemente) {
    if (!KnownKind(e.Typ)) {
      std::fprintf(stderr, "zelo_content: element %d has the unknown kind %s\n", e.Nummer, e.Typ.c_str());
      ok = false;
    }
  }
  ok = WriteKitFile(dataFolder + "pkonst", Pkonst(l)) && ok;
  ok = WriteKitFile(dataFolder + "seiten", Seiten(l)) && ok;
  for (auto& s : AllScales()) ok = WriteKitFile(dataFolder + s.Koordinatendatei, Koordinaten(l, s)) && ok;
  ok = WriteKitFile(dataFolder + "fonts", Fonts()) && ok;
  ok = WriteKitFile(dataFolder + "e2inf", E2inf()) && ok;
  ok = WriteKitFile(dataFolder + "f_zelo2", Sprachdatei(l)) && ok;
  return ok;
}

}  // namespace zelo::content
