#pragma once
// The subsystems of the running program, joined to the application: each routine of
// Subsysteme that a subsystem serves is forwarded to it here.

#include "app/Subsysteme.h"

namespace zelo::app {

class Anwendung;

class Verbund final : public Subsysteme {
 public:
  Verbund() = default;
  /// Joins the subsystems to the application once it exists (it owns the shared stores).
  void Verbinden(Anwendung& anwendung);

 private:
  Anwendung* app_ = nullptr;
};

}  // namespace zelo::app
