#include "gui/Screenshots.h"

#include "gui/MessageWindow.h"
#include "gui/ProgramWindow.h"
#include "lang/TextFormat.h"
#include "lang/TranslatedDialog.h"
#include "session/FieldDifferences.h"

#include <functional>
#include <map>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>

namespace vorn::gui {

namespace {

// A device button of each family: its pages are then shown.
constexpr int FamilyButtons[] = {4, 10, 12};
// The model the select-device window shows: TARV.
constexpr std::uint8_t ExampleModel = 0x23;

void Settle() {
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
    }
}

class Writer {
public:
    explicit Writer(const QString& folder) : dir_(folder) {}

    bool Shoot(QWidget& widget, const QString& name) {
        Settle();
        const QString path = dir_.filePath(name + QStringLiteral(".png"));
        if (!widget.grab().save(path, "PNG")) {
            failed_ = true;
            return false;
        }
        written_ << path;
        return true;
    }
    // A window that is otherwise modal, shown for the picture only.
    bool ShootWindow(QWidget& window, const QString& name) {
        window.show();
        const bool shot = Shoot(window, name);
        window.hide();
        return shot;
    }
    // The configuration sheet of the model in the editor, as File > Export configuration sheet...
    // writes it.
    bool WriteSheet(ProgramController& controller, SheetView& renderer, const QString& name) {
        const QString path = dir_.filePath(name + QStringLiteral(".pdf"));
        if (!renderer.WritePdf(controller.ConfigurationSheet(), path.toStdString())) {
            failed_ = true;
            return false;
        }
        written_ << path;
        return true;
    }
    QStringList Result() const { return failed_ ? QStringList() : written_; }

private:
    QDir dir_;
    QStringList written_;
    bool failed_ = false;
};

// The communication windows as a family A read, a capture and a presence unit's flows show them.
void ShootCommunicationWindows(ProgramWindow& program, Writer& writer, const QString& prefix) {
    ProgramController& controller = program.Controller();
    DeviceSessions& sessions = controller.Sessions();
    const ListIni& texts = controller.Texts();

    SelectDeviceDialog& select = sessions.SelectDevice();
    select.SetUp(SelectDeviceDialog::Mode::Read, ExampleModel, texts, controller.Lists());
    select.Fields().SetText(SelectDeviceDialog::SerialField, "1001");
    select.FormShow();
    program.SelectDevice().Attach(select);
    writer.ShootWindow(program.SelectDevice(), prefix + QStringLiteral("frmSelectDevice"));
    program.SelectDevice().Detach();
    select.FormClose();

    TfrmWait& wait = program.Wait();
    wait.SetWaitProgress(true, RadioCodeCapture::Countdown, RadioCodeCapture::Countdown * 2 / 3);
    wait.SetWaitText(FormatText(texts.Text("COMMON", "MESSAGE-ACTIVATE_WIRELESS_DEVICE_FOR_EVENT_NN"), {3}));
    writer.ShootWindow(wait, prefix + QStringLiteral("frmWait"));
    wait.SetWaitProgress(false, 0, 0);
    // A write session: block, band and its Cancel button.
    wait.SetWaitText(FormatText(texts.Text("COMMUNICATION", "STATUS-WRITING_TO_NNNN_WITH_SERIAL_NUMBER_NN"),
                                {"TARV", 1001}));
    wait.SetWaitProgress(true, 216, 71);
    wait.SetWaitDetail(FormatText(texts.Text("COMMUNICATION", "TEXT-BLOCK_NN_OF_NN_BAND_NN"), {2, 5, "1"}));
    wait.SetWaitCancel(true, texts.Text("COMMON", "BUTTON-CANCEL"));
    writer.ShootWindow(wait, prefix + QStringLiteral("frmWait-session"));
    wait.SetWaitCancel(false, {});
    wait.SetWaitDetail({});
    wait.SetWaitProgress(false, 0, 0);

    ReceiveRadioDialog& radio = sessions.ReceiveRadio();
    radio.SetCaption(texts.Text("COMMUNICATION", "TITLE-READ_FROM_DEVICE"));
    radio.SetGroupCaption(texts.Text("HESK", "LABEL-WAIT_FOR_TRANSMITTER_ACTIVATION"));
    radio.SetActionText(texts.Text("HESK", "LABEL-PRESS_DEVICE_BUTTON_TO_READ_CONFIGURATION"));
    radio.SetAbortCaption(texts.Text("COMMON", "BUTTON-ABORT"));
    radio.ChoosePicture(1);
    program.ReceiveRadio().Attach(radio);
    writer.ShootWindow(program.ReceiveRadio(), prefix + QStringLiteral("frmReceiveRadio"));
    program.ReceiveRadio().Detach();

    ChangeCodeDialog& change = sessions.ChangeCode();
    change.FormShow();
    change.Fields().TypeText(ChangeCodeDialog::NewCodeField, "beef");
    program.ChangeCode().Attach(change);
    writer.ShootWindow(program.ChangeCode(), prefix + QStringLiteral("frmChangeCode"));
    program.ChangeCode().Detach();
    change.btnCloseClick();

    // TARV's default, kept as two backups of one device, and compared with a copy of it whose battery
    // check interval and another byte differ.
    controller.bbtnSelectNewDeviceClick(1);
    const ProgData::Bytes& image = controller.CurrentConfig().Image;
    const std::string model = controller.ProductName(image[ProductTypeAddress]);
    BackupStore store = sessions.Backups();
    std::string error;
    // Kept once, in the first language's round.
    if (store.List(std::nullopt, error).empty() && store.Prepare().empty()) {
        for (const std::time_t when : {std::time_t{1760000000}, std::time_t{1760090000}}) {
            store.Store(image, model, 1001, when, error);
        }
    }
    BackupsDialog& backups = controller.BackupsWindow();
    backups.Prepare(texts, sessions.Backups());
    backups.FormShow();
    backups.Select(0);
    program.Backups().Attach(backups);
    writer.ShootWindow(program.Backups(), prefix + QStringLiteral("frmBackups"));
    program.Backups().Detach();
    backups.btnBackupsCloseClick();

    ProgData::Bytes device = image;
    device[41] = static_cast<std::uint8_t>(device[41] + 7);
    device[48] = static_cast<std::uint8_t>(device[48] ^ 1);
    CompareDialog& compare = sessions.CompareWindow();
    compare.Prepare(texts, DifferingFields(controller.GetEditor(), texts, image, device), model + " 1001");
    compare.FormShow();
    program.Compare().Attach(compare);
    writer.ShootWindow(program.Compare(), prefix + QStringLiteral("frmCompare"));
    program.Compare().Detach();
    compare.btnCompareCloseClick();
}

} // namespace

EnvironmentLookup ScreenshotEnvironment(const QString& folder) {
    const std::string root = QDir(folder).absolutePath().toStdString();
    const std::map<std::string, std::string> moved{
        {"HOME", root + "/home"},
        {"XDG_DATA_HOME", root + "/data"},
        {"XDG_CONFIG_HOME", root + "/config"},
        {"XDG_DOCUMENTS_DIR", root + "/documents"},
        // English first, whatever the desktop's language; the pictures are taken in every language.
        {"LANG", "en_US.UTF-8"},
        {"LC_ALL", "en_US.UTF-8"},
    };
    QDir().mkpath(QString::fromStdString(root + "/data"));
    QDir().mkpath(QString::fromStdString(root + "/documents"));
    return [moved](const char* name) -> std::optional<std::string> {
        const auto found = moved.find(name);
        return found != moved.end() ? std::optional<std::string>(found->second) : ProcessEnvironment(name);
    };
}

void AnswerFirstStartRegion() {
    auto* poll = new QTimer(qApp);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal->objectName() != QLatin1String("frmSelectRegion")) {
            return;
        }
        if (auto* ok = modal->findChild<QAbstractButton*>(QStringLiteral("btnOk"))) {
            poll->stop();
            poll->deleteLater();
            ok->click();
        }
    });
    poll->start();
}

QStringList WriteScreenshots(ProgramWindow& program, const QString& folder) {
    if (!QDir().mkpath(folder)) {
        return {};
    }
    Writer writer(folder);
    ProgramController& controller = program.Controller();
    TfrmEdit& window = program.Window();
    window.EnsurePagesBuilt();
    QTabWidget* pages = window.PageControl();
    const std::vector<std::string>& languages = controller.Language().LanguageFiles();
    for (std::size_t tag = 0; tag < languages.size(); ++tag) {
        controller.ChangeLanguage(static_cast<int>(tag));
        const QString prefix =
            QString::fromStdString(LanguageDisplayName(languages[tag])).toLower() + QLatin1Char('-');
        window.SetActivePage(ProgramController::DevicePage);
        writer.Shoot(window, prefix + QStringLiteral("tbsSelectDevice"));
        for (const int button : FamilyButtons) {
            controller.bbtnSelectNewDeviceClick(button);
            for (int i = 1; i < pages->count(); ++i) {
                if (pages->isTabVisible(i)) {
                    pages->setCurrentIndex(i);
                    writer.Shoot(window, prefix + pages->widget(i)->objectName());
                }
            }
            writer.WriteSheet(controller, program.Sheet(),
                              prefix + QStringLiteral("sheet-") +
                                  QString::fromStdString(controller.ProductName(
                                      controller.CurrentConfig().Image[ProductTypeAddress])));
        }
        const ListIni& texts = controller.Texts();
        MessageWindow message(BuildMessageDialog(texts,
                                                 texts.Text("FILE", "MESSAGE-DO_YOU_WANT_TO_SAVE_CHANGES"),
                                                 MessageKind::Information, Buttons::YesNoCancel),
                              &window);
        message.CentreOverOwner();
        writer.ShootWindow(message, prefix + QStringLiteral("frmMessage"));
        program.About().Fill(controller.AboutData());
        writer.ShootWindow(program.About(), prefix + QStringLiteral("frmAbout"));
        SelectRegionDialog& region = controller.RegionDialog();
        region.SetMode(SelectRegionDialog::ModeWithClose);
        region.Prepare(texts, controller.Lists().Regions, controller.Region());
        program.SelectRegion().Attach(region);
        writer.ShootWindow(program.SelectRegion(), prefix + QStringLiteral("frmSelectRegion"));
        program.SelectRegion().Detach();
        ShootCommunicationWindows(program, writer, prefix);
    }
    return writer.Result();
}

} // namespace vorn::gui
