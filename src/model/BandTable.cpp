#include "model/BandTable.h"

namespace vorn {

namespace {

// The row a band stores: the first row of the code that has a carrier frequency.
const BandRow* StoredRow(int code) {
    for (const BandRow& row : BandFrequencyTable) {
        if (row.code == code && row.frequency1 != 0) {
            return &row;
        }
    }
    return nullptr;
}

} // namespace

int BandOfFrequency(std::uint32_t frequency) {
    for (const BandRow& row : BandFrequencyTable) {
        if (row.frequency1 == frequency || row.frequency2 == frequency) {
            return row.code;
        }
    }
    return 0;
}

std::optional<std::uint32_t> FirstFrequency(int code) {
    const BandRow* row = StoredRow(code);
    return row != nullptr ? std::optional(row->frequency1) : std::nullopt;
}

std::optional<std::uint32_t> SecondFrequency(int code) {
    const BandRow* row = StoredRow(code);
    return row != nullptr ? std::optional(row->frequency2) : std::nullopt;
}

} // namespace vorn
