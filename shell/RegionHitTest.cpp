#include "shell/RegionHitTest.h"

TRegionHitTest::TRegionHitTest(const TBitmap* Mask, TColor Border) : mask_(Mask), border_(Border) {}

int TRegionHitTest::MarkerAt(int X, int Y, std::span<const TPoint> Markers) {
    const Surface& mask = mask_->Pixels();
    if (width_ != mask.width || regions_.size() != std::size_t(mask.width) * std::size_t(mask.height))
        NumberRegions();
    const std::uint32_t region = RegionAt(X, Y);
    if (region == 0) return -1;
    for (std::size_t i = 0; i < Markers.size(); ++i)
        if (RegionAt(Markers[i].X, Markers[i].Y) == region) return int(i);
    return -1;
}

std::uint32_t TRegionHitTest::RegionAt(int X, int Y) const {
    if (!mask_->Pixels().Inside(X, Y)) return 0;
    return regions_[std::size_t(Y) * std::size_t(width_) + std::size_t(X)];
}

void TRegionHitTest::NumberRegions() {
    const Surface& mask = mask_->Pixels();
    width_ = mask.width;
    const std::size_t width = std::size_t(mask.width);
    regions_.assign(width * std::size_t(mask.height), 0);
    const Byte border[3] = {Byte(GetBValue(border_)), Byte(GetGValue(border_)), Byte(GetRValue(border_))};
    auto open = [&](std::size_t at) {
        const Byte* p = mask.pixels.data() + at * 3;
        return regions_[at] == 0 && !(p[0] == border[0] && p[1] == border[1] && p[2] == border[2]);
    };
    // Each region is filled run by run from its first pixel in reading
    // order; a run's pixels above and below seed the runs next to it.
    std::uint32_t next = 1;
    std::vector<std::size_t> seeds;
    for (std::size_t start = 0; start < regions_.size(); ++start) {
        if (!open(start)) continue;
        seeds.push_back(start);
        while (!seeds.empty()) {
            const std::size_t seed = seeds.back();
            seeds.pop_back();
            if (!open(seed)) continue;
            const std::size_t rowStart = seed - seed % width;
            std::size_t left = seed;
            while (left > rowStart && open(left - 1)) --left;
            std::size_t right = seed;
            while (right + 1 < rowStart + width && open(right + 1)) ++right;
            for (std::size_t at = left; at <= right; ++at) regions_[at] = next;
            // One seed for each stretch of open pixels along the run.
            auto seedRow = [&](std::size_t from) {
                bool inStretch = false;
                for (std::size_t at = from + left - rowStart; at <= from + right - rowStart; ++at) {
                    const bool isOpen = open(at);
                    if (isOpen && !inStretch) seeds.push_back(at);
                    inStretch = isOpen;
                }
            };
            if (rowStart >= width) seedRow(rowStart - width);
            if (rowStart + width < regions_.size()) seedRow(rowStart + width);
        }
        ++next;
    }
}
