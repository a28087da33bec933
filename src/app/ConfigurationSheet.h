#pragma once

#include "model/Catalogue.h"
#include "model/ProgData.h"

#include <cstdint>
#include <string>
#include <vector>

// The configuration sheet: a record of a configuration to hand over with the device. It shows the
// model, the serial number, the file, the date and every field of the editor pages as label and
// value, grouped as the pages group them, in the current language. It is HTML, so the window can
// render it to PDF or a printer and vornctl can write it as it is.
namespace vorn {

class FieldModel;
class ListIni;

struct SheetInput {
    const ListIni& texts;
    const FieldModel& fields; // the editor, holding the configuration
    ProgData::Bytes image;    // the configuration (its model and serial number)
    std::string model;        // the model's product name in the current language
    std::string file;         // the file's name, or what the configuration came from
    std::string date;         // the day the sheet is made, YYYY-MM-DD
    std::string pictureUri;   // the model's picture; empty: the model's name stands in
};

std::string ConfigurationSheetHtml(const SheetInput& input);

// A picture as a data: URI, for a document that carries its pictures inside.
std::string DataUri(const std::string& mediaType, const std::vector<std::uint8_t>& bytes);

} // namespace vorn
