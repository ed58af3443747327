#include "platform/backend/sdl/sdl_presenters.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/backend/backend.h"
#include "platform/gfx/graphics.h"

namespace backend::sdl {

namespace {

SDL_Rect ToSdl(const TRect& r) { return SDL_Rect{r.Left, r.Top, r.Width(), r.Height()}; }

bool IsXrgb8888(const SDL_PixelFormat* f) {
    return f->BytesPerPixel == 4 && f->Rmask == 0xFF0000 && f->Gmask == 0x00FF00 && f->Bmask == 0x0000FF;
}

// Blackens the window pixels around the picture's place.
void ClearBorders(SDL_Surface* target, const TRect& place) {
    for (int y = 0; y < target->h; ++y) {
        auto* row = static_cast<std::uint8_t*>(target->pixels) + std::size_t(y) * std::size_t(target->pitch);
        if (y < place.Top || y >= place.Bottom) {
            std::memset(row, 0, std::size_t(target->w) * 4);
            continue;
        }
        std::memset(row, 0, std::size_t(place.Left) * 4);
        std::memset(row + std::size_t(place.Right) * 4, 0, std::size_t(target->w - place.Right) * 4);
    }
}

class SurfacePresenter final : public Presenter {
public:
    explicit SurfacePresenter(SDL_Window* window) : Presenter(window) {}
    ~SurfacePresenter() override {
        if (staging_) SDL_FreeSurface(staging_);
    }

    std::string Name() const override { return "software"; }

    void Show(const Surface& picture, const TRect& changed, bool whole) override {
        SDL_Surface* shown = SDL_GetWindowSurface(window_);
        if (!shown) return;
        const Viewport viewport(shown->w, shown->h);
        if (!(viewport == scaler_.CurrentViewport()) || shown != lastShown_) whole = true;
        lastShown_ = shown;
        scaler_.SetViewport(viewport);
        SDL_Surface* target = shown;
        if (!IsXrgb8888(shown->format)) {
            // Another window format: scaled into a surface of ours, then
            // converted by SDL's blit.
            if (!staging_ || staging_->w != shown->w || staging_->h != shown->h) {
                if (staging_) SDL_FreeSurface(staging_);
                staging_ = SDL_CreateRGBSurfaceWithFormat(0, shown->w, shown->h, 32, SDL_PIXELFORMAT_ARGB8888);
                if (!staging_) return;
            }
            target = staging_;
        }
        const TRect area = whole ? Rect(0, 0, shown->w, shown->h) : viewport.ToWindow(changed);
        if (area.IsEmpty()) return;
        SDL_Rect rect = ToSdl(area);
        if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) != 0) return;
        if (whole) ClearBorders(target, viewport.Picture());
        scaler_.Scale(picture, area, static_cast<std::uint8_t*>(target->pixels), target->pitch);
        if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
        if (target != shown) SDL_BlitSurface(target, &rect, shown, &rect);
        if (whole) SDL_UpdateWindowSurface(window_);
        else SDL_UpdateWindowSurfaceRects(window_, &rect, 1);
    }

    bool ReadPixel(int x, int y, std::uint32_t& rgb) override {
        SDL_Surface* shown = SDL_GetWindowSurface(window_);
        if (!shown || x < 0 || y < 0 || x >= shown->w || y >= shown->h) return false;
        if (SDL_MUSTLOCK(shown) && SDL_LockSurface(shown) != 0) return false;
        const std::uint8_t* p = static_cast<const std::uint8_t*>(shown->pixels) + std::size_t(y) * std::size_t(shown->pitch) +
                                std::size_t(x) * shown->format->BytesPerPixel;
        Uint32 value = 0;
        std::memcpy(&value, p, std::min<std::size_t>(shown->format->BytesPerPixel, sizeof value));
        if (SDL_MUSTLOCK(shown)) SDL_UnlockSurface(shown);
        Uint8 r = 0;
        Uint8 g = 0;
        Uint8 b = 0;
        SDL_GetRGB(value, shown->format, &r, &g, &b);
        rgb = (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | b;
        return true;
    }

private:
    PictureScaler scaler_;
    SDL_Surface* lastShown_ = nullptr;
    SDL_Surface* staging_ = nullptr;
};

class RendererPresenter final : public Presenter {
public:
    RendererPresenter(SDL_Window* window, SDL_Renderer* renderer) : Presenter(window), renderer_(renderer) {}
    ~RendererPresenter() override {
        if (texture_) SDL_DestroyTexture(texture_);
        SDL_DestroyRenderer(renderer_);
    }

    std::string Name() const override {
        SDL_RendererInfo info{};
        SDL_GetRendererInfo(renderer_, &info);
        return info.name ? info.name : "renderer";
    }

    void Show(const Surface& picture, const TRect& changed, bool whole) override {
        if (!texture_) {
            texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_BGR24, SDL_TEXTUREACCESS_STREAMING, kScreenWidth,
                                         kScreenHeight);
            if (!texture_) return;
            whole = true;
            scaleMode_ = -1;
        }
        int width = 0;
        int height = 0;
        SDL_GetRendererOutputSize(renderer_, &width, &height);
        const Viewport viewport(width, height);
        // Pixel art at a whole factor stays sharp; other factors are
        // smoothed, as evenly as the renderer can.
        const SDL_ScaleMode mode = viewport.WholeFactor() ? SDL_ScaleModeNearest : SDL_ScaleModeLinear;
        if (int(mode) != scaleMode_) {
            SDL_SetTextureScaleMode(texture_, mode);
            scaleMode_ = int(mode);
        }
        const TRect area = whole ? Rect(0, 0, kScreenWidth, kScreenHeight)
                                 : Rect(std::max(changed.Left, 0), std::max(changed.Top, 0),
                                        std::min(changed.Right, kScreenWidth), std::min(changed.Bottom, kScreenHeight));
        if (!area.IsEmpty()) {
            const SDL_Rect rect = ToSdl(area);
            SDL_UpdateTexture(texture_, &rect, picture.Row(area.Top) + area.Left * 3, kScreenWidth * 3);
        }
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        const SDL_Rect place = ToSdl(viewport.Picture());
        SDL_RenderCopy(renderer_, texture_, nullptr, &place);
        SDL_RenderPresent(renderer_);
    }

    bool ReadPixel(int x, int y, std::uint32_t& rgb) override {
        SDL_Rect r{x, y, 1, 1};
        Uint32 argb = 0;
        if (SDL_RenderReadPixels(renderer_, &r, SDL_PIXELFORMAT_ARGB8888, &argb, 4) != 0) return false;
        rgb = argb & 0xFFFFFF;
        return true;
    }

    void Reset() override {
        // The device lost its textures: the next frame makes a new one.
        if (texture_) SDL_DestroyTexture(texture_);
        texture_ = nullptr;
    }

private:
    SDL_Renderer* renderer_;
    SDL_Texture* texture_ = nullptr;
    int scaleMode_ = -1;
};

}  // namespace

std::unique_ptr<Presenter> MakeSurfacePresenter(SDL_Window* window) {
    return std::make_unique<SurfacePresenter>(window);
}

std::unique_ptr<Presenter> MakeRendererPresenter(SDL_Window* window, Uint32 flags) {
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, flags);
    if (!renderer) return nullptr;
    return std::make_unique<RendererPresenter>(window, renderer);
}

bool GraphicsDevicePresent() {
#ifdef __linux__
    std::error_code error;
    return std::filesystem::exists("/dev/dri", error) || std::filesystem::exists("/dev/nvidia0", error) ||
           std::filesystem::exists("/dev/nvidiactl", error);
#else
    return true;
#endif
}

std::string GlRendererString(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name || std::strncmp(info.name, "opengl", 6) != 0)
        return "";
    // The renderer's context is the current one once it has drawn.
    SDL_RenderFlush(renderer);
    using GetString = const unsigned char* (*)(unsigned int);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (!getString || !SDL_GL_GetCurrentContext()) return "";
    constexpr unsigned int kGlRenderer = 0x1F01;
    const unsigned char* name = getString(kGlRenderer);
    return name ? reinterpret_cast<const char*>(name) : "";
}

bool RendersInSoftware(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE)) return true;
    std::string name = GlRendererString(renderer);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    for (const char* soft : {"llvmpipe", "softpipe", "swrast", "software rasterizer", "lavapipe"})
        if (name.find(soft) != std::string::npos) return true;
    return false;
}

}  // namespace backend::sdl
