#include "files/BackupsDialog.h"

#include "lang/TextFormat.h"
#include "platform/System.h"

#include <algorithm>
#include <cstdio>

namespace vorn {

namespace {

constexpr std::string_view Section = "BACKUPS";

} // namespace

BackupsDialog::BackupsDialog() {
    fields_.Add({.name = std::string(SerialFilterField),
                 .kind = FieldKind::Text,
                 .maxLength = 8,
                 .keyFilter = KeyFilterKind::Number});
    fields_.On(SerialFilterField, FieldEvent::Change, [this](const Field&) { Filter(); });
}

std::string BackupsDialog::LocalTime(std::string_view utc) {
    std::tm parts{};
    if (utc.size() != 20 ||
        std::sscanf(std::string(utc).c_str(), "%4d-%2d-%2dT%2d:%2d:%2dZ", &parts.tm_year, &parts.tm_mon,
                    &parts.tm_mday, &parts.tm_hour, &parts.tm_min, &parts.tm_sec) != 6) {
        return std::string(utc);
    }
    parts.tm_year -= 1900;
    parts.tm_mon -= 1;
    const std::tm local = vorn::LocalTime(FromUtc(parts));
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

void BackupsDialog::Prepare(const ListIni& texts, const BackupStore& store) {
    caption_ = texts.Text(Section, "TITLE-DEVICE_BACKUPS");
    headers_ = {texts.Text(Section, "HEADER-MODEL"), texts.Text(Section, "HEADER-SERIAL_NUMBER"),
                texts.Text(Section, "HEADER-TIME")};
    std::string error;
    const std::vector<BackupEntry> entries = store.List(std::nullopt, error);
    all_.clear();
    // Newest first; the store lists the oldest first.
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        all_.push_back({entry->model, std::to_string(entry->serial), LocalTime(entry->time), entry->path});
    }
    std::string note;
    if (!error.empty()) {
        note = FormatText(texts.Text(Section, "LABEL-FOLDER_NOT_READ_NN"), {error});
    } else if (all_.empty()) {
        note = texts.Text(Section, "LABEL-NO_BACKUPS");
    } else {
        note = FormatText(texts.Text(Section, "LABEL-KEPT_IN_NN"), {store.Folder()});
    }
    controlTexts_ = {
        {"lblBackupsSerialFilter", ControlProperty::Caption,
         texts.Text(Section, "LABEL-FILTER_SERIAL_NUMBER")},
        {"lblBackupsNote", ControlProperty::Caption, note},
        {"btnBackupsOpen", ControlProperty::Caption, texts.Text(Section, "BUTTON-OPEN")},
        {"btnBackupsClose", ControlProperty::Caption, texts.Text("COMMON", "BUTTON-CLOSE")},
    };
    Filter();
}

void BackupsDialog::Filter() {
    const std::string& digits = fields_.Get(SerialFilterField).Text();
    shown_.clear();
    std::copy_if(all_.begin(), all_.end(), std::back_inserter(shown_),
                 [&digits](const Row& row) { return row.serial.starts_with(digits); });
    selected_ = shown_.empty() ? -1 : 0;
    Notify();
}

void BackupsDialog::Select(int row) {
    selected_ = row >= 0 && row < static_cast<int>(shown_.size()) ? row : -1;
    Notify();
}

std::string BackupsDialog::SelectedPath() const {
    return selected_ >= 0 ? shown_[static_cast<std::size_t>(selected_)].path : std::string();
}

void BackupsDialog::FormShow() {
    Open();
    fields_.SetFocus(SerialFilterField);
    Notify();
}

void BackupsDialog::btnBackupsOpenClick() {
    if (OpenEnabled()) {
        Finish(ResultOpen);
    }
}

void BackupsDialog::btnBackupsCloseClick() {
    Finish(ResultClose);
}

} // namespace vorn
