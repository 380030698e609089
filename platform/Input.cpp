#include "platform/Input.h"

namespace zelo::platform {

int VbKeyCode(const SDL_Keysym& key) {
  SDL_Keycode k = key.sym;
  if (k >= SDLK_a && k <= SDLK_z) return vbKeyA + (k - SDLK_a);
  if (k >= SDLK_0 && k <= SDLK_9) return vbKey0 + (k - SDLK_0);
  if (k >= SDLK_F1 && k <= SDLK_F12) return vbKeyF1 + (k - SDLK_F1);
  if (k >= SDLK_KP_1 && k <= SDLK_KP_9) {
    // The keypad 5 without Num Lock is the Clear key.
    if (k == SDLK_KP_5 && !(key.mod & KMOD_NUM)) return vbKeyClear;
    return vbKeyNumpad0 + 1 + (k - SDLK_KP_1);
  }
  switch (k) {
    case SDLK_KP_0: return vbKeyNumpad0;
    case SDLK_CLEAR: return vbKeyClear;
    case SDLK_BACKSPACE: return vbKeyBack;
    case SDLK_TAB: return vbKeyTab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return vbKeyReturn;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return vbKeyShift;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return vbKeyControl;
    case SDLK_LALT:
    case SDLK_RALT: return vbKeyMenu;
    case SDLK_ESCAPE: return vbKeyEscape;
    case SDLK_SPACE: return vbKeySpace;
    case SDLK_PAGEUP: return vbKeyPageUp;
    case SDLK_PAGEDOWN: return vbKeyPageDown;
    case SDLK_END: return vbKeyEnd;
    case SDLK_HOME: return vbKeyHome;
    case SDLK_LEFT: return vbKeyLeft;
    case SDLK_UP: return vbKeyUp;
    case SDLK_RIGHT: return vbKeyRight;
    case SDLK_DOWN: return vbKeyDown;
    case SDLK_INSERT: return vbKeyInsert;
    case SDLK_DELETE: return vbKeyDelete;
    case SDLK_KP_MULTIPLY: return vbKeyMultiply;
    case SDLK_KP_PLUS: return vbKeyAdd;
    case SDLK_KP_MINUS: return vbKeySubtract;
    case SDLK_KP_PERIOD: return vbKeyDecimal;
    case SDLK_KP_DIVIDE: return vbKeyDivide;
    case SDLK_PLUS: return 187;
    case SDLK_MINUS: return 189;
    default: return 0;
  }
}

int ShiftState(Uint16 mod) {
  int s = 0;
  if (mod & KMOD_SHIFT) s |= kShift;
  if (mod & KMOD_CTRL) s |= kCtrl;
  if (mod & KMOD_ALT) s |= kAlt;
  return s;
}

int ButtonValue(Uint8 sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: return kLinks;
    case SDL_BUTTON_RIGHT: return kRechts;
    case SDL_BUTTON_MIDDLE: return kMitte;
    default: return 0;
  }
}

int KeyPressChar(const SDL_KeyboardEvent& key) {
  SDL_Keycode k = key.keysym.sym;
  if ((key.keysym.mod & KMOD_CTRL) && k >= SDLK_a && k <= SDLK_z) return 1 + (k - SDLK_a);
  switch (k) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return 13;
    case SDLK_ESCAPE: return 27;
    case SDLK_BACKSPACE: return 8;
    case SDLK_TAB: return 9;
    default: return 0;
  }
}

bool KeyHeld(int vbKey) {
  if (vbKey == vbKeyLButton) return (SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK) != 0;
  int n = 0;
  const Uint8* state = SDL_GetKeyboardState(&n);
  auto held = [&](SDL_Scancode sc) { return sc < n && state[sc]; };
  switch (vbKey) {
    case vbKeyShift: return held(SDL_SCANCODE_LSHIFT) || held(SDL_SCANCODE_RSHIFT);
    case vbKeyControl: return held(SDL_SCANCODE_LCTRL) || held(SDL_SCANCODE_RCTRL);
    case vbKeyMenu: return held(SDL_SCANCODE_LALT) || held(SDL_SCANCODE_RALT);
    case vbKeyReturn: return held(SDL_SCANCODE_RETURN) || held(SDL_SCANCODE_KP_ENTER);
    case vbKeySpace: return held(SDL_SCANCODE_SPACE);
    case vbKeyEscape: return held(SDL_SCANCODE_ESCAPE);
    default: break;
  }
  for (int sc = 0; sc < n; ++sc) {
    if (!state[sc]) continue;
    SDL_Keysym sym{};
    sym.scancode = static_cast<SDL_Scancode>(sc);
    sym.sym = SDL_GetKeyFromScancode(sym.scancode);
    sym.mod = static_cast<Uint16>(SDL_GetModState());
    if (VbKeyCode(sym) == vbKey) return true;
  }
  return false;
}

}  // namespace zelo::platform
