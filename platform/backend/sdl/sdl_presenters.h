// The two ways the SDL backend brings the 640x480 picture to its window:
// scaled by our own scaler into the window's surface, uploading only the
// changed window area (the software path: fastest where no graphics card
// draws), or through an SDL renderer with the picture as a texture, updating
// only the changed part of it (where a graphics card draws). Both place the
// picture by the same Viewport as the mouse.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/backend/sdl/sdl_scaler.h"
#include "platform/backend/sdl/sdl_viewport.h"

struct Surface;

namespace backend::sdl {

class Presenter {
public:
    virtual ~Presenter() = default;
    // What draws: "software", or the SDL renderer's name.
    virtual std::string Name() const = 0;
    // Shows `picture` (640x480), of which only `changed` differs from what
    // the last call showed; `whole` draws the window afresh (after a size
    // change, an uncovering, the first frame).
    virtual void Show(const Surface& picture, const TRect& changed, bool whole) = 0;
    // The window pixel's colour as shown (0xRRGGBB), for tests; false when
    // it cannot be read.
    virtual bool ReadPixel(int x, int y, std::uint32_t& rgb) = 0;
    // The display device lost what it held (textures).
    virtual void Reset() {}

protected:
    explicit Presenter(SDL_Window* window) : window_(window) {}
    SDL_Window* window_;
};

// Our scaler into SDL's window surface; SDL_UpdateWindowSurfaceRects sends
// only the changed rectangle to the display. Needs SDL's window surface to
// be the system's own (SDL_HINT_FRAMEBUFFER_ACCELERATION "0"), not a texture.
std::unique_ptr<Presenter> MakeSurfacePresenter(SDL_Window* window);
// An SDL renderer made for `window` (null when none could be made).
std::unique_ptr<Presenter> MakeRendererPresenter(SDL_Window* window, Uint32 flags);

// Whether an SDL renderer draws in software although it reports itself as
// accelerated: OpenGL on a software rasteriser (Mesa's llvmpipe, softpipe,
// swrast). Reads the GL renderer string of the renderer's context.
bool RendersInSoftware(SDL_Renderer* renderer);
// Whether the system has a graphics device a renderer could draw with
// (a DRM device, or the proprietary NVIDIA one). True off Linux.
bool GraphicsDevicePresent();
// The GL renderer string of `renderer`'s context ("" when not OpenGL).
std::string GlRendererString(SDL_Renderer* renderer);

}  // namespace backend::sdl
