#pragma once

#include "files/BackupStore.h"
#include "lang/ListIni.h"
#include "model/FieldModel.h"
#include "view/ControlText.h"
#include "view/ModalState.h"
#include "view/ModalView.h"

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

// The backups window's logic (TfrmBackups): the configurations kept from devices, newest first, by
// model, serial number and time, narrowed to the serial numbers that begin with the digits typed into
// the filter field; the chosen one opens as a configuration of its own.
namespace vorn {

class BackupsDialog : public ModalState {
public:
    static constexpr std::string_view SerialFilterField = "edtBackupsSerialFilter";
    static constexpr int ResultOpen = 1;
    static constexpr int ResultClose = 2;

    struct Row {
        std::string model;
        std::string serial;
        std::string time; // local time, "2024-05-01 14:00:00"
        std::string path;
    };

    BackupsDialog();
    BackupsDialog(const BackupsDialog&) = delete;
    BackupsDialog& operator=(const BackupsDialog&) = delete;

    // The texts of the current language and the store's backups; the filter keeps its digits.
    void Prepare(const ListIni& texts, const BackupStore& store);

    const std::string& Caption() const { return caption_; }
    // lblBackupsSerialFilter, lblBackupsNote, btnBackupsOpen and btnBackupsClose.
    const std::vector<ControlText>& ControlTexts() const { return controlTexts_; }
    // The list's column headers: model, serial number, time.
    const std::vector<std::string>& Headers() const { return headers_; }
    // The filter field (digits only).
    FieldModel& Fields() { return fields_; }
    // The backups the filter lets through, newest first.
    const std::vector<Row>& Rows() const { return shown_; }

    // The row chosen in the list (-1: none); Open is enabled while one is.
    void Select(int row);
    int Selected() const { return selected_; }
    bool OpenEnabled() const { return selected_ >= 0; }
    // The chosen backup's path (empty: none).
    std::string SelectedPath() const;

    void FormShow();
    void btnBackupsOpenClick();
    void btnBackupsCloseClick();
    // The state observer hears the rows, the selection and the dialog's being closed change.

    // A backup's UTC time ("2024-05-01T12:00:00Z") as local time ("2024-05-01 14:00:00").
    static std::string LocalTime(std::string_view utc);

private:
    void Filter();

    FieldModel fields_;
    std::string caption_;
    std::vector<ControlText> controlTexts_;
    std::vector<std::string> headers_;
    std::vector<Row> all_;
    std::vector<Row> shown_;
    int selected_ = -1;
};

using BackupsView = ModalView<BackupsDialog>;
using SilentBackupsView = SilentView<BackupsDialog>;

} // namespace vorn
