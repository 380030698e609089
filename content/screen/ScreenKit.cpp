#include "content/Kit.h"

namespace zelo::content {
bool MakeScreenKit(const std::string&) { return true; }
}  // namespace zelo::content
