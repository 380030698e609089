#pragma once
// Every text index the program uses, with its English wording and the key of its block in the
// language file. Header-only: the generator writes "e2inf" and "f_zelo2" from it and the content
// tests check that the shipped files give each index its text.

#include <string>
#include <vector>

namespace zelo::content {

struct TextEntry {
  int Index;
  const char* Key;   ///< block key in "f_zelo2" and name in "e2inf"
  const char* Text;  ///< the wording; "\n" separates lines of the block
};

/// Text 74 carries three parts: 74 itself, then (after the markers) 100 and 75.
inline constexpr int kGeteilterText = 74;

inline const std::vector<TextEntry>& TextTable() {
  static const std::vector<TextEntry> table = {
      {1, "M_MIXCHANGED", "The mix has changed since it was last saved. Continue anyway and lose the changes?"},
      {2, "M_TITLE", "Zelo"},
      {5, "M_IMPORTSHORT1", "The sound file"},
      {6, "M_IMPORTSHORT2", "is too short or holds no sound, so it cannot be added to the library."},
      {7, "M_FILEUNREADABLE", "The file could not be read completely. It may be damaged or not be a Zelo file."},
      {10, "M_EXPORTDONE", "The mix has been exported."},
      {11, "M_EXPORTDONETITLE", "Export finished"},
      {12, "M_ACTIONFAILED", "Recording is not possible: no sound input could be opened. Check that a microphone or line input is connected and switched on."},
      {13, "M_ACTIONFAILEDTITLE", "Recording not possible"},
      {14, "M_RECORDINGOVER", "The recording stopped because the input ran out or could not keep up. What was recorded so far has been kept."},
      {15, "M_RECORDINGOVERTITLE", "Recording stopped"},
      {16, "M_SETUPFULLDONE", "Zelo is installed. All sounds of the library were copied to your hard disk, so Zelo starts and plays faster from now on."},
      {17, "M_SETUPTITLE", "Zelo setup"},
      {18, "M_SETUPFULLSHORT", "Zelo is installed, but there was not enough free space to copy the whole sound library. Missing sounds are read from the medium when they are used."},
      {19, "M_SETUPFULLSHORTTITLE", "Zelo setup: disk nearly full"},
      {20, "M_SETUPMINIDONE", "Zelo is installed with the most used sounds copied to your hard disk. The others are read from the medium when they are used."},
      {21, "M_SETUPMINITITLE", "Zelo setup"},
      {22, "M_SETUPMINISHORT", "Zelo is installed, but there was not enough free space for the most used sounds. Sounds are read from the medium when they are used."},
      {23, "M_SETUPMINISHORTTITLE", "Zelo setup: disk nearly full"},
      {24, "M_ENGINESTART", "The sound output could not be started properly. Zelo may play no sound. Start Zelo anyway?"},
      {25, "M_ENGINESTARTTITLE", "Sound output"},
      {26, "M_PRECACHEFULL", "Copying the sound library:"},
      {27, "M_PRECACHEFULL2", "done"},
      {30, "M_PRECACHEMINI", "Copying the most used sounds:"},
      {31, "M_PRECACHEMINI2", "done"},
      {35, "M_EXPORTSTOPTITLE", "Export stopped"},
      {36, "M_SOUNDDROPPED", "The sound output could not keep up and some sounds were left out. Close other programs that use the sound card and try again."},
      {37, "M_EXPORTSTOPPED", "The export was stopped before the end of the mix. The file was not completed."},
      {38, "M_EXPORTSTOPPEDTITLE", "Export stopped"},
      {48, "M_EXPORTSPACE1", "Exporting this mix needs about "},
      {49, "M_EXPORTSPACE2", " MB of free disk space, but only "},
      {50, "M_EXPORTSPACE3", " MB are free. Free some space or choose another drive."},
      {51, "M_EXPORTSPACETITLE", "Not enough disk space"},
      {54, "M_SAVEFAILED1", "The mix could not be saved as"},
      {55, "M_SAVEFAILED2", ". Check that the folder exists and that you may write to it."},
      {56, "M_SAVEFAILEDTITLE", "Saving failed"},
      {61, "M_QUIT", "Do you want to quit Zelo?"},
      {63, "M_UNINSTALLBUTTON", "Uninstall"},
      {64, "M_UNINSTALLCANCEL", "Cancel"},
      {65, "M_UNINSTALLINFO", "Uninstalling removes the sound cache, the empty folders of Zelo's working folder and the menu entry. Your own sounds and mixes stay where they are."},
      {66, "M_DELETEASK", "Delete the selected sounds?"},
      {67, "M_DELETETITLE", "Delete"},
      {70, "M_BAR", "Bar "},
      {71, "M_SETUPINFO1", "Choose the folder where Zelo keeps its sound cache, your recordings, your own sounds and your exports."},
      {72, "M_SETUPINFO2", "A full installation copies the whole sound library (about 410 MB);"},
      {73, "M_SETUPINFO3", "a minimal installation copies the most used sounds (about 60 MB)."},
      {76, "M_FOLDERFAILED", "This folder could not be created:"},
      {77, "M_FOLDERFAILEDTITLE", "Zelo setup"},
      {78, "M_STARTMIX", "zelo/demo/demo.zub"},
      {79, "M_UNINSTALLDONE", "Zelo has been uninstalled. Files you made yourself were kept."},
      {80, "M_UNINSTALLDONETITLE", "Zelo uninstalled"},
      {81, "M_SETUPQUIT", "Quit"},
      {84, "M_SETUPMINI", "Minimal installation"},
      {85, "M_SETUPSTART", "Start now"},
      {86, "M_SETUPFULL", "Full installation"},
      {87, "M_SETUPFOLDER", "Working folder:"},
      {88, "M_GROUPNAME", "Zelo"},
      {89, "M_ITEMSETUP", "Zelo Setup"},
      {91, "M_ITEMHELP", "Zelo Manual"},
      {92, "M_ITEMUNINSTALL", "Uninstall Zelo"},
      {106, "M_SORTIMPORT", "Sort by import order"},
      {107, "M_SORTALPHA", "Sort by name"},
      {108, "M_SORTHARMONY", "Sort by harmony"},
      {109, "M_SAMPLENAME", "Rename..."},
      {110, "M_SAMPLEDELETE", "Delete"},
      {111, "M_INPUTHEADING", "Name of the sound"},
      {112, "M_INPUTLINE1", "First line:"},
      {113, "M_INPUTLINE2", "Second line:"},
      {114, "M_INPUTCANCEL", "Cancel"},
      {115, "M_INPUTOK", "OK"},
      {117, "M_UNINSTALLENTRY", "Remove Zelo from this computer"},
      {118, "M_UNINSTALLQUESTION", "Choose Uninstall to continue or Cancel to keep Zelo."},
      {121, "M_SORTLENGTH", "Sort by length"},
      {122, "M_NOCONTENT", "Zelo's sounds and pictures could not be found. Insert or mount the Zelo medium (or set ZELO_MEDIA to the folder that holds it) and choose Retry."},
      {123, "M_NOCONTENTTITLE", "Zelo content not found"},
      {128, "M_MIXCAPTION", "Zelo mix"},
      {140, "M_IMPORTMISSING1", "The sound file"},
      {141, "M_IMPORTMISSING2", "cannot be found. Do you want to look for it yourself?"},
      {142, "M_IMPORTMISSINGTITLE", "Sound file missing"},
      {149, "M_SAMPLESYNTH", "Use in the sound generator"},
      {150, "M_ENGINEWARNING", "The sound output works with limits on this computer. Playback may stutter when many sounds play at once."},
      {151, "M_ENGINEWARNINGTITLE", "Sound output"},
      {153, "M_MIXSOUNDTITLE", "Sound of the mix"},
      {159, "M_ITEMDEMO1", "Zelo Demo: Ember"},
      {160, "M_DELETEOWN1", "Remove this sound from the library? "},
      {161, "M_DELETEOWN2", " The sound file itself is kept."},
      {162, "M_DELETEOWNTITLE", "Remove sound"},
      {163, "M_SAMPLEREMOVE", "Remove"},
      {168, "M_SETUPINFO4", "Zelo reads its pictures and sounds from the medium;"},
      {169, "M_SETUPINFO5", "the working folder holds what Zelo writes."},
      {170, "M_MIXSOUNDMISSING1", "The sound"},
      {171, "M_MIXSOUNDMISSING2", "used in this mix was not found. Its places in the mix were left empty."},
      {172, "M_LOWMEMORY", "This computer has little memory. Zelo may play fewer sounds at once."},
      {173, "M_LOWMEMORYTITLE", "Memory"},
      {177, "M_TEMPO", "Tempo (BPM): "},
      {179, "M_ITEMDEMO2", "Zelo Demo: Iris"},
      {180, "M_ITEMDEMO3", "Zelo Demo: Flint"},
      {181, "M_NODIRECTX", "The fast sound output is not available. Zelo uses its simple sound output instead."},
      {182, "M_NODIRECTXTITLE", "Sound output"},
      {185, "M_HELPOK", "OK"},
      {186, "M_HELPOPEN", "Open the manual"},
      {187, "M_HELPMORE", "More"},
      {188, "M_HELPTIPS", "Show tips when the pointer rests on a control"},
      {189, "M_HELPQUESTION", "Zelo arranges loops: pick a sound group below, drag sounds onto the tracks and press Space to play. Open the manual for the pages, the keys and the sound tools."},
      {190, "M_HELPCAPTION", "Zelo help"},
      {191, "M_STRETCHSOURCE", "Sound tempo: 140 BPM"},
      {192, "M_STRETCHTARGET", "Target tempo: 140 BPM"},
      {193, "M_INFOTEXT", "Zelo 0.1, a loop arranger for Linux. Pictures, texts and sounds were made by the Zelo project."},
      {194, "M_TEMPODIALOG", "Tempo"},
      {195, "M_TEMPOSOURCE", "Tempo of the sound (BPM):"},
      {196, "M_TEMPOTARGET", "Target tempo (BPM):"},
      {197, "M_TEMPOOK", "OK"},
      {198, "M_TEMPOCANCEL", "Cancel"},
      {199, "M_NOEFFECTSAMPLE", "Drop a sound from the list on the EFFECTS button"},
      {212, "M_NOTALLOWED", "This sound can only be used on the special last track, not in the sound tools."},
      {213, "M_NOTALLOWEDTITLE", "Sound tools"},
      {217, "M_UNPACKSPACE", "There is not enough free disk space to unpack the sounds of this mix. Free some space and load the mix again."},
      {218, "M_UNPACKSPACETITLE", "Not enough disk space"},
      {219, "M_SOUNDSTART", "The sound output could not be started. Zelo runs without sound."},
      {220, "M_SOUNDSTARTTITLE", "Sound output"},
      {221, "M_CATALOGUE", "Many sounds of the library are missing from this computer. Install Zelo again to restore them."},
      {222, "M_CATALOGUETITLE", "Sound library"},
      {223, "M_RANGEDRUMS", "Drum machine sounds"},
      {224, "M_RANGEKIT1", "Drum kit 1"},
      {225, "M_RANGEKIT2", "Drum kit 2"},
      {226, "M_RANGEKIT3", "Drum kit 3"},
      {227, "M_RANGEA", "Sound collection A"},
      {228, "M_RANGEB", "Sound collection B"},
      {229, "M_RANGEC", "Sound collection C"},
      {246, "M_RANGESMISSING1", "This mix uses sounds of these collections, which are not installed:"},
      {247, "M_RANGESMISSING2", "Their places in the mix were left empty."},
      {248, "M_RANGESMISSINGTITLE", "Sounds missing"},
      {249, "M_DELETETRACK1", "Remove this sound of the special last track from the library?"},
      {250, "M_DELETETRACK2", "The sound file itself is kept."},
      {251, "M_DELETETRACKTITLE", "Remove sound"},
      {252, "M_DELETEMADE1", "Delete this sound you made? "},
      {253, "M_DELETEMADE2", " Its sound file is deleted as well."},
      {254, "M_DELETEMADETITLE", "Delete sound"},
      {255, "M_DUPLEX", "This sound card cannot play and record with full quality at the same time. The recording may sound worse than usual."},
      {256, "M_DUPLEXTITLE", "Recording"},
      {257, "M_PRELISTENMISSING1", "The sound file of"},
      {258, "M_PRELISTENMISSING2", "cannot be found, so it cannot be played."},
      {259, "M_PRELISTENMISSINGTITLE", "Sound file missing"},
      {260, "M_CONVERTTITLE", "Tempo conversion"},
      {261, "M_CONVERTSTOP", "Stop converting the selected sounds?"},
      {262, "M_CONVERTDONE", "All selected sounds have been converted. The new sounds are in the group MY SOUNDS."},
      {263, "M_CONVERTASK1", "The imported sound seems to have a tempo of "},
      {264, "M_CONVERTASK2", " BPM. Zelo's sounds play at 140 BPM. Convert it (and the other sounds of this import) from "},
      {265, "M_CONVERTASK3", " BPM to 140 BPM?"},
      {266, "M_CONVERTING", "Converting the tempo..."},
      {267, "M_CONVERTABORT", "Stop the tempo conversion of the imported sounds?"},
  };
  return table;
}

/// The three parts of text 74 (stored at 74, 100 and 75 by the reader's part splitting).
inline const char* kText74 = "Free space on the drive:";
inline const char* kText100 = " MB on drive ";
inline const char* kText75 = "Setting up Zelo...";

/// Keys of the disk menu.
struct KeyText {
  const char* Key;
  const char* Text;
};
inline const std::vector<KeyText>& DiskTexts() {
  static const std::vector<KeyText> t = {
      {"DISK_LOAD", "Open mix...    Ctrl+O"},
      {"DISK_SAVE", "Save mix...    Ctrl+S"},
      {"DISK_IMPORT", "Import sound (WAV, MP3)...    Shift+I"},
      {"DISK_EXPORT", "Export mix (WAV, MP3)...    Ctrl+E"},
  };
  return t;
}

/// Keys of the file dialogs. The two file filters are in exactly the forms that the MP3
/// widening rewrites.
inline const std::vector<KeyText>& DialogTexts() {
  static const std::vector<KeyText> t = {
      {"DLG_LI_FILEFILTER", "Sounds (*.zub, *.wav)|*.zub;*.wav"},
      {"DLG_SE_FILEFILTER", "Wave file (*.wav)|*.wav"},
      {"DLG_MIX_FILEFILTER", "Zelo mix (*.zub)|*.zub"},
      {"DLG_LOAD_TITLE", "Open mix"},
      {"DLG_SAVE_TITLE", "Save mix"},
      {"DLG_IMPORT_TITLE", "Import sounds"},
      {"DLG_EXPORT_TITLE", "Export mix"},
      {"DLG_FOLDER", "Folder"},
      {"DLG_FILENAME", "File name"},
      {"DLG_FILETYPE", "File type"},
      {"DLG_SONGNAME", "Song name"},
      {"DLG_COMPOSER", "Composer"},
      {"DLG_EMBED", "Save my own sounds inside the mix"},
      {"DLG_PRELISTEN", "Listen"},
      {"DLG_STOP", "Stop"},
      {"DLG_OK", "OK"},
      {"DLG_CANCEL", "Cancel"},
      {"DLG_UP", "Up"},
      {"DLG_NEWFOLDER", "New folder"},
      {"DLG_OVERWRITE", "This file already exists. Replace it?"},
      {"DLG_NOFILES", "No matching files in this folder."},
  };
  return t;
}

}  // namespace zelo::content
