#pragma once

#include <array>
#include <cstdint>
#include <optional>

// The carrier frequencies of the frequency bands, as the positioning unit stores its bands: two
// frequencies in Hz per band. Searched from the top; band 1 has two rows (no carrier, and its real
// pair).
namespace vorn {

struct BandRow {
    int code;
    std::uint32_t frequency1;
    std::uint32_t frequency2;
};

inline constexpr std::array<BandRow, 14> BandFrequencyTable{{
    {1, 0, 0},
    {1, 869212500, 869237500},
    {2, 868712500, 868737500},
    {3, 906212500, 906237500},
    {6, 869412500, 869437500},
    {7, 916212500, 916237500},
    {8, 868212500, 868237500},
    {9, 868412500, 868437500},
    {10, 906412500, 906437500},
    {11, 916412500, 916437500},
    {12, 866212500, 866237500},
    {13, 866412500, 866437500},
    {14, 921212500, 921237500},
    {15, 921412500, 921437500},
}};

// The band of the first row holding the frequency, 0 when none does (so 0 Hz gives band 1).
int BandOfFrequency(std::uint32_t frequency);
// The two carrier frequencies stored for a band: band 1 stores its real pair; a code that the table
// lacks has none.
std::optional<std::uint32_t> FirstFrequency(int code);
std::optional<std::uint32_t> SecondFrequency(int code);

} // namespace vorn
