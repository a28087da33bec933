#pragma once

#include <memory>
#include <string>

class QTranslator;

namespace vorn::gui {

// Qt's own texts (the file dialogs, standard buttons, key names such as "Strg+" in the menus) in the
// language of the program's language file. Without Qt's translations on the system (Debian's
// qt6-translations-l10n) they stay English and the program works all the same.
class QtTranslations {
public:
    QtTranslations();
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    // The language of a language file named as "English-1033.lang" is; true when Qt's translation
    // for it was found (English needs none).
    bool Use(const std::string& languageFileName);

private:
    std::unique_ptr<QTranslator> translator_;
    bool installed_ = false;
};

} // namespace vorn::gui
