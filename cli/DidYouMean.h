#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Suggestions for a mistyped name: the known names closest to it, letter case ignored.
namespace vorn::cli {

// Edit distance with adjacent transpositions ("optimal string alignment"), letter case ignored.
std::size_t NameDistance(std::string_view a, std::string_view b);

// The names closest to the word, best first, at most `count`: names that differ by a few edits
// (more for a longer word), and names that hold the word or that the word holds whole. Empty when
// nothing is close.
std::vector<std::string> ClosestNames(std::string_view word, const std::vector<std::string>& names,
                                      std::size_t count = 3);

// "; did you mean X?" / "; did you mean X, Y or Z?", or empty.
std::string DidYouMean(std::string_view word, const std::vector<std::string>& names);

} // namespace vorn::cli
