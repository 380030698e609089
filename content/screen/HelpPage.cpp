// The manual: a short English HTML page in the medium root, opened from the help prompt.
#include "content/screen/KitFiles.h"

namespace zelo::content {

namespace {
const char* kManual = R"HTML(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Zelo manual</title>
<style>
body { background: #121419; color: #c9ced8; font-family: "DejaVu Sans", "Liberation Sans", sans-serif;
       max-width: 46em; margin: 2em auto; line-height: 1.5; padding: 0 1em; }
h1 { color: #f5a623; letter-spacing: 0.2em; } h2 { color: #e8ecf2; border-bottom: 1px solid #2b303a; }
kbd { background: #2a2f38; border: 1px solid #41475a; border-radius: 3px; padding: 0 0.3em; }
td { padding: 0.15em 0.8em 0.15em 0; vertical-align: top; }
</style>
</head>
<body>
<h1>ZELO</h1>
<p>Zelo is a loop arranger: you build songs from prepared sounds that all share one tempo,
140 beats per minute, by placing them on sixteen tracks, bar by bar.</p>

<h2>The pages</h2>
<ul>
<li><b>Arrangement</b> (the main page): the transport and the mix display at the top, the bar
ruler and sixteen tracks in the middle, the sound library at the bottom.</li>
<li><b>Sound groups</b>: the tabs LOOPS, DRUMS, BASS, LAYERS, SEQUENCES, VOICES, EFFECTS, XTRA,
SYNTH and MY SOUNDS choose which sounds the list shows. Each group has its own colour, the same
on the tracks.</li>
<li><b>Mixer</b> (MIXER): volume fader and the L and R output switches of every track, the
master volume and the recording input.</li>
<li><b>Time stretch</b> (STRETCH): changes the tempo of a sound.</li>
<li><b>Sound generator</b> (SYNTH): plays a sound from step patterns.</li>
<li><b>Effects unit</b> (EFFECTS): plays a sound through filter, echo, robot voice and distortion
from an on-screen keyboard.</li>
</ul>

<h2>Placing and playing sounds</h2>
<ol>
<li>Choose a sound group at the bottom of the screen.</li>
<li>Double-click a sound to listen to it.</li>
<li>Drag it onto a track. It snaps to whole bars; hold <kbd>Ctrl</kbd> to place it on a
sixteenth.</li>
<li>Press <kbd>Space</kbd> (or the play button) to play from the red bar in the ruler; click a
bar in the ruler to start there. Drag across the ruler to set a loop range and switch LOOP
on.</li>
<li>Click a placed sound to edit it: drag its start and end flags to cut it, drag the diamond to
change its volume. Drag it to move it, with <kbd>Alt</kbd> to copy it.</li>
<li>Remove sounds with the ERASER, or drop them on TRASH.</li>
</ol>

<h2>Keys</h2>
<table>
<tr><td><kbd>Space</kbd></td><td>play or stop</td></tr>
<tr><td><kbd>Home</kbd> / <kbd>End</kbd></td><td>to the start / to the end of the mix</td></tr>
<tr><td><kbd>Left</kbd> / <kbd>Right</kbd></td><td>scroll one bar</td></tr>
<tr><td><kbd>Page Up</kbd> / <kbd>Page Down</kbd></td><td>scroll a screen</td></tr>
<tr><td><kbd>Up</kbd> / <kbd>Down</kbd></td><td>scroll the sound list</td></tr>
<tr><td><kbd>Delete</kbd></td><td>delete the selected sounds</td></tr>
<tr><td><kbd>Ctrl</kbd>+<kbd>A</kbd> / <kbd>B</kbd></td><td>select all / nothing</td></tr>
<tr><td><kbd>Ctrl</kbd>+<kbd>X</kbd> / <kbd>C</kbd> / <kbd>V</kbd></td><td>cut / copy / paste at the red bar</td></tr>
<tr><td><kbd>Ctrl</kbd>+<kbd>Z</kbd></td><td>undo the last edit</td></tr>
<tr><td><kbd>Ctrl</kbd>+<kbd>D</kbd></td><td>eraser on or off</td></tr>
<tr><td><kbd>Ctrl</kbd>+<kbd>N</kbd> / <kbd>O</kbd> / <kbd>S</kbd></td><td>new / open / save mix</td></tr>
<tr><td><kbd>Ctrl</kbd>+<kbd>E</kbd></td><td>export the mix as WAV or MP3</td></tr>
<tr><td><kbd>Shift</kbd>+<kbd>I</kbd></td><td>import WAV or MP3 sounds</td></tr>
<tr><td><kbd>F1</kbd></td><td>help</td></tr>
<tr><td><kbd>Esc</kbd></td><td>quit</td></tr>
</table>

<h2>The sound tools</h2>
<p>Every tool stores what it makes as a new sound of your own, in the group MY SOUNDS (the
generator's sounds in SYNTH), ready to be placed on the tracks.</p>
<ul>
<li><b>Recording</b>: choose a track with its red button, switch RECORD on; Zelo records along
the playing song and places the recording on that track.</li>
<li><b>Time stretch</b>: drop a sound on STRETCH. Set the sound's tempo and the tempo you want
with the faders (or click a tempo line to type it), listen, and STORE.</li>
<li><b>Sound generator</b>: choose a sound with the arrows or from the menu, click the lights to
write notes (columns are steps, rows are pitches), choose up to four patterns to play in turn,
shape the sound with filter, echo and distortion, then STORE or RECORD.</li>
<li><b>Effects unit</b>: drop a sound on EFFECTS, switch the sections on, play it from the
keyboard (the marked key plays it unchanged), switch LOOP on to hold it, and STORE the
result.</li>
<li><b>Drum effects</b>: D-FILTER, D-ECHO and D-DIST change every drum sound of the song.</li>
</ul>

<h2>Files</h2>
<p>FILE opens the menu to open and save mixes, import WAV and MP3 sounds and export the mix as
a WAV or MP3 file. A saved mix can carry your own sounds inside it.</p>
</body>
</html>
)HTML";
}  // namespace

bool WriteHelpPage(const Layout&, const std::string& mediumRoot) {
  std::string page = kManual;
  std::string crlf;
  for (char c : page) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return WriteKitFile(mediumRoot + "garnet.html", crlf);
}

}  // namespace zelo::content
