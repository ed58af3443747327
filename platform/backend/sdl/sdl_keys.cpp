#include "platform/backend/sdl/sdl_keys.h"

#include "platform/backend/backend.h"

namespace backend::sdl {

namespace {

enum VirtualKey : int {
    vkBack = 8, vkTab = 9, vkReturn = 13, vkShift = 16, vkControl = 17, vkMenu = 18, vkPause = 19,
    vkCapital = 20, vkEscape = 27, vkSpace = 32, vkPrior = 33, vkNext = 34, vkEnd = 35, vkHome = 36,
    vkLeft = 37, vkUp = 38, vkRight = 39, vkDown = 40, vkInsert = 45, vkDelete = 46,
    vkNumpad0 = 96, vkMultiply = 106, vkAdd = 107, vkSubtract = 109, vkDecimal = 110, vkDivide = 111,
    vkF1 = 112,
};

struct NamedKey {
    SDL_Keycode sym;
    int vk;
};

constexpr NamedKey kNamedKeys[] = {
    {SDLK_BACKSPACE, vkBack},     {SDLK_TAB, vkTab},           {SDLK_RETURN, vkReturn},
    {SDLK_KP_ENTER, vkReturn},    {SDLK_LSHIFT, vkShift},      {SDLK_RSHIFT, vkShift},
    {SDLK_LCTRL, vkControl},      {SDLK_RCTRL, vkControl},     {SDLK_LALT, vkMenu},
    {SDLK_RALT, vkMenu},          {SDLK_PAUSE, vkPause},       {SDLK_CAPSLOCK, vkCapital},
    {SDLK_ESCAPE, vkEscape},      {SDLK_SPACE, vkSpace},       {SDLK_PAGEUP, vkPrior},
    {SDLK_PAGEDOWN, vkNext},      {SDLK_END, vkEnd},           {SDLK_HOME, vkHome},
    {SDLK_LEFT, vkLeft},          {SDLK_UP, vkUp},             {SDLK_RIGHT, vkRight},
    {SDLK_DOWN, vkDown},          {SDLK_INSERT, vkInsert},     {SDLK_DELETE, vkDelete},
    {SDLK_KP_0, vkNumpad0},       {SDLK_KP_MULTIPLY, vkMultiply}, {SDLK_KP_PLUS, vkAdd},
    {SDLK_KP_MINUS, vkSubtract},  {SDLK_KP_PERIOD, vkDecimal}, {SDLK_KP_DIVIDE, vkDivide},
};

int FromSym(SDL_Keycode sym) {
    if (sym >= SDLK_a && sym <= SDLK_z) return 'A' + (sym - SDLK_a);
    if (sym >= SDLK_0 && sym <= SDLK_9) return '0' + (sym - SDLK_0);
    if (sym >= SDLK_F1 && sym <= SDLK_F12) return vkF1 + (sym - SDLK_F1);
    if (sym >= SDLK_KP_1 && sym <= SDLK_KP_9) return vkNumpad0 + 1 + (sym - SDLK_KP_1);
    for (const NamedKey& k : kNamedKeys) {
        if (k.sym == sym) return k.vk;
    }
    return 0;
}

int DigitRowKey(SDL_Scancode code) {
    if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9) return '1' + (code - SDL_SCANCODE_1);
    if (code == SDL_SCANCODE_0) return '0';
    return 0;
}

int LetterKeyAt(SDL_Scancode code) {
    if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z) return 'A' + (code - SDL_SCANCODE_A);
    return 0;
}

}  // namespace

int VirtualKeyFromSdl(const SDL_Keysym& key) {
    // The digit row gives its digits whatever the layout types there (the
    // Czech layout types letters with diacritics).
    if (const int digit = DigitRowKey(key.scancode)) return digit;
    if (const int vk = FromSym(key.sym)) return vk;
    // A letter key of a layout whose letters have no code of their own
    // (another script) gives the letter of its position.
    return LetterKeyAt(key.scancode);
}

std::uint32_t ShiftFromSdl(Uint16 keyMods, Uint32 mouseButtons) {
    std::uint32_t shift = 0;
    if (keyMods & KMOD_SHIFT) shift |= ssShift;
    if (keyMods & KMOD_ALT) shift |= ssAlt;
    if (keyMods & KMOD_CTRL) shift |= ssCtrl;
    if (mouseButtons & SDL_BUTTON_LMASK) shift |= ssLeft;
    if (mouseButtons & SDL_BUTTON_RMASK) shift |= ssRight;
    if (mouseButtons & SDL_BUTTON_MMASK) shift |= ssMiddle;
    return shift;
}

}  // namespace backend::sdl
