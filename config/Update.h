#pragma once
// The update relaunch: an update is a set of files in the working folder's "G_UPDATE/". When
// that folder exists the program completes it with its own current files and runs the copy
// there, handing it this instance's program folder and command line. UI thread, at start.

#include <functional>
#include <string>

#include "config/Ordner.h"

namespace zelo::config {

/// The program to start in place of this one.
struct UpdateAufruf {
  std::string Programm;      ///< update folder + "f_update"
  std::string Kommandozeile; ///< program folder + " " + this instance's command line
  std::string Arbeitsordner; ///< the update folder without its trailing "/"
};

/// Replaces the running program by the update (ErsetzeProzess in the program; a recorder in tests).
using Neustart = std::function<void(const UpdateAufruf&)>;

/// Copies one file from the program folder into the update folder unless the copy there is
/// already as new; true when the update folder then holds it (or the source does not exist).
bool UpdateKopie(const std::string& programmordner, const std::string& updateordner, const std::string& quelle,
                 const std::string& ziel);

/// Runs the update in the update folder when there is one: needs the system folder
/// (WindowsPfad) and the folders from StartOrdner. Reads the regional tags. False when no
/// relaunch happened; after `neustart` returns (it does not in the program) it is true.
bool UpdateStart(Ordner& o, const Neustart& neustart);

/// Execs the update program with its command line as one argument, in its working folder.
/// Returns only when the exec failed.
void ErsetzeProzess(const UpdateAufruf& aufruf);

}  // namespace zelo::config
