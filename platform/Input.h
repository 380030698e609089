#pragma once
// Mouse and key events as the program's handlers expect them: buttons 1 left, 2 right,
// 4 middle; shift bits 1 Shift, 2 Ctrl, 4 Alt; key codes of the virtual-key table
// (27 Escape, 32 Space, 112 F1 ...); key presses as characters, Ctrl with a letter giving 1 to 26.

#include <SDL.h>

namespace zelo::platform {

inline constexpr int kShift = 1, kCtrl = 2, kAlt = 4;
inline constexpr int kLinks = 1, kRechts = 2, kMitte = 4;

/// Virtual-key codes the program compares against.
enum Taste : int {
  vbKeyLButton = 1, vbKeyBack = 8, vbKeyTab = 9, vbKeyClear = 12, vbKeyReturn = 13, vbKeyShift = 16,
  vbKeyControl = 17, vbKeyMenu = 18, vbKeyEscape = 27, vbKeySpace = 32, vbKeyPageUp = 33, vbKeyPageDown = 34,
  vbKeyEnd = 35, vbKeyHome = 36, vbKeyLeft = 37, vbKeyUp = 38, vbKeyRight = 39, vbKeyDown = 40,
  vbKeyInsert = 45, vbKeyDelete = 46, vbKey0 = 48, vbKeyA = 65, vbKeyNumpad0 = 96, vbKeyMultiply = 106,
  vbKeyAdd = 107, vbKeySubtract = 109, vbKeyDecimal = 110, vbKeyDivide = 111, vbKeyF1 = 112, vbKeyF4 = 115,
  vbKeyF12 = 123,
};

/// The virtual-key code of an SDL key (0 when the program has none for it).
int VbKeyCode(const SDL_Keysym& key);
int ShiftState(Uint16 mod);
int ButtonValue(Uint8 sdlButton);
/// The character of a key press for a key-down event: control characters for Ctrl+letter,
/// Return 13, Escape 27, Backspace 8; 0 when the key gives no character by itself (text
/// arrives as SDL_TEXTINPUT then).
int KeyPressChar(const SDL_KeyboardEvent& key);

/// The asynchronous key state after pumping events: true while the key (virtual-key code,
/// 1 for the left mouse button) is held.
bool KeyHeld(int vbKey);

}  // namespace zelo::platform
