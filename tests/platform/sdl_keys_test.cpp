#include <gtest/gtest.h>

#include "platform/backend/backend.h"
#include "platform/backend/sdl/sdl_keys.h"

using backend::sdl::ShiftFromSdl;
using backend::sdl::VirtualKeyFromSdl;

namespace {
SDL_Keysym Key(SDL_Keycode sym, SDL_Scancode code) {
    SDL_Keysym k{};
    k.sym = sym;
    k.scancode = code;
    return k;
}
}  // namespace

TEST(SdlKeys, VirtualKeyCodes) {
    struct Case {
        const char* what;
        SDL_Keycode sym;
        SDL_Scancode code;
        int vk;
    };
    const Case cases[] = {
        {"Enter", SDLK_RETURN, SDL_SCANCODE_RETURN, 13},
        {"keypad Enter", SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 13},
        {"Escape", SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 27},
        {"Backspace", SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 8},
        {"Delete", SDLK_DELETE, SDL_SCANCODE_DELETE, 46},
        {"Tab", SDLK_TAB, SDL_SCANCODE_TAB, 9},
        {"Space", SDLK_SPACE, SDL_SCANCODE_SPACE, 32},
        {"Left", SDLK_LEFT, SDL_SCANCODE_LEFT, 37},
        {"Up", SDLK_UP, SDL_SCANCODE_UP, 38},
        {"Right", SDLK_RIGHT, SDL_SCANCODE_RIGHT, 39},
        {"Down", SDLK_DOWN, SDL_SCANCODE_DOWN, 40},
        {"Home", SDLK_HOME, SDL_SCANCODE_HOME, 36},
        {"End", SDLK_END, SDL_SCANCODE_END, 35},
        {"Page Up", SDLK_PAGEUP, SDL_SCANCODE_PAGEUP, 33},
        {"Page Down", SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN, 34},
        {"Insert", SDLK_INSERT, SDL_SCANCODE_INSERT, 45},
        {"left Shift", SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, 16},
        {"right Ctrl", SDLK_RCTRL, SDL_SCANCODE_RCTRL, 17},
        {"left Alt", SDLK_LALT, SDL_SCANCODE_LALT, 18},
        {"A", SDLK_a, SDL_SCANCODE_A, 'A'},
        {"M", SDLK_m, SDL_SCANCODE_M, 'M'},
        {"Z", SDLK_z, SDL_SCANCODE_Z, 'Z'},
        {"QWERTZ Z where QWERTY has Y", SDLK_z, SDL_SCANCODE_Y, 'Z'},
        {"digit 0", SDLK_0, SDL_SCANCODE_0, '0'},
        {"digit 1", SDLK_1, SDL_SCANCODE_1, '1'},
        {"digit 9", SDLK_9, SDL_SCANCODE_9, '9'},
        {"Czech digit row: e with caron on 2", 0x011B, SDL_SCANCODE_2, '2'},
        {"Czech digit row: e with acute on 0", 0x00E9, SDL_SCANCODE_0, '0'},
        {"Czech digit row: plus on 1", SDLK_PLUS, SDL_SCANCODE_1, '1'},
        {"Cyrillic ef on the A key", 0x0444, SDL_SCANCODE_A, 'A'},
        {"F1", SDLK_F1, SDL_SCANCODE_F1, 112},
        {"F12", SDLK_F12, SDL_SCANCODE_F12, 123},
        {"keypad 0", SDLK_KP_0, SDL_SCANCODE_KP_0, 96},
        {"keypad 1", SDLK_KP_1, SDL_SCANCODE_KP_1, 97},
        {"keypad 9", SDLK_KP_9, SDL_SCANCODE_KP_9, 105},
        {"keypad plus", SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS, 107},
        {"F24 has no code", SDLK_F24, SDL_SCANCODE_F24, 0},
        {"a key unknown to the layout", SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VirtualKeyFromSdl(Key(c.sym, c.code)), c.vk) << c.what;
    }
}

TEST(SdlKeys, ShiftBitsFromModifiersAndButtons) {
    struct Case {
        const char* what;
        Uint16 mods;
        Uint32 buttons;
        std::uint32_t shift;
    };
    const Case cases[] = {
        {"nothing", KMOD_NONE, 0, 0},
        {"left Shift", KMOD_LSHIFT, 0, backend::ssShift},
        {"right Shift", KMOD_RSHIFT, 0, backend::ssShift},
        {"right Alt", KMOD_RALT, 0, backend::ssAlt},
        {"Ctrl and Shift", KMOD_LCTRL | KMOD_RSHIFT, 0, backend::ssCtrl | backend::ssShift},
        {"locks are no shift", KMOD_NUM | KMOD_CAPS, 0, 0},
        {"left and middle buttons", KMOD_NONE, SDL_BUTTON_LMASK | SDL_BUTTON_MMASK,
         backend::ssLeft | backend::ssMiddle},
        {"right button with Alt", KMOD_LALT, SDL_BUTTON_RMASK, backend::ssRight | backend::ssAlt},
        {"side buttons are no shift", KMOD_NONE, SDL_BUTTON_X1MASK | SDL_BUTTON_X2MASK, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShiftFromSdl(c.mods, c.buttons), c.shift) << c.what;
    }
}
