// The detail page's text: any bytes as the unscrambled lines of
// "profese.dat", each section read into its name and timed pages as the page
// reads it (two fixed codes and those the input names), and every page's rich
// text read and laid out in the page's text box as the page shows it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/core/strings.h"
#include "platform/gfx/graphics.h"
#include "platform/ui/richtext.h"
#include "shell/ProfessionText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TBitmap* box = [] {
        auto* bitmap = new TBitmap;
        bitmap->SetSize(224, 337);
        return bitmap;
    }();
    TStringList lines;
    lines.SetText(Cp1250ToUtf8(std::string_view(reinterpret_cast<const char*>(data), size)));
    std::vector<String> codes = {"kader", "muzikant"};
    for (int i = 0; i < lines.Count() && codes.size() < 6; ++i) {
        const String& line = lines[i];
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') codes.push_back(line.substr(1, line.size() - 2));
    }
    for (const String& code : codes) {
        const TProfessionSection section = ReadProfessionSection(lines, code);
        for (const TTextPage& page : section.Pages) {
            try {
                const std::string rich = Utf8ToCp1250(PageRichText(page.Text));
                richtext::Render(richtext::Parse(rich), *box->Canvas(), Rect(0, 0, 224, 337), RGBColor(206, 255, 247));
            } catch (const Exception&) {
            }
        }
    }
    return 0;
}
