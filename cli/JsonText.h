#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace vorn::cli {

// vornctl's JSON: keys in the order written.
using Json = nlohmann::ordered_json;

// File names, assignments and data files may hold any bytes: invalid UTF-8 is shown as U+FFFD
// instead of failing the command. indent -1: one line.
inline std::string JsonText(const Json& value, int indent = -1) {
    return value.dump(indent, ' ', false, Json::error_handler_t::replace);
}

} // namespace vorn::cli
