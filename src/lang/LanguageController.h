#pragma once

#include "base/CodeLists.h"
#include "lang/ListIni.h"
#include "view/ControlText.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The main window's language: choosing the file at start-up, applying it to the window (texts, code
// lists, drop-down lists, device buttons) and changing it from the language menu.
namespace vorn {

class FieldModel;
class DialogView;
class MainWindowView;

// The two fixed boxes of the start-up, shown before any language is loaded.
inline constexpr std::string_view NoLanguageFilesText =
    "No language files (*.lang) was found in COMMON APPDATA folder.\n\r"
    "Try re-install VORN programmer v2 or contact ORSK Electronics.";
inline constexpr std::string_view InstallLanguageNotFoundText =
    "The install language was not found.\n\r"
    "VORN Family Programmer will start in '%0:s'.\n\r"
    "Click File-Language to select other language(s).";

inline constexpr std::string_view LanguageChangedSection = "FILE";
inline constexpr std::string_view LanguageChangedKey = "STATUS-LANGUAGE_WAS_CHANGED_TO_NN";

// Stands in for the installer, which lays the language files down in the program-data folder: a
// shipped file that folder lacks is copied into it, and one that an earlier version laid down and
// nobody edited since is replaced by the shipped one (the stamp file records what was laid down).
// Files of the user's own are never touched. Returns the number of files copied.
inline constexpr std::string_view ShippedLanguagesStamp = ".shipped-languages";
int CopyShippedLanguageFiles(const std::string& installFolder, const std::string& programDataFolder);

// The language menu: one radio item per language file, checked when it is the current file.
std::vector<LanguageMenuItem> LanguageMenuItems(const std::vector<std::string>& languageFiles,
                                                std::string_view languageFileName);

// Rebuilds every code list the language provides: the list sections with the program's own items
// after them, HexDigits, ActionReferences and the three device-name lists. The band lists stay.
void BuildCodeLists(const ListIni& reader, CodeLists& lists);

// The captions, hints and shortcuts of the main window's catalogue in the loaded language.
std::vector<ControlText> CatalogueTexts(const ListIni& reader);
// The texts built with the locale's decimal separator: the unit caption of the relay pulse time.
std::vector<ControlText> DecimalSeparatorTexts(char32_t decimalSeparator);

struct DeviceButtonText {
    std::string control; // bbtnDevice_1 ... bbtnDevice_12
    std::string caption;
    int code = 0; // the product type that choosing the button selects
};

struct AppliedLanguage {
    std::vector<ControlText> texts;              // as handed to the view
    std::vector<DeviceButtonText> deviceButtons; // only buttons whose list has the right length
};

// What the controller needs of the rest of the main window. Each hook may be left empty.
struct LanguageHooks {
    ListIni* changeCodeReader = nullptr;                   // the change-ID-code dialog's reader
    std::function<void()> refreshOverflowHints;            // after the drop-down lists are refilled
    std::function<void()> updateCaption;                   // the window caption after a change
    std::function<void(const std::string&)> storeLanguage; // settings key "Language"
    std::function<void()> setActionListDirty;              // action descriptions in the new language
};

struct StartupLanguage {
    bool filesFound = false; // language files exist: the menu is built and "Language" is stored
    bool fallback = false;   // the stored or installer language was not found
};

class LanguageController {
public:
    LanguageController(ListIni& reader, CodeLists& lists, FieldModel& fields, DialogView& dialogs,
                       MainWindowView& window);

    void SetHooks(LanguageHooks hooks) { hooks_ = std::move(hooks); }
    void SetDecimalSeparator(char32_t separator) { decimalSeparator_ = separator; }

    // Start-up: lists the language files of the folder and chooses one, from the stored name, else
    // from the installer's language code (asked for only then; without a file of that code, a file of
    // the same language for another country), else falling back with a message;
    // builds the language menu and stores the choice. Without any language file it shows the
    // no-files box and leaves the menu disabled.
    StartupLanguage ChooseAtStartup(const std::string& folder, std::string_view storedLanguage,
                                    const std::function<std::string()>& installLanguageCode);

    // First show: the change-ID-code dialog's reader loads the chosen file, then the main window
    // applies it.
    AppliedLanguage ApplyAtFirstShow();

    // Loads the file and applies it to the whole main window.
    AppliedLanguage ApplyLanguage(const std::string& path);

    // A language menu item was chosen; false (nothing done) when the tag names no language file.
    bool ChangeLanguage(int tag);

    const std::vector<std::string>& LanguageFiles() const { return languageFiles_; }
    const std::string& LanguageFileName() const { return languageFileName_; }
    std::string LanguageFilePath() const { return reader_.Folder() + languageFileName_; }
    // The product type of each device button (index 0 is bbtnDevice_1) as the language last set it;
    // the catalogue's design codes until then.
    int DeviceButtonCode(std::size_t index) const;

private:
    ListIni& reader_;
    CodeLists& lists_;
    FieldModel& fields_;
    DialogView& dialogs_;
    MainWindowView& window_;
    LanguageHooks hooks_;
    char32_t decimalSeparator_ = '.';
    std::vector<std::string> languageFiles_;
    std::string languageFileName_;
    std::vector<int> deviceCodes_;
};

} // namespace vorn
