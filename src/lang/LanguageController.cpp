#include "lang/LanguageController.h"

#include "base/NumberText.h"
#include "base/Utf8.h"
#include "lang/Shortcut.h"
#include "lang/TextCatalogue.h"
#include "lang/TextFormat.h"
#include "model/Catalogue.h"
#include "model/Conversion.h"
#include "model/FamilyAMap.h"
#include "model/FieldModel.h"
#include "platform/Files.h"
#include "platform/Locale.h"
#include "view/DialogView.h"
#include "view/MainWindowView.h"

#include <cstdint>
#include <map>

namespace vorn {

namespace {

constexpr std::string_view HexDigitTexts = "0123456789ABCDEF";

std::string WithSeparator(std::string_view pattern, char32_t separator) {
    std::string sep;
    AppendUtf8(sep, separator);
    std::string out;
    for (const char c : pattern) {
        if (c == '#') {
            out += sep;
        } else {
            out += c;
        }
    }
    return out;
}

// The first file whose language code (between the name's first "-" and first ".") is of the same
// language as the code, for another country: Spanish of Chile for Spain, French of France for Belgium.
std::string FileOfSameLanguage(const std::vector<std::string>& files, std::string_view code) {
    const int language = LanguageOfCode(IntOrZero(code));
    if (language == 0) {
        return {};
    }
    for (const std::string& file : files) {
        const std::string_view name = std::string_view(file).substr(0, file.find('.'));
        const std::size_t dash = name.find('-');
        if (dash != std::string_view::npos && LanguageOfCode(IntOrZero(name.substr(dash + 1))) == language) {
            return file;
        }
    }
    return {};
}

// FNV-1a: tells whether a copy is still the file that was laid down, not a secure digest.
std::string Fingerprint(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : bytes) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    }
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4) {
        text[static_cast<std::size_t>(i)] = HexDigitTexts[hash & 0xF];
    }
    return text;
}

} // namespace

int CopyShippedLanguageFiles(const std::string& installFolder, const std::string& programDataFolder) {
    ListIni source;
    source.SetFolder(installFolder);
    std::vector<std::string> shipped;
    source.ListLanguageFiles(shipped);
    ListIni target;
    target.SetFolder(programDataFolder);
    const std::string stampPath = target.Folder() + std::string(ShippedLanguagesStamp);
    const auto stampText = ReadWholeFile(stampPath, MaxLanguageFileBytes);
    std::map<std::string, std::string, std::less<>> laidDown; // file name -> fingerprint
    if (stampText) {
        std::size_t start = 0;
        while (start < stampText->size()) {
            std::size_t end = stampText->find('\n', start);
            if (end == std::string::npos) {
                end = stampText->size();
            }
            const std::string_view line = std::string_view(*stampText).substr(start, end - start);
            if (line.size() > 17 && line[16] == ' ') {
                laidDown[std::string(line.substr(17))] = std::string(line.substr(0, 16));
            }
            start = end + 1;
        }
    }
    int copied = 0;
    bool changed = !stampText;
    for (const auto& name : shipped) {
        const auto bytes = ReadWholeFile(source.Folder() + name, MaxLanguageFileBytes);
        if (!bytes) {
            continue;
        }
        const std::string fresh = Fingerprint(*bytes);
        // A copy that cannot be read (too large, say) is still there: it is not replaced unseen.
        const bool present = FileExists(target.Folder() + name);
        const auto copy =
            present ? ReadWholeFile(target.Folder() + name, MaxLanguageFileBytes) : std::nullopt;
        const std::string current = copy ? Fingerprint(*copy) : std::string();
        const auto recorded = laidDown.find(name);
        // An upgrade replaces what an earlier one laid down, as an installer would; a file the user
        // has edited since stays theirs. Before this record existed every copy counts as laid down.
        const bool ours = !stampText || (recorded != laidDown.end() && recorded->second == current);
        if (present && (current == fresh || !ours)) {
            if (current == fresh && (recorded == laidDown.end() || recorded->second != fresh)) {
                laidDown[name] = fresh;
                changed = true;
            }
            continue;
        }
        if (WriteFileAtomically(target.Folder() + name, *bytes)) {
            laidDown[name] = fresh;
            changed = true;
            ++copied;
        }
    }
    if (changed) {
        std::string stamp;
        for (const auto& [name, fingerprint] : laidDown) {
            stamp += fingerprint + ' ' + name + '\n';
        }
        WriteFileAtomically(stampPath, stamp);
    }
    return copied;
}

std::vector<LanguageMenuItem> LanguageMenuItems(const std::vector<std::string>& languageFiles,
                                                std::string_view languageFileName) {
    std::vector<LanguageMenuItem> items;
    for (std::size_t i = 0; i < languageFiles.size(); ++i) {
        const int tag = static_cast<int>(i);
        items.push_back({FormatText("Language_%i", {tag}), LanguageDisplayName(languageFiles[i]), tag,
                         languageFiles[i] == languageFileName});
    }
    return items;
}

void BuildCodeLists(const ListIni& reader, CodeLists& lists) {
    for (const auto& row : ListSections()) {
        reader.ReadList(row.section, lists.*row.list);
    }
    for (const auto& row : AddedItems()) {
        (lists.*row.list).push_back(MakeItem(row.code, reader.Text(row.section, row.key)));
    }
    lists.HexDigits.clear();
    for (int i = 0; i < 16; ++i) {
        lists.HexDigits.push_back(MakeItem(i, HexDigitTexts.substr(static_cast<std::size_t>(i), 1)));
    }
    // Until the action descriptions are built, an action reference shows its number.
    lists.ActionReferences.clear();
    for (int i = 0; i < FamilyAMap::ActionCount; ++i) {
        lists.ActionReferences.push_back(MakeItem(i, " " + std::to_string(i + 1) + "."));
    }
    lists.ActionReferences.push_back(
        MakeItem(FamilyAMap::NoActionReference, reader.Text("COMMON", "TEXT-NO_ACTION")));
    for (const auto& row : DeviceNameLists()) {
        CodeList& list = lists.*row.list;
        list.clear();
        for (int key = row.firstKey; key <= row.lastKey; ++key) {
            list.push_back(reader.Text(DevicesSection, std::to_string(key)));
        }
    }
}

std::vector<ControlText> CatalogueTexts(const ListIni& reader) {
    std::vector<ControlText> texts;
    for (const auto& key : MainWindowTextKeys()) {
        std::string text = reader.Text(key.section, key.key);
        if (key.property == ControlProperty::Shortcut) {
            text = NormaliseShortcut(text);
        }
        texts.push_back({key.control, key.property, std::move(text)});
    }
    return texts;
}

std::vector<ControlText> DecimalSeparatorTexts(char32_t decimalSeparator) {
    // The pulse-time masks reach the view through their fields (Field::InputMask), set by the editor.
    return {
        {"lblGOFA_RelayPulseTimeUnit", ControlProperty::Caption,
         WithSeparator("(0#1-6553#5s)", decimalSeparator)},
    };
}

LanguageController::LanguageController(ListIni& reader, CodeLists& lists, FieldModel& fields,
                                       DialogView& dialogs, MainWindowView& window)
    : reader_(reader), lists_(lists), fields_(fields), dialogs_(dialogs), window_(window) {
    for (const auto& product : Catalogue) {
        deviceCodes_.push_back(product.productType);
    }
}

StartupLanguage LanguageController::ChooseAtStartup(const std::string& folder,
                                                    std::string_view storedLanguage,
                                                    const std::function<std::string()>& installLanguageCode) {
    reader_.SetFolder(folder);
    reader_.ListLanguageFiles(languageFiles_);
    if (languageFiles_.empty()) {
        languageFileName_.clear();
        dialogs_.ShowStandardMessage(MessageIcon::Error, std::string(NoLanguageFilesText));
        window_.SetLanguageMenu({}, false);
        return {};
    }
    std::string wanted(storedLanguage);
    if (wanted.empty() && installLanguageCode) {
        const std::string code = installLanguageCode();
        const std::size_t length = Utf8Length(code);
        if (length == 4 || length == 5) {
            wanted = FindContaining(languageFiles_, "-" + code + ".");
            if (wanted.empty()) {
                wanted = FileOfSameLanguage(languageFiles_, code);
            }
        }
    }
    const LanguageChoice choice = ListIni::ChooseLanguageFile(languageFiles_, wanted);
    languageFileName_ = choice.name;
    if (choice.fallback) {
        dialogs_.ShowStandardMessage(
            MessageIcon::Information,
            FormatText(InstallLanguageNotFoundText, {LanguageDisplayName(languageFileName_)}));
    }
    window_.SetLanguageMenu(LanguageMenuItems(languageFiles_, languageFileName_), true);
    if (hooks_.storeLanguage) {
        hooks_.storeLanguage(languageFileName_);
    }
    return {true, choice.fallback};
}

AppliedLanguage LanguageController::ApplyAtFirstShow() {
    const std::string path = LanguageFilePath();
    if (hooks_.changeCodeReader != nullptr) {
        hooks_.changeCodeReader->LoadFile(path);
    }
    return ApplyLanguage(path);
}

AppliedLanguage LanguageController::ApplyLanguage(const std::string& path) {
    reader_.LoadFile(path);
    AppliedLanguage applied;
    applied.texts = CatalogueTexts(reader_);
    for (auto& text : DecimalSeparatorTexts(decimalSeparator_)) {
        applied.texts.push_back(std::move(text));
    }
    BuildCodeLists(reader_, lists_);
    for (const Family family : {Family::A, Family::B, Family::C}) {
        for (const FieldRow& row : FieldRowsOf(family)) {
            if (FilledByLanguage(row)) {
                FillDropDown(fields_, row.name, DisplayTexts(lists_.*row.list));
            }
        }
    }
    for (const auto& row : DeviceNameLists()) {
        const CodeList& list = lists_.*row.list;
        if (list.size() != static_cast<std::size_t>(row.lastKey - row.firstKey + 1)) {
            continue;
        }
        for (std::size_t i = 0; i < list.size(); ++i) {
            const int button = row.firstKey + static_cast<int>(i);
            DeviceButtonText text{"bbtnDevice_" + std::to_string(button), std::string(ValuePart(list[i])), 0};
            // Two models of the same name both get the code of the first of them.
            text.code = CodeOfText(list, text.caption);
            deviceCodes_[static_cast<std::size_t>(button - 1)] = text.code;
            applied.texts.push_back({text.control, ControlProperty::Caption, text.caption});
            applied.deviceButtons.push_back(std::move(text));
        }
    }
    window_.ApplyControlTexts(applied.texts);
    if (hooks_.refreshOverflowHints) {
        hooks_.refreshOverflowHints();
    }
    return applied;
}

bool LanguageController::ChangeLanguage(int tag) {
    if (tag < 0 || static_cast<std::size_t>(tag) >= languageFiles_.size()) {
        return false;
    }
    const std::string name = languageFiles_[static_cast<std::size_t>(tag)];
    const std::string display = LanguageDisplayName(name);
    window_.CheckLanguageMenuItem(tag);
    languageFileName_ = name;
    const std::string path = reader_.Folder() + name;
    ApplyLanguage(path);
    if (hooks_.changeCodeReader != nullptr) {
        hooks_.changeCodeReader->LoadFile(path);
    }
    if (hooks_.updateCaption) {
        hooks_.updateCaption();
    }
    if (hooks_.storeLanguage) {
        hooks_.storeLanguage(name);
    }
    window_.SetStatusText(FormatText(reader_.Text(LanguageChangedSection, LanguageChangedKey), {display}));
    if (hooks_.setActionListDirty) {
        hooks_.setActionListDirty();
    }
    return true;
}

int LanguageController::DeviceButtonCode(std::size_t index) const {
    return index < deviceCodes_.size() ? deviceCodes_[index] : 0;
}

} // namespace vorn
