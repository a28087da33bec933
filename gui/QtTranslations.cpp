#include "gui/QtTranslations.h"

#include "platform/Locale.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vorn::gui {

namespace {

// The number between the last "-" and the first "." after it: 1031 of "Deutsch-1031.lang".
int LanguageCodeOfFile(const std::string& fileName) {
    const auto dash = fileName.rfind('-');
    if (dash == std::string::npos) {
        return 0;
    }
    int code = 0;
    for (std::size_t i = dash + 1; i < fileName.size() && fileName[i] >= '0' && fileName[i] <= '9'; ++i) {
        code = code * 10 + (fileName[i] - '0');
        if (code > 0xFFFF) {
            return 0;
        }
    }
    return code;
}

} // namespace

QtTranslations::QtTranslations() : translator_(std::make_unique<QTranslator>()) {}

QtTranslations::~QtTranslations() {
    if (installed_) {
        QCoreApplication::removeTranslator(translator_.get());
    }
}

bool QtTranslations::Use(const std::string& languageFileName) {
    if (installed_) {
        QCoreApplication::removeTranslator(translator_.get());
        installed_ = false;
    }
    const std::string locale = LocaleOfLanguageCode(LanguageCodeOfFile(languageFileName));
    if (locale.empty()) {
        return false;
    }
    const QLocale language(QString::fromStdString(locale));
    if (language.language() == QLocale::English) {
        return true;
    }
    if (!translator_->load(language, QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false;
    }
    installed_ = QCoreApplication::installTranslator(translator_.get());
    return installed_;
}

} // namespace vorn::gui
