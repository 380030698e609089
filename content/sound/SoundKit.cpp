#include "content/Kit.h"

namespace zelo::content {
bool MakeSoundKit(const std::string&) { return true; }
}  // namespace zelo::content
