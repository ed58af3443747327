// Reads arbitrary bytes as rich text and lays them out in the detail page's
// text box. A document that cannot be read may raise the platform's
// exceptions; anything else (a crash, a read past the end) is a fault.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/gfx/graphics.h"
#include "platform/ui/richtext.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TBitmap* box = [] {
        auto* bitmap = new TBitmap;
        bitmap->SetSize(224, 337);
        return bitmap;
    }();
    try {
        richtext::Document doc =
            richtext::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
        richtext::Render(doc, *box->Canvas(), Rect(0, 0, 224, 337), RGBColor(206, 255, 247));
    } catch (const Exception&) {
    }
    return 0;
}
