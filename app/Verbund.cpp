#include "app/Verbund.h"

#include "app/Anwendung.h"

namespace zelo::app {

void Verbund::Verbinden(Anwendung& anwendung) { app_ = &anwendung; }

}  // namespace zelo::app
