#include "ProgressView.h"

#include "base/Utf8.h"

#include <cstdio>

namespace vorn::cli {

namespace {

constexpr int BarWidth = 20;

std::string Bar(int done, int total) {
    const int filled = total > 0 ? done * BarWidth / total : 0;
    return "[" + std::string(static_cast<std::size_t>(filled), '#') +
           std::string(static_cast<std::size_t>(BarWidth - filled), '.') + "]";
}

} // namespace

std::string ProgressView::BandText(std::uint8_t band) const {
    const int index = IndexOfCode(bands_, band);
    if (index < 0) {
        return std::to_string(band);
    }
    return std::to_string(band) + " (" +
           EscapeControlCharacters(ValuePart(bands_[static_cast<std::size_t>(index)])) + ")";
}

std::string ProgressView::Line(const SessionStep& step) const {
    const int percent = step.bytes > 0 ? step.bytesDone * 100 / step.bytes : 0;
    std::string line = label_ + (step.write ? " write" : " read") + ": block " + std::to_string(step.block) +
                       " of " + std::to_string(step.blocks) + " " + Bar(step.bytesDone, step.bytes) + " " +
                       std::to_string(percent) + "%  band " + BandText(step.band);
    if (step.retries > 0) {
        line += "  repeat " + std::to_string(step.retries);
    }
    return line;
}

void ProgressView::JobStarting(const SessionStep& step) {
    if (enabled) {
        Draw(Line(step));
    }
}

void ProgressView::SessionEnded(int, const SessionStep&) {
    Clear();
}

void ProgressView::Waiting(Millis waited, Millis limit) {
    if (!enabled) {
        return;
    }
    const auto seconds = static_cast<int>(waited.count() / 1000);
    const auto total = static_cast<int>(limit.count() / 1000);
    Draw(label_ + ": waiting for the button " + Bar(seconds, total) + " " + std::to_string(seconds) + " of " +
         std::to_string(total) + " s");
}

void ProgressView::Draw(const std::string& line) {
    std::fprintf(stderr, "\r%s\x1b[K", line.c_str());
    std::fflush(stderr);
    drawn_ = true;
}

void ProgressView::Clear() {
    if (drawn_) {
        std::fputs("\r\x1b[K", stderr);
        std::fflush(stderr);
        drawn_ = false;
    }
}

} // namespace vorn::cli
