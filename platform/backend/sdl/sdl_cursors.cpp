#include "platform/backend/sdl/sdl_cursors.h"

#include <algorithm>

namespace backend::sdl {

namespace {
bool SameCursor(const CursorData& a, const CursorData& b) {
    if (a.hasImage != b.hasImage) return false;
    if (!a.hasImage) return a.standard == b.standard;
    const CursorImage& x = a.image;
    const CursorImage& y = b.image;
    return x.width == y.width && x.height == y.height && x.hotX == y.hotX && x.hotY == y.hotY && x.argb == y.argb;
}

bool Usable(const CursorImage& image) {
    return image.width > 0 && image.height > 0 && image.width <= 256 && image.height <= 256 &&
           image.argb.size() >= std::size_t(image.width) * std::size_t(image.height);
}
}  // namespace

CursorCache::~CursorCache() {
    for (auto& [key, entry] : pictures_) {
        if (entry.cursor) SDL_FreeCursor(entry.cursor);
    }
    for (SDL_Cursor* c : standard_) {
        if (c) SDL_FreeCursor(c);
    }
}

SDL_Cursor* CursorCache::For(const CursorData& cursor) {
    if (!cursor.hasImage || !Usable(cursor.image)) {
        return Standard(cursor.hasImage ? StandardCursor::Arrow : cursor.standard);
    }
    auto found = pictures_.find(&cursor);
    if (found != pictures_.end()) {
        if (SameCursor(found->second.data, cursor)) return OrArrow(found->second.cursor);
        if (found->second.cursor) SDL_FreeCursor(found->second.cursor);
        pictures_.erase(found);
    }
    Entry entry{cursor, FromImage(cursor.image)};
    SDL_Cursor* made = entry.cursor;
    pictures_.emplace(&cursor, std::move(entry));
    return OrArrow(made);
}

SDL_Cursor* CursorCache::OrArrow(SDL_Cursor* cursor) {
    return cursor ? cursor : Standard(StandardCursor::Arrow);
}

// The help cursor is the arrow: the program loads a help cursor but never
// shows it.
SDL_Cursor* CursorCache::Standard(StandardCursor which) {
    const std::size_t i = std::size_t(which);
    if (!standardTried_[i]) {
        standardTried_[i] = true;
        standard_[i] = SDL_CreateSystemCursor(which == StandardCursor::HandPoint ? SDL_SYSTEM_CURSOR_HAND
                                                                                 : SDL_SYSTEM_CURSOR_ARROW);
    }
    return standard_[i];
}

SDL_Cursor* CursorCache::FromImage(const CursorImage& image) {
    // SDL copies the pixels; the surface only lends them for the call.
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint32_t*>(image.argb.data()), image.width, image.height, 32, image.width * 4,
        SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return nullptr;
    SDL_Cursor* cursor = SDL_CreateColorCursor(surface, std::clamp(image.hotX, 0, image.width - 1),
                                               std::clamp(image.hotY, 0, image.height - 1));
    SDL_FreeSurface(surface);
    return cursor;
}

}  // namespace backend::sdl
