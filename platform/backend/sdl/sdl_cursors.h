// SDL cursors made from the program's cursor data, created once each.
#pragma once

#include <SDL.h>

#include <array>
#include <unordered_map>

#include "platform/backend/backend.h"

namespace backend::sdl {

class CursorCache {
public:
    CursorCache() = default;
    CursorCache(const CursorCache&) = delete;
    CursorCache& operator=(const CursorCache&) = delete;
    ~CursorCache();

    // The SDL cursor for this cursor data, or null where the video driver
    // has no cursors. Cached per cursor data; a cursor data whose picture
    // changed (or a new one at a freed one's address) gets a new cursor.
    // A picture that cannot be made into a cursor gives the arrow.
    SDL_Cursor* For(const CursorData& cursor);

private:
    struct Entry {
        CursorData data;
        SDL_Cursor* cursor = nullptr;
    };

    SDL_Cursor* Standard(StandardCursor which);
    SDL_Cursor* OrArrow(SDL_Cursor* cursor);
    static SDL_Cursor* FromImage(const CursorImage& image);

    std::unordered_map<const CursorData*, Entry> pictures_;
    std::array<SDL_Cursor*, 3> standard_{};
    std::array<bool, 3> standardTried_{};
};

}  // namespace backend::sdl
