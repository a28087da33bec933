#pragma once

#include "base/CodeLists.h"
#include "model/Conversion.h"

#include <cstdint>
#include <random>
#include <set>

namespace vorn::test {

// Random images that every conversion shows completely and stores back unchanged: every code is one
// of its list, every digit under a wildcard is 0, flag bytes hold only the bits the fields keep.
Image ValidFamilyAImage(std::mt19937& random, const CodeLists& lists, std::uint8_t productType = 0x23);
Image ValidFamilyBImage(std::mt19937& random, const CodeLists& lists, std::uint8_t productType = 0x2A);
Image ValidFamilyCImage(std::mt19937& random, const CodeLists& lists);
Image ValidImage(std::mt19937& random, const CodeLists& lists, std::uint8_t productType);

// The addresses that a family's conversions map (the others are never touched).
std::set<int> MappedAddresses(std::uint8_t productType);

// A code of 0-255 (or of 0 to limit) that the list lacks.
int MissingCode(const CodeList& list, int limit = 255);
// A random code of the list.
int AnyCode(std::mt19937& random, const CodeList& list);

} // namespace vorn::test
