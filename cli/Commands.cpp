#include "Commands.h"

#include "DidYouMean.h"
#include "JsonText.h"
#include "base/Utf8.h"
#include "files/BandLists.h"
#include "files/DefaultConfigs.h"
#include "lang/FieldCaption.h"
#include "model/BandSetting.h"
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

std::string Quoted(const std::string& text) {
    return JsonText(Json(text));
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

// A disabled field names what enables it: the rules of the editor's action and radio-event rows.
struct EnablingRule {
    std::string_view prefix; // the disabled field's name: prefix, row, suffix
    std::string_view suffix;
    std::string_view enablerPrefix; // the enabling field: its prefix, the same row, its suffix
    std::string_view enablerSuffix;
    std::string_view when;
};
constexpr EnablingRule EnablingRules[] = {
    {"cbbxRadioEvent_", "_UserType", "cbbxRadioEvent_", "_AlarmType",
     "an automatic position or any alarm type is chosen there"},
    {"cbAction_", "_Auto", "cbbxAction_", "_AlarmType", "an alarm type that transmits is chosen there"},
    {"edtAction_", "_RadioId", "cbAction_", "_Auto",
     "it is 0 (and the row's alarm type transmits); while it is 1 the unit's own code is used"},
};

std::string DisabledText(const std::string& name) {
    for (const EnablingRule& rule : EnablingRules) {
        if (name.size() > rule.prefix.size() + rule.suffix.size() && name.starts_with(rule.prefix) &&
            name.ends_with(rule.suffix)) {
            const std::string row =
                name.substr(rule.prefix.size(), name.size() - rule.prefix.size() - rule.suffix.size());
            return name + ": the field is disabled; " + std::string(rule.enablerPrefix) + row +
                   std::string(rule.enablerSuffix) + " enables it when " + std::string(rule.when);
        }
    }
    return name + ": the field is disabled; the program fills it itself (vornctl show lists it)";
}

// The names of the fields of a family, for suggestions.
std::vector<std::string> FieldNames(Family family) {
    std::vector<std::string> names;
    for (const FieldRow& row : FieldRowsOf(family)) {
        names.emplace_back(row.name);
    }
    return names;
}

// "; its items are "A", "B"" for a refused list value, with the closest ones first when any are close.
std::string ItemsHint(const std::string& value, const std::vector<std::string>& items) {
    std::string hint = DidYouMean(value, items);
    std::string all;
    for (const std::string& item : items) {
        all += (all.empty() ? "" : ", ") + Quoted(item);
    }
    return hint + (hint.empty() ? "; its items are " : " Its items are ") + (all.empty() ? "none" : all);
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
        throw CliError(ExitRefused, "unknown field: " + EscapeControlCharacters(name) +
                                        DidYouMean(name, FieldNames(family)) +
                                        " (vornctl show FILE lists them)");
    }
    if (FamilyOfField(name) != family) {
        throw CliError(ExitRefused, name + ": not a field of this model's family (" +
                                        std::string(FamilyName(family)) + ")");
    }
    if (!field->Enabled() || !field->Visible()) {
        throw CliError(ExitRefused, DisabledText(name));
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
                                                (list == nullptr ? "" : "; its codes are " + CodesOf(*list)) +
                                                ItemsHint(value.substr(1), field->Items()));
            }
        } else {
            const auto& items = field->Items();
            const auto found = std::find(items.begin(), items.end(), value);
            index = found == items.end() ? -1 : static_cast<int>(found - items.begin());
        }
        if (index < 0 || !fields.Select(name, index)) {
            throw CliError(ExitRefused, name + ": the list has no item " + Quoted(value) +
                                            ItemsHint(value, field->Items()));
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

// When the file's band is not one of the region's, which regions have it and how to use one: the
// conversion error alone does not say that the region is the cause.
std::string BandHint(CliContext& context, const ProgData::Bytes& image) {
    const std::uint8_t type = image[ProductTypeAddress];
    const std::optional<std::uint8_t> band = BandSetting(type, image);
    if (!band || IndexOfCode(context.lists.ReceiveBands, *band) >= 0) {
        return {};
    }
    const Registry registry = context.controller.InstalledRegistry();
    std::vector<std::string> holders;
    for (const std::string& item : context.lists.Regions) {
        const std::string name(NamePart(item));
        const auto region = RegionName::Check(name);
        if (!region || name == context.regionName) {
            continue;
        }
        CodeLists lists;
        TraceSink trace;
        LoadBandLists(registry, *region, lists, trace);
        if (IndexOfCode(lists.ReceiveBands, *band) >= 0) {
            holders.push_back(name);
        }
    }
    std::string hint = "the file's band " + std::to_string(*band) + " is not a receive band of region " +
                       EscapeControlCharacters(context.regionName);
    if (holders.empty()) {
        return hint + ", nor of any other region of the language file";
    }
    std::string names;
    for (const std::string& name : holders) {
        names += (names.empty() ? "" : ", ") + EscapeControlCharacters(name);
    }
    const std::string first = EscapeControlCharacters(holders.front());
    return hint + "; the bands of " + (holders.size() == 1 ? "region " : "regions ") + names +
           " hold it: add --region " + first + " to this command, or switch with vornctl region " + first;
}

// What a conversion result means, for show's text.
std::string ResultText(ConversionResult result, const std::string& message) {
    if (result.Succeeded()) {
        return "the file converts into the editor without errors";
    }
    if (result.NoFamily()) {
        return "the product type is not one of a known model" + (message.empty() ? "" : ": " + message);
    }
    if (result.FirmwareRefused()) {
        return "the firmware version is not one the program takes" + (message.empty() ? "" : ": " + message);
    }
    return "conversion error at byte " + std::to_string(result.Value()) +
           (message.empty() ? "" : ": " + message);
}

// An image to a file, or to standard output for "-".
void WriteOutput(const ProgData& data, const std::string& target) {
    if (target == "-") {
        std::cout.write(reinterpret_cast<const char*>(data.Image.data()),
                        static_cast<std::streamsize>(data.Image.size()));
        return;
    }
    FileError error = FileError::None;
    if (!data.WriteImageFile(target, error)) {
        throw CliError(ExitFailed, "cannot write " + target + ": " + std::string(FileErrorText(error)));
    }
}

} // namespace

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
    std::vector<std::string> names;
    for (const ProductInfo& product : Catalogue) {
        names.emplace_back(product.model);
    }
    throw CliError(ExitRefused, "unknown model: " + EscapeControlCharacters(text) + DidYouMean(text, names) +
                                    " (see vornctl models)");
}

int Show(CliContext& context, const std::string& file, bool json) {
    const ProgData::Bytes image = context.ReadImage(file, false);
    const std::uint8_t type = image[ProductTypeAddress];
    const Family family = FamilyOf(type);
    const ConversionResult result = context.Load(image);
    const std::string message = context.ResultMessage(result, image);
    const auto messages = context.view.TakeMessages();
    if (json) {
        Json out{{"file", file},
                 {"productType", type},
                 {"family", family == Family::None ? Json(nullptr) : Json(std::string(FamilyName(family)))},
                 {"model", family == Family::None ? Json(nullptr) : Json(ModelName(type))},
                 {"result", result.Value()},
                 {"message", message},
                 {"messages", messages},
                 {"fields", Json::object()}};
        for (const Field* field : FamilyFields(context, family)) {
            Json value = FieldJson(context, *field);
            value["label"] = FieldCaption(context.texts, field->Name());
            out["fields"][field->Name()] = std::move(value);
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
            const std::string label = FieldCaption(context.texts, field->Name());
            std::cout << field->Name() << ": " << FieldLine(context, *field)
                      << (label.empty() ? "" : "  # " + label) << "\n";
        }
        std::cout << "result: " << ResultText(result, message) << "\n";
        PrintMessages(messages);
    }
    if (!result.Succeeded()) {
        if (const std::string hint = BandHint(context, image); !hint.empty()) {
            std::fprintf(stderr, "vornctl: %s\n", hint.c_str());
        }
    }
    return result.Succeeded() ? ExitSuccess : ExitFailed;
}

int Sheet(CliContext& context, const std::string& file, const std::string& output) {
    // The size checks and messages of every file command, then the load of File > Open....
    const ProgData::Bytes image = context.ReadImage(file, false);
    const bool loaded = context.controller.LoadConfigFile(file);
    const auto messages = context.view.TakeMessages();
    if (!loaded || !messages.empty()) {
        const std::string hint = BandHint(context, image);
        throw CliError(ExitFailed,
                       file + " does not convert: " +
                           (messages.empty() ? std::string("it cannot be read") : messages.front()) +
                           (hint.empty() ? "" : "\nvornctl: " + hint));
    }
    context.ShowActionDescriptions(image);
    const std::string html = context.controller.ConfigurationSheet().html;
    if (output == "-") {
        std::cout << html;
    } else if (FileError error = FileError::None;
               !WriteFileAtomically(output, html.data(), html.size(), error)) {
        throw CliError(ExitFailed, "cannot write " + output + ": " + std::string(FileErrorText(error)));
    }
    return ExitSuccess;
}

int Set(CliContext& context, const std::string& file, const std::vector<std::string>& assignments,
        const std::string& output) {
    ProgData data;
    data.Image = context.ReadImage(file, true);
    const Family family = FamilyOf(data.Image[ProductTypeAddress]);
    const ConversionResult loaded = context.Load(data.Image);
    const auto loadMessages = context.view.TakeMessages();
    if (!loaded.Succeeded()) {
        const std::string hint = BandHint(context, data.Image);
        throw CliError(ExitFailed, file + " does not convert: " + context.ResultMessage(loaded, data.Image) +
                                       (hint.empty() ? "" : "\nvornctl: " + hint));
    }
    if (!loadMessages.empty()) {
        throw CliError(ExitFailed, file + " does not convert cleanly: " + loadMessages.front());
    }
    for (const std::string& assignment : assignments) {
        Assign(context, family, assignment);
    }
    const StoreReport stored = context.editor->StoreFields(data.Image);
    const auto names = [](const std::vector<std::string>& fields) {
        std::string joined;
        for (const std::string& field : fields) {
            joined += (joined.empty() ? "" : ", ") + field;
        }
        return joined;
    };
    if (!stored.unstorable.empty()) {
        throw CliError(ExitRefused, names(stored.unstorable) + ": a value the configuration cannot store");
    }
    if (!stored.result.Succeeded()) {
        throw CliError(ExitFailed,
                       "the fields do not convert: " + context.ResultMessage(stored.result, data.Image));
    }
    WriteOutput(data, output.empty() ? file : output);
    if (!stored.shownOtherwise.empty()) {
        // Not an error: the file holds them in its own form (an empty radio ID code as automatic, say).
        std::fprintf(stderr, "vornctl: stored as the file holds them (vornctl show prints them so): %s\n",
                     names(stored.shownOtherwise).c_str());
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
    // As diff(1): 0 for the same, 1 for files that differ.
    const int status = ordered.empty() && out["bytes"].empty() ? ExitSuccess : ExitDifferent;
    if (json) {
        std::cout << JsonText(out, 2) << "\n";
        return status;
    }
    for (const std::string& name : ordered) {
        std::cout << name << ": " << ShownOrAbsent(shownA, name) << " -> " << ShownOrAbsent(shownB, name)
                  << "\n";
    }
    for (const auto& entry : out["bytes"]) {
        const int address = entry["address"];
        std::cout << "byte " << address << ": " << HexOf(a[address]) << " -> " << HexOf(b[address]) << "\n";
    }
    if (status == ExitSuccess) {
        std::cout << "no differences\n";
    }
    return status;
}

int ChooseRegion(CliContext& context, const std::string& name) {
    ProgramController& controller = context.controller;
    RegionChooser& chooser = context.regionChooser;
    const auto refused = [&] {
        return CliError(ExitRefused,
                        "unknown region: " + EscapeControlCharacters(name) +
                            DidYouMean(name,
                                       [&] {
                                           std::vector<std::string> names;
                                           for (const std::string& item : context.lists.Regions) {
                                               names.emplace_back(NamePart(item));
                                           }
                                           return names;
                                       }()) +
                            " (see vornctl regions)");
    };
    if (IndexOfName(context.lists.Regions, name) < 0 && NameOfText(context.lists.Regions, name).empty()) {
        throw refused();
    }
    // The first start has asked already (and chosen this region) when the settings held none.
    if (!chooser.shown) {
        controller.mnuFileSelectNewRegionClick();
    }
    const std::string wanted =
        IndexOfName(context.lists.Regions, name) >= 0 ? name : NameOfText(context.lists.Regions, name);
    // What the settings file holds now, not what this run keeps in memory: a region that was not
    // stored is not chosen.
    SettingsFile onDisk;
    onDisk.Open(controller.Settings().Path(), SettingsFile::Access::ReadOnly);
    const std::string stored = onDisk.Read(RegionSettingsKey);
    if (const FileError error = controller.Settings().LastWriteError(); error != FileError::None) {
        // The window's message about it says the same in the language's words.
        throw CliError(ExitFailed, "the region " + EscapeControlCharacters(wanted) +
                                       " was not stored: cannot write " + controller.Settings().Path() +
                                       ": " + std::string(FileErrorText(error)));
    }
    const auto messages = chooser.TakeMessages();
    for (const std::string& message : messages) {
        std::fprintf(stderr, "vornctl: %s\n", message.c_str());
    }
    if (stored != wanted) {
        throw CliError(ExitFailed,
                       "the region stays " +
                           (stored.empty() ? std::string("unset") : EscapeControlCharacters(stored)) +
                           ": the default configurations of " + EscapeControlCharacters(wanted) +
                           " could not be copied into " + controller.Folders().config);
    }
    std::cout << "region: " << EscapeControlCharacters(stored) << " (default configurations in "
              << controller.Folders().config << ", settings " << controller.Settings().Path() << ")\n";
    return ExitSuccess;
}

int New(CliContext& context, const std::string& model, const std::string& output) {
    const ProductInfo& product = ParseModel(model);
    const std::string source = RegionDefaultPath(context.installFolder, context.Region(), product);
    ProgData data;
    if (!data.ReadImageFile(source)) {
        throw CliError(ExitFailed, "no default configuration of " + std::string(product.model) +
                                       " for region " + context.regionName + " (" + source + ")");
    }
    WriteOutput(data, output);
    return ExitSuccess;
}

int Models(bool json) {
    Json out = Json::array();
    int position = 0;
    for (const ProductInfo& p : Catalogue) {
        // The device page's control names are the window's business: a script gets the button's place.
        out.push_back({{"model", p.model},
                       {"productType", p.productType},
                       {"family", FamilyName(p.family)},
                       {"devicePagePosition", ++position},
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
    // The list is how a bad stored region gets fixed, so it is shown all the same.
    if (const std::string problem = context.RegionProblem(); !problem.empty()) {
        std::fprintf(stderr, "vornctl: note: %s\n", problem.c_str());
    }
    Json out = Json::array();
    for (const std::string& item : context.lists.Regions) {
        const std::string name(NamePart(item));
        out.push_back({{"name", name},
                       {"text", std::string(ValuePart(item))},
                       {"current", name == context.regionName}});
        if (!json) {
            std::cout << (name == context.regionName ? "* " : "  ") << EscapeControlCharacters(name) << "  "
                      << EscapeControlCharacters(ValuePart(item)) << "\n";
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
            std::cout << key << " bands of " << EscapeControlCharacters(context.regionName) << ":\n";
        }
        for (const std::string& item : *list) {
            out[key].push_back({{"band", CodeOfItem(item)}, {"text", std::string(ValuePart(item))}});
            if (!json) {
                std::cout << "  " << CodeOfItem(item) << "  " << EscapeControlCharacters(ValuePart(item))
                          << "\n";
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
