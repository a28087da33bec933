#include "DidYouMean.h"

#include "base/AsciiText.h"

#include <algorithm>

namespace vorn::cli {

namespace {

// Longer words tolerate more typing errors: two for a short name, a third of the letters beyond.
std::size_t Tolerance(std::string_view word) {
    return std::max<std::size_t>(2, word.size() / 3);
}

} // namespace

std::size_t NameDistance(std::string_view a, std::string_view b) {
    const std::size_t n = a.size();
    const std::size_t m = b.size();
    // Three rows: the one before the previous is needed for transpositions.
    std::vector<std::size_t> before(m + 1), previous(m + 1), current(m + 1);
    for (std::size_t j = 0; j <= m; ++j) {
        previous[j] = j;
    }
    for (std::size_t i = 1; i <= n; ++i) {
        current[0] = i;
        for (std::size_t j = 1; j <= m; ++j) {
            const std::size_t cost = LowerAscii(a[i - 1]) == LowerAscii(b[j - 1]) ? 0 : 1;
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + cost});
            if (i > 1 && j > 1 && LowerAscii(a[i - 1]) == LowerAscii(b[j - 2]) &&
                LowerAscii(a[i - 2]) == LowerAscii(b[j - 1])) {
                current[j] = std::min(current[j], before[j - 2] + 1);
            }
        }
        std::swap(before, previous);
        std::swap(previous, current);
    }
    return previous[m];
}

std::vector<std::string> ClosestNames(std::string_view word, const std::vector<std::string>& names,
                                      std::size_t count) {
    if (word.empty()) {
        return {};
    }
    const std::string lowerWord = FoldCase(word);
    struct Candidate {
        std::size_t score;
        std::size_t order;
        const std::string* name;
    };
    std::vector<Candidate> candidates;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        const std::string lowerName = FoldCase(name);
        const std::size_t distance = NameDistance(lowerWord, lowerName);
        // A part typed whole ("battery" for edtBatteryCheckInterval) is as good as a near miss.
        const bool holds = lowerWord.size() >= 4 && (lowerName.find(lowerWord) != std::string::npos ||
                                                     lowerWord.find(lowerName) != std::string::npos);
        // A name typed in part, with a slip ("edtBatteryChek" for edtBatteryCheckInterval).
        const bool begins =
            lowerWord.size() >= 6 && lowerName.size() > lowerWord.size() &&
            NameDistance(lowerWord, std::string_view(lowerName).substr(0, lowerWord.size())) <= 1;
        if (distance <= Tolerance(word) || holds || begins) {
            candidates.push_back({holds || begins ? std::min<std::size_t>(distance, 1) : distance, i, &name});
        }
    }
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& x, const Candidate& y) {
        return x.score != y.score ? x.score < y.score : x.order < y.order;
    });
    std::vector<std::string> closest;
    for (const Candidate& candidate : candidates) {
        if (closest.size() == count) {
            break;
        }
        if (std::find(closest.begin(), closest.end(), *candidate.name) == closest.end()) {
            closest.push_back(*candidate.name);
        }
    }
    return closest;
}

std::string DidYouMean(std::string_view word, const std::vector<std::string>& names) {
    const std::vector<std::string> closest = ClosestNames(word, names);
    if (closest.empty()) {
        return {};
    }
    std::string text = "; did you mean ";
    for (std::size_t i = 0; i < closest.size(); ++i) {
        text += (i == 0 ? "" : i + 1 == closest.size() ? " or " : ", ") + closest[i];
    }
    return text + "?";
}

} // namespace vorn::cli
