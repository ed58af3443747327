#include "platform/print/pdf.h"

#include <zlib.h>

#include <charconv>
#include <cstdio>
#include <map>
#include <tuple>

#include "platform/core/exceptions.h"
#include "platform/core/strings.h"

namespace pdf {

namespace {

std::string Num(double v) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 3);
    std::string s(buf, res.ptr);
    // Trim trailing zeros for compactness: "12.500" -> "12.5", "3.000" -> "3".
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    return s;
}

// Fast compression: page pictures are mostly flat colour, where it loses
// little against the stronger levels and takes a fraction of their time.
constexpr int kCompressionLevel = 1;

// The part of the picture as RGB rows, compressed row by row so that no
// copy of the whole picture is made.
std::string DeflateRgb(const Surface& s, const TRect& r) {
    z_stream z{};
    if (deflateInit(&z, kCompressionLevel) != Z_OK) throw Exception("PDF: compression failed");
    std::string out;
    std::vector<Byte> row(std::size_t(r.Width()) * 3);
    Byte chunk[1 << 16];
    for (int y = r.Top; y < r.Bottom; ++y) {
        const Byte* bgr = s.Row(y) + std::size_t(r.Left) * 3;
        for (std::size_t i = 0; i < row.size(); i += 3) {
            row[i] = bgr[i + 2];
            row[i + 1] = bgr[i + 1];
            row[i + 2] = bgr[i];
        }
        z.next_in = row.data();
        z.avail_in = uInt(row.size());
        const int flush = y + 1 == r.Bottom ? Z_FINISH : Z_NO_FLUSH;
        do {
            z.next_out = chunk;
            z.avail_out = sizeof chunk;
            if (deflate(&z, flush) == Z_STREAM_ERROR) {
                deflateEnd(&z);
                throw Exception("PDF: compression failed");
            }
            out.append(reinterpret_cast<const char*>(chunk), sizeof chunk - z.avail_out);
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    return out;
}

// A text string as UTF-16BE with its byte order mark, hex encoded.
std::string TextString(const String& utf8) {
    static const char* hex = "0123456789ABCDEF";
    std::string out = "<FEFF";
    auto put = [&](unsigned unit) {
        for (int shift = 12; shift >= 0; shift -= 4) out += hex[(unit >> shift) & 0xF];
    };
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp = NextCodePoint(utf8, pos);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            put(0xD800 + unsigned(cp >> 10));
            put(0xDC00 + unsigned(cp & 0x3FF));
        } else {
            put(unsigned(cp));
        }
    }
    return out + ">";
}

class Document {
public:
    int Reserve() {
        offsets_.push_back(0);
        return int(offsets_.size());
    }
    void Object(int id, const std::string& body) {
        offsets_[std::size_t(id - 1)] = out_.size();
        out_ += std::to_string(id) + " 0 obj\n" + body + "\nendobj\n";
    }
    void Stream(int id, const std::string& dict, const std::string& data) {
        offsets_[std::size_t(id - 1)] = out_.size();
        out_ += std::to_string(id) + " 0 obj\n<< " + dict + " /Length " + std::to_string(data.size()) +
                " >>\nstream\n";
        out_ += data;
        out_ += "\nendstream\nendobj\n";
    }
    std::string Finish(int root, int info) {
        std::size_t xref = out_.size();
        out_ += "xref\n0 " + std::to_string(offsets_.size() + 1) + "\n0000000000 65535 f \n";
        for (std::size_t off : offsets_) {
            char line[24];
            std::snprintf(line, sizeof line, "%010zu 00000 n \n", off);
            out_ += line;
        }
        out_ += "trailer\n<< /Size " + std::to_string(offsets_.size() + 1) + " /Root " + std::to_string(root) +
                " 0 R /Info " + std::to_string(info) + " 0 R >>\nstartxref\n" + std::to_string(xref) +
                "\n%%EOF\n";
        return std::move(out_);
    }

private:
    std::string out_ = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<std::size_t> offsets_;
};

}  // namespace

std::string Write(const std::vector<Page>& pages, const String& title) {
    Document doc;
    int catalog = doc.Reserve();
    int pagesId = doc.Reserve();
    int info = doc.Reserve();

    // Each part of a picture is stored once, however many pages show it
    // (the copies of a page).
    std::map<std::tuple<const Surface*, int, int, int, int>, int> stored;
    auto imageObject = [&](const Surface& image, const TRect& part) {
        auto [at, isNew] = stored.try_emplace({&image, part.Left, part.Top, part.Right, part.Bottom}, 0);
        if (isNew) {
            at->second = doc.Reserve();
            doc.Stream(at->second,
                       "/Type /XObject /Subtype /Image /Width " + std::to_string(part.Width()) + " /Height " +
                           std::to_string(part.Height()) +
                           " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /FlateDecode",
                       DeflateRgb(image, part));
        }
        return at->second;
    };

    std::string kids;
    for (const Page& page : pages) {
        int pageId = doc.Reserve();
        int contentId = doc.Reserve();
        kids += std::to_string(pageId) + " 0 R ";

        std::string resources;
        std::string content;
        int n = 0;
        for (const Placement& pic : page.pictures) {
            if (!pic.image) continue;
            const TRect part = pic.source.IsEmpty() ? TRect{0, 0, pic.image->width, pic.image->height} : pic.source;
            if (part.IsEmpty() || part.Left < 0 || part.Top < 0 || part.Right > pic.image->width ||
                part.Bottom > pic.image->height) {
                continue;
            }
            std::string name = "Im" + std::to_string(n++);
            resources += "/" + name + " " + std::to_string(imageObject(*pic.image, part)) + " 0 R ";
            double bottom = page.heightPt - pic.y - pic.height;
            content += "q " + Num(pic.width) + " 0 0 " + Num(pic.height) + " " + Num(pic.x) + " " + Num(bottom) +
                       " cm /" + name + " Do Q\n";
        }
        doc.Stream(contentId, "", content);
        doc.Object(pageId, "<< /Type /Page /Parent " + std::to_string(pagesId) + " 0 R /MediaBox [0 0 " +
                               Num(page.widthPt) + " " + Num(page.heightPt) + "] /Resources << /XObject << " +
                               resources + ">> >> /Contents " + std::to_string(contentId) + " 0 R >>");
    }
    doc.Object(pagesId, "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages.size()) + " >>");
    doc.Object(catalog, "<< /Type /Catalog /Pages " + std::to_string(pagesId) + " 0 R >>");
    doc.Object(info, "<< /Title " + TextString(title) + " /Producer (Velamo) >>");
    return doc.Finish(catalog, info);
}

}  // namespace pdf
