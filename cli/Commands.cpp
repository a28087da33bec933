#include "Commands.h"

#include "base/Utf8.h"
#include "files/DefaultConfigs.h"
#include "model/Catalogue.h"
#include "model/Conversion.h"
#include "model/ValueHelpers.h"
#include "platform/Files.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>

namespace vorn::cli {

namespace {

using Json = nlohmann::ordered_json;

std::string KindName(FieldKind kind) {
    switch (kind) {
    case FieldKind::Text: return "text";
    case FieldKind::Choice: return "choice";
    case FieldKind::Check: return "check";
    }
    return "";
}

Json FieldJson(CliContext& context, const Field& field) {
    Json value{{"kind", KindName(field.Kind())}, {"enabled", field.Enabled()}};
    switch (field.Kind()) {
    case FieldKind::Text: value["text"] = field.Text(); break;
    case FieldKind::Choice:
        value["index"] = field.Index();
        value["code"] = ShownCode(context.lists, field);
        value["text"] = field.Text();
        break;
    case FieldKind::Check: value["checked"] = field.Checked(); break;
    }
    return value;
}

// File names, assignments and data files may hold any bytes: invalid UTF-8 is shown as U+FFFD
// instead of failing the command.
std::string JsonText(const Json& value, int indent = -1) {
    return value.dump(indent, ' ', false, Json::error_handler_t::replace);
}

std::string Quoted(const std::string& text) {
    return JsonText(Json(text));
}

// Text from data files for the terminal: control characters escaped, so none of them reaches it.
std::string Printable(std::string_view text) {
    std::string shown;
    for (char32_t ch : DecodeUtf8(text)) {
        if (ch < 0x20 || ch == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(ch));
            shown += escaped;
        } else if (ch >= 0x80 && ch <= 0x9F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(ch));
            shown += escaped;
        } else {
            AppendUtf8(shown, ch);
        }
    }
    return shown;
}

std::string FieldLine(CliContext& context, const Field& field) {
    std::string line;
    switch (field.Kind()) {
    case FieldKind::Text: line = "text " + Quoted(field.Text()); break;
    case FieldKind::Choice:
        line = field.Index() < 0 ? "choice none"
                                 : "choice #" + std::to_string(ShownCode(context.lists, field)) + " " +
                                       Quoted(field.Text());
        break;
    case FieldKind::Check: line = field.Checked() ? "check on" : "check off"; break;
    }
    return field.Enabled() ? line : line + " (disabled)";
}

// The fields of the image's family in table order.
std::vector<const Field*> FamilyFields(CliContext& context, Family family) {
    std::vector<const Field*> fields;
    for (const FieldRow& row : FieldRowsOf(family)) {
        fields.push_back(&context.editor->Fields().Get(row.name));
    }
    return fields;
}

std::string ModelName(std::uint8_t productType) {
    const ProductInfo* product = FindProduct(productType);
    return product != nullptr ? std::string(product->model) : std::string();
}

std::string HexOf(std::uint8_t value) {
    return "0x" + HexByte(value);
}

void PrintMessages(const std::vector<std::string>& messages) {
    for (const std::string& message : messages) {
        std::fprintf(stderr, "vornctl: message: %s\n", message.c_str());
    }
}

// A field's value as shown, for comparing two configurations.
std::string ShownValue(CliContext& context, const Field& field) {
    return FieldLine(context, field);
}

std::map<std::string, Json> Snapshot(CliContext& context, Family family,
                                     std::map<std::string, std::string>& shown) {
    std::map<std::string, Json> values;
    for (const Field* field : FamilyFields(context, family)) {
        values[field->Name()] = FieldJson(context, *field);
        shown[field->Name()] = ShownValue(context, *field);
    }
    return values;
}

// A field's shown value in one file of a comparison; the field may belong to the other file's family.
std::string ShownOrAbsent(const std::map<std::string, std::string>& shown, const std::string& name) {
    const auto found = shown.find(name);
    return found == shown.end() ? "(no such field)" : found->second;
}

const ProductInfo& ParseModel(const std::string& text) {
    if (const ProductInfo* product = FindProductByModel(text)) {
        return *product;
    }
    try {
        std::size_t used = 0;
        const unsigned long code = std::stoul(text, &used, 0);
        if (used == text.size() && code <= 0xFF) {
            if (const ProductInfo* product = FindProduct(static_cast<std::uint8_t>(code))) {
                return *product;
            }
        }
    } catch (const std::exception&) {}
    throw CliError(ExitRefused, "unknown model: " + text + " (see vornctl models)");
}

// The digits of a "#CODE" as a number; nothing for other text and for numbers no code can be.
std::optional<int> CodeNumber(std::string_view digits) {
    int code = 0;
    const char* end = digits.data() + digits.size();
    const bool onlyDigits = !digits.empty() && std::all_of(digits.begin(), digits.end(),
                                                           [](char ch) { return ch >= '0' && ch <= '9'; });
    if (!onlyDigits) {
        return std::nullopt;
    }
    const auto [stop, error] = std::from_chars(digits.data(), end, code);
    if (error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return code;
}

// "#0, #1, #2": the codes a list field takes.
std::string CodesOf(const CodeList& list) {
    std::string codes;
    for (const std::string& item : list) {
        codes += (codes.empty() ? "#" : ", #") + std::to_string(CodeOfItem(item));
    }
    return codes.empty() ? "none" : codes;
}

// Applies one NAME=VALUE as the operator would; throws CliError naming the field and the message.
void Assign(CliContext& context, Family family, const std::string& assignment) {
    const auto eq = assignment.find('=');
    if (eq == std::string::npos || eq == 0) {
        throw CliError(ExitRefused, "not an assignment NAME=VALUE: " + assignment);
    }
    const std::string name = assignment.substr(0, eq);
    const std::string value = assignment.substr(eq + 1);
    FieldModel& fields = context.editor->Fields();
    const Field* field = fields.Find(name);
    if (field == nullptr) {
        throw CliError(ExitRefused, "unknown field: " + name);
    }
    if (FamilyOfField(name) != family) {
        throw CliError(ExitRefused, name + ": not a field of this model's family (" +
                                        std::string(FamilyName(family)) + ")");
    }
    if (!field->Enabled() || !field->Visible()) {
        throw CliError(ExitRefused, name + ": the field is disabled");
    }
    auto failOnMessage = [&] {
        const auto messages = context.view.TakeMessages();
        if (!messages.empty()) {
            throw CliError(ExitRefused, name + ": " + messages.front());
        }
    };
    context.view.TakeMessages();
    switch (field->Kind()) {
    case FieldKind::Text: {
        fields.Clear(name);
        failOnMessage();
        for (char32_t key : DecodeUtf8(value)) {
            const KeyResult result = fields.TypeKey(name, key);
            std::string typed;
            AppendUtf8(typed, key);
            if (result == KeyResult::Discarded) {
                throw CliError(ExitRefused, name + ": the key " + Quoted(typed) + " is not accepted");
            }
            if (result == KeyResult::TooLong) {
                throw CliError(ExitRefused,
                               name + ": at most " + std::to_string(field->MaxLength()) + " characters");
            }
            failOnMessage();
        }
        fields.Leave(name);
        failOnMessage();
        break;
    }
    case FieldKind::Choice: {
        int index = -1;
        if (value.size() > 1 && value.front() == '#') {
            const CodeList* list = ChoiceListOf(context.lists, name);
            const std::optional<int> code = CodeNumber(std::string_view(value).substr(1));
            index = list == nullptr || !code ? -1 : IndexOfCode(*list, *code);
            if (index < 0) {
                throw CliError(ExitRefused, name + ": the list has no item " + Quoted(value) +
                                                (list == nullptr ? "" : "; its codes are " + CodesOf(*list)));
            }
        } else {
            const auto& items = field->Items();
            const auto found = std::find(items.begin(), items.end(), value);
            index = found == items.end() ? -1 : static_cast<int>(found - items.begin());
        }
        if (index < 0 || !fields.Select(name, index)) {
            throw CliError(ExitRefused, name + ": the list has no item " + Quoted(value));
        }
        failOnMessage();
        break;
    }
    case FieldKind::Check: {
        if (value != "0" && value != "1") {
            throw CliError(ExitRefused, name + ": a check field takes 0 or 1, not " + Quoted(value));
        }
        if (field->Checked() != (value == "1")) {
            fields.Click(name);
        }
        failOnMessage();
        break;
    }
    }
}

} // namespace

int Show(CliContext& context, const std::string& file, bool json) {
    const ProgData::Bytes image = context.ReadImage(file, false);
    const std::uint8_t type = image[ProductTypeAddress];
    const Family family = FamilyOf(type);
    const int result = context.Load(image);
    const std::string message = context.ResultMessage(result, image);
    const auto messages = context.view.TakeMessages();
    if (json) {
        Json out{{"file", file},
                 {"productType", type},
                 {"family", family == Family::None ? Json(nullptr) : Json(std::string(FamilyName(family)))},
                 {"model", family == Family::None ? Json(nullptr) : Json(ModelName(type))},
                 {"result", result},
                 {"message", message},
                 {"messages", messages},
                 {"fields", Json::object()}};
        for (const Field* field : FamilyFields(context, family)) {
            out["fields"][field->Name()] = FieldJson(context, *field);
        }
        std::cout << JsonText(out, 2) << "\n";
    } else {
        std::cout << "file: " << file << "\n";
        std::cout << "product type: " << HexOf(type) << " (" << int(type) << ")";
        if (family != Family::None) {
            std::cout << ", model " << ModelName(type) << ", family " << FamilyName(family);
        }
        std::cout << "\n";
        for (const Field* field : FamilyFields(context, family)) {
            std::cout << field->Name() << ": " << FieldLine(context, *field) << "\n";
        }
        std::cout << "result: " << result << "\n";
        std::cout << "message: " << (message.empty() ? "none" : message) << "\n";
        PrintMessages(messages);
    }
    return result == ResultSuccess ? ExitSuccess : ExitFailed;
}

int Set(CliContext& context, const std::string& file, const std::vector<std::string>& assignments,
        const std::string& output) {
    ProgData data;
    data.Image = context.ReadImage(file, true);
    const Family family = FamilyOf(data.Image[ProductTypeAddress]);
    const int loaded = context.Load(data.Image);
    const auto loadMessages = context.view.TakeMessages();
    if (loaded != ResultSuccess) {
        throw CliError(ExitFailed, file + " does not convert: " + context.ResultMessage(loaded, data.Image));
    }
    if (!loadMessages.empty()) {
        throw CliError(ExitFailed, file + " does not convert cleanly: " + loadMessages.front());
    }
    for (const std::string& assignment : assignments) {
        Assign(context, family, assignment);
    }
    const int stored = context.editor->FieldsToImage(data.Image);
    if (stored != ResultSuccess) {
        throw CliError(ExitFailed, "the fields do not convert: " + context.ResultMessage(stored, data.Image));
    }
    const std::string target = output.empty() ? file : output;
    FileError error = FileError::None;
    if (!data.WriteImageFile(target, error)) {
        throw CliError(ExitFailed, "cannot write " + target + ": " + std::string(FileErrorText(error)));
    }
    return ExitSuccess;
}

int Diff(CliContext& context, const std::string& first, const std::string& second, bool json) {
    const ProgData::Bytes a = context.ReadImage(first, false);
    const ProgData::Bytes b = context.ReadImage(second, false);
    std::map<std::string, std::string> shownA;
    std::map<std::string, std::string> shownB;
    context.Load(a);
    auto valuesA = Snapshot(context, FamilyOf(a[ProductTypeAddress]), shownA);
    context.Load(b);
    auto valuesB = Snapshot(context, FamilyOf(b[ProductTypeAddress]), shownB);
    context.view.TakeMessages();

    std::set<std::string> names;
    for (const auto& [name, value] : shownA) {
        names.insert(name);
    }
    for (const auto& [name, value] : shownB) {
        names.insert(name);
    }
    // Table order of the fields, as show prints them.
    std::vector<std::string> ordered;
    for (Family family : {Family::A, Family::B, Family::C}) {
        for (const FieldRow& row : FieldRowsOf(family)) {
            if (names.count(row.name) != 0 &&
                ShownOrAbsent(shownA, row.name) != ShownOrAbsent(shownB, row.name)) {
                ordered.push_back(row.name);
            }
        }
    }
    Json out{{"a", first}, {"b", second}, {"fields", Json::object()}, {"bytes", Json::array()}};
    for (const std::string& name : ordered) {
        out["fields"][name] = {{"a", valuesA.count(name) ? valuesA[name] : Json(nullptr)},
                               {"b", valuesB.count(name) ? valuesB[name] : Json(nullptr)}};
    }
    for (int address = 0; address < ProgData::ImageSize; ++address) {
        if (a[address] != b[address]) {
            out["bytes"].push_back({{"address", address}, {"a", a[address]}, {"b", b[address]}});
        }
    }
    if (json) {
        std::cout << JsonText(out, 2) << "\n";
        return ExitSuccess;
    }
    for (const std::string& name : ordered) {
        std::cout << name << ": " << ShownOrAbsent(shownA, name) << " -> " << ShownOrAbsent(shownB, name)
                  << "\n";
    }
    for (const auto& entry : out["bytes"]) {
        const int address = entry["address"];
        std::cout << "byte " << address << ": " << HexOf(a[address]) << " -> " << HexOf(b[address]) << "\n";
    }
    if (ordered.empty() && out["bytes"].empty()) {
        std::cout << "no differences\n";
    }
    return ExitSuccess;
}

int New(CliContext& context, const std::string& model, const std::string& output) {
    const ProductInfo& product = ParseModel(model);
    const std::string source = RegionDefaultPath(context.installFolder, context.regionName, product);
    ProgData data;
    if (!data.ReadImageFile(source)) {
        throw CliError(ExitFailed, "no default configuration of " + std::string(product.model) +
                                       " for region " + context.regionName + " (" + source + ")");
    }
    FileError error = FileError::None;
    if (!data.WriteImageFile(output, error)) {
        throw CliError(ExitFailed, "cannot write " + output + ": " + std::string(FileErrorText(error)));
    }
    return ExitSuccess;
}

int Models(bool json) {
    Json out = Json::array();
    for (const ProductInfo& p : Catalogue) {
        out.push_back({{"model", p.model},
                       {"productType", p.productType},
                       {"family", FamilyName(p.family)},
                       {"button", p.button},
                       {"defaultFile", p.defaultFileName}});
        if (!json) {
            std::printf("%-11s %s (%3d)  family %s  %s\n", std::string(p.model).c_str(),
                        HexOf(p.productType).c_str(), p.productType,
                        std::string(FamilyName(p.family)).c_str(), std::string(p.defaultFileName).c_str());
        }
    }
    if (json) {
        std::cout << JsonText(out, 2) << "\n";
    }
    return ExitSuccess;
}

int Regions(CliContext& context, bool json) {
    Json out = Json::array();
    for (const std::string& item : context.lists.Regions) {
        const std::string name(NamePart(item));
        out.push_back({{"name", name},
                       {"text", std::string(ValuePart(item))},
                       {"current", name == context.regionName}});
        if (!json) {
            std::cout << (name == context.regionName ? "* " : "  ") << Printable(name) << "  "
                      << Printable(ValuePart(item)) << "\n";
        }
    }
    if (json) {
        std::cout << JsonText(out, 2) << "\n";
    }
    return ExitSuccess;
}

int Bands(CliContext& context, bool json) {
    Json out{{"region", context.regionName}, {"receive", Json::array()}, {"transmit", Json::array()}};
    for (const auto& [key, list] : {std::pair{"receive", &context.lists.ReceiveBands},
                                    std::pair{"transmit", &context.lists.TransmitBands}}) {
        if (!json) {
            std::cout << key << " bands of " << Printable(context.regionName) << ":\n";
        }
        for (const std::string& item : *list) {
            out[key].push_back({{"band", CodeOfItem(item)}, {"text", std::string(ValuePart(item))}});
            if (!json) {
                std::cout << "  " << CodeOfItem(item) << "  " << Printable(ValuePart(item)) << "\n";
            }
        }
    }
    if (json) {
        std::cout << JsonText(out, 2) << "\n";
    }
    return ExitSuccess;
}

int FinishOutput(int status) {
    errno = 0;
    std::cout.flush();
    const bool flushed = std::fflush(stdout) == 0;
    const int number = errno;
    if (flushed && !std::ferror(stdout) && std::cout.good()) {
        return status;
    }
    std::fprintf(stderr, "vornctl: cannot write to standard output%s%s\n", number != 0 ? ": " : "",
                 number != 0 ? std::strerror(number) : "");
    return status == ExitSuccess ? ExitFailed : status;
}

} // namespace vorn::cli
