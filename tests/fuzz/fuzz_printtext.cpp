// The print sheet's text: any bytes as the unscrambled lines of
// "profese_.dat", the section of a profession read into its title and
// paragraphs as the print library reads it (a fixed code and those the input
// names), the paragraphs split into words and laid out justified on the
// sheet's background picture as the print library draws them.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/backend/headless/harness.h"
#include "platform/core/strings.h"
#include "printlib/UProfese.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static headless::Harness* harness = new headless::Harness;
    static TwndProfese* form = new TwndProfese(nullptr);
    (void)harness;
    TStringList lines;
    lines.SetText(Cp1250ToUtf8(std::string_view(reinterpret_cast<const char*>(data), size)));
    std::vector<String> codes = {"kuchar"};
    for (int i = 0; i < lines.Count() && codes.size() < 4; ++i) {
        const String& line = lines[i];
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') codes.push_back(line.substr(1, line.size() - 2));
    }
    for (const String& code : codes) {
        ReadPrintSection(lines, code, form->Title, *form->TextLines);
        form->DrawTitle(form->Title);
        form->LayoutText();
    }
    return 0;
}
