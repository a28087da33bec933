#include "model/FamilyBFields.h"

#include "model/ConversionRows.h"
#include "model/FamilyBMap.h"
#include "model/ValueHelpers.h"

#include <algorithm>
#include <array>

namespace vorn {

using namespace conversion;
using layout::Get;
using layout::High;
using layout::Low;
using layout::Placed;
using layout::Put;

namespace {

using Map = FamilyBMap;

constexpr IdentityFields IdentityOfB{"edtHESK_ProductionDate", Map::ProductionDate.address,
                                     "edtHESK_FirmwareType",   "edtHESK_FirmwareVersion",
                                     "edtHESK_ProductName",    "edtHESK_SerialNumber"};

// How a field is shown from its place and stored into it.
enum class Converter {
    RadioCode,   // four hexadecimal digits of a word
    Count,       // a transmission count: the two counts of a byte are stored together, never both 0
    Number,      // a byte in decimal
    Flag,        // a bit as a yes/no choice: the flags of a byte are stored together, the byte whole
    Identity,    // the shared identity fields, shown and stored together from this row
    IdentityPart // one of them after the first: the identity row converts it
};

using layout::AddressOf;
using layout::Place;

// One field: its editor row, its place in the image and its converter.
struct Row {
    FieldRow field;
    Place place;
    Converter converter;
};

Row YesNo(std::string name, layout::Bit place) {
    return {
        {.name = std::move(name), .kind = FieldKind::Choice, .list = &CodeLists::YesNo, .listName = "YesNo"},
        place,
        Converter::Flag};
}
Row Number(std::string name, std::size_t maxLength, Place place, Converter converter = Converter::Number) {
    return {{.name = std::move(name), .maxLength = maxLength, .keyFilter = KeyFilterKind::Number},
            place,
            converter};
}
Row Display(std::string name, Place place = {}, Converter converter = Converter::IdentityPart) {
    return {{.name = std::move(name), .enabled = false}, place, converter};
}

// Page tbsHeskConfig, in the order of the page, which both conversions keep.
const std::vector<Row>& Rows() {
    static const std::vector<Row> rows{
        {{.name = "edtHESK_RadioIdCode", .maxLength = 4, .keyFilter = KeyFilterKind::HexCode},
         Map::RadioId,
         Converter::RadioCode},
        Number("edtHESK_MaxShortTx", 2, Map::MaxShortTx, Converter::Count),
        Number("edtHESK_MaxLongTx", 2, Map::MaxLongTx, Converter::Count),
        Number("edtHESK_MaxNumberOfBursts", 2, Map::MaxNumberOfBursts),
        YesNo("cbbxHESK_IgnoreAck", Map::IgnoreAck),
        YesNo("cbbxHESK_RadioControlMode", Map::RadioControlMode),
        Display(IdentityOfB.productionDate, {}, Converter::Identity),
        Display(IdentityOfB.firmwareType),
        Display(IdentityOfB.firmwareVersion),
        Display(IdentityOfB.productName),
        Display(IdentityOfB.serialNumber),
        Display("edtHESK_RadioCalibration", Map::RadioCalibration, Converter::Number),
        Number("edtHESK_EquipmentType", 3, Map::EquipmentType),
        YesNo("cbbxHESK_SingleButtonPresence", Map::SingleButtonPresence),
        Number("edtHESK_RadioTestAlarmInterval", 3, Map::RadioTestAlarmInterval),
        Number("edtHESK_NumberOfMissedAck", 3, Map::MissedAck),
        Number("edtHESK_AutoReadyTime", 3, Map::AutoReadyTime),
        YesNo("cbbxHESK_LedFlashIndication", Map::LedFlashIndication),
        Number("edtHESK_BatteryCheckInterval", 3, Map::BatteryCheckInterval),
        YesNo("cbbxHESK_CheckBatteryIn24VMode", Map::CheckBatteryIn24V),
    };
    return rows;
}

} // namespace

const std::vector<FieldRow>& FamilyBFieldRows() {
    static const std::vector<FieldRow> rows = FieldRowsOf(Rows());
    return rows;
}

int FamilyBImageToFields(const ConversionContext& c, const Image& image) {
    ConversionOutcome outcome;
    for (const Row& row : Rows()) {
        const std::string_view field = row.field.name;
        switch (row.converter) {
        case Converter::RadioCode: {
            const auto place = std::get<layout::Word>(row.place);
            ShowText(c, field, FormatHex16(High(image, place), Low(image, place)));
            break;
        }
        case Converter::Count:
            ShowText(c, field, Decimal(Get(image, std::get<layout::Nibble>(row.place))));
            break;
        case Converter::Number:
            ShowText(c, field, Decimal(Get(image, std::get<layout::Byte>(row.place))));
            break;
        // Choices without an item for the stored bit stay without a selection and report nothing.
        case Converter::Flag:
            SelectCode(c, field, c.lists.YesNo, Get(image, std::get<layout::Bit>(row.place)));
            break;
        case Converter::Identity:
            if (FirmwareMajor(Get(image, Map::FirmwareVersion)) >= Map::FirstUnknownFirmwareMajor) {
                outcome.RefuseFirmware();
            }
            if (!ShowIdentity(c, IdentityOfB, c.lists.DeviceNamesB, image)) {
                outcome.Fail(ProductTypeAddress);
            }
            break;
        case Converter::IdentityPart: break;
        }
    }
    return outcome.Result();
}

int FamilyBFieldsToImage(const ConversionContext& c, Image& image) {
    ConversionOutcome outcome;
    for (const Row& row : Rows()) {
        const std::string_view field = row.field.name;
        switch (row.converter) {
        case Converter::RadioCode: {
            const Hex16 id = ParseHex16(TextOf(c, field));
            Put(image, std::get<layout::Word>(row.place), id.b0, id.b1);
            break;
        }
        case Converter::Count: {
            const std::vector<const Row*> pair = ByteMates(Rows(), row);
            if (pair.front() != &row) {
                break;
            }
            const layout::Byte counts{AddressOf(row.place)};
            bool refused = true;
            int value = 0;
            for (const Row* count : pair) {
                const int n = IntOrZero(TextOf(c, count->field.name));
                if (n > 15) {
                    refused = true;
                    break;
                }
                refused = refused && n == 0;
                value += Placed(std::get<layout::Nibble>(count->place), n);
            }
            if (refused) {
                Put(image, counts, 0);
                outcome.Fail(counts.address);
            } else {
                Put(image, counts, value);
            }
            break;
        }
        case Converter::Number: Put(image, std::get<layout::Byte>(row.place), StoredByte(c, field)); break;
        case Converter::Flag: StoreFlags(c, Rows(), row, image); break;
        case Converter::Identity: StoreIdentity(c, IdentityOfB, c.lists.DeviceNamesB, image); break;
        case Converter::IdentityPart: break;
        }
    }
    return outcome.Result();
}

} // namespace vorn
