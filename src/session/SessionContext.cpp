#include "session/SessionContext.h"

#include "base/TextTable.h"
#include "lang/TranslatedDialog.h"
#include "session/SessionEngine.h"
#include "session/WaitWindow.h"

namespace vorn {

namespace {

constexpr TextRow<SessionOutcome> OutcomeNames[] = {
    {SessionOutcome::NotRun, "not run"},
    {SessionOutcome::Done, "done"},
    {SessionOutcome::Cancelled, "cancelled"},
    {SessionOutcome::Refused, "refused"},
    {SessionOutcome::UnitNotFound, "unit not found"},
    {SessionOutcome::FirmwareTooOld, "unit firmware too old"},
    {SessionOutcome::NoAnswer, "no answer from the device"},
    {SessionOutcome::DeviceFailed, "the device failed"},
    {SessionOutcome::ConversionError, "conversion error"},
    {SessionOutcome::InternalError, "internal error"},
    {SessionOutcome::Interrupted, "interrupted"},
    {SessionOutcome::QuestionUnanswered, "question not answered"},
    {SessionOutcome::ButtonNotPressed, "button not pressed"},
    {SessionOutcome::BackupFailed, "backup not stored"},
};

// The wait window follows the session: the block being moved, the band being tried, the bytes done;
// the front end's own observer hears everything as well, and the session's end is recorded.
class WaitProgress : public SessionProgress {
public:
    WaitProgress(SessionContext& context, WaitWindow& wait) : context_(context), wait_(wait) {}

    void JobStarting(const SessionStep& step) override {
        const CodeList& bands = context_.lists.ReceiveBands;
        const int index = IndexOfCode(bands, step.band);
        const std::string band = index < 0 ? std::to_string(step.band)
                                           : std::string(ValuePart(bands[static_cast<std::size_t>(index)]));
        wait_.SetDetail(
            context_.Text("COMMUNICATION", "TEXT-BLOCK_NN_OF_NN_BAND_NN", {step.block, step.blocks, band}));
        wait_.SetProgress(true, step.bytes, step.bytesDone);
        if (context_.progress != nullptr) {
            context_.progress->JobStarting(step);
        }
    }
    void SessionEnded(int result, const SessionStep& last) override {
        context_.sessions.push_back({static_cast<SessionResult>(result), last});
        if (context_.progress != nullptr) {
            context_.progress->SessionEnded(result, last);
        }
    }

private:
    SessionContext& context_;
    WaitWindow& wait_;
};

} // namespace

std::string_view OutcomeName(SessionOutcome outcome) {
    return TextOf(OutcomeNames, outcome, "unknown");
}

SessionContext::SessionContext(ProgData& configData, Editor& configEditor, KduLink& unitLink,
                               MemoryJob& memoryJob, CodeLists& codeLists, const ListIni& languageTexts,
                               SessionViews sessionViews, SessionHost& sessionHost)
    : config(configData), editor(configEditor), link(unitLink), job(memoryJob), lists(codeLists),
      texts(languageTexts), views(sessionViews), host(sessionHost) {}

std::string SessionContext::Text(std::string_view section, std::string_view key,
                                 const FormatArgs& args) const {
    return FormatText(texts.Text(section, key), args);
}

void SessionContext::ForgetCommand() {
    lastMessage.clear();
    lastText.clear();
    sessions.clear();
}

void SessionContext::Status(const std::string& text) {
    if (!text.empty()) {
        lastText = text;
    }
    views.window.SetStatusText(text);
}

void SessionContext::Message(const std::string& text) {
    Status(text);
    Dialog(text, MessageKind::Error, Buttons::Ok);
}

DialogResult SessionContext::Dialog(const std::string& text, MessageKind kind, DialogButtons buttons) {
    const DialogResult result = ShowMessageDialog(texts, views.dialogs, text, kind, buttons);
    lastText = text;
    if ((buttons & Buttons::Yes) == 0 || result == DialogResult::None) {
        lastMessage = text;
    }
    return result;
}

std::string SessionContext::UnitNotFoundText() const {
    std::string text = texts.Text("COMMON", "MESSAGE-KDU_NOT_FOUND");
    if (link.Driver().LastOpenStatus() == DriverAccessDenied) {
        text += "\n" + texts.Text(AccessDeniedSection, AccessDeniedKey);
    }
    return text;
}

SessionResult SessionContext::RunSessionShown(ProgData& data, const std::string& text, WaitWindow& wait) {
    MainWindowView& window = views.window;
    window.SetBusyCursor(true);
    window.SetWindowEnabled(false);
    wait.SetProgress(false, 0, 0);
    wait.SetCancellable(true, texts.Text("COMMON", "BUTTON-CANCEL"));
    wait.Show(text);
    WaitProgress observer(*this, wait);
    const SessionResult result = RunSession(data, job, link, lists.ReceiveBands, &observer);
    wait.SetProgress(false, 0, 0);
    wait.Close();
    window.SetWindowEnabled(true);
    window.SetBusyCursor(false);
    window.SetFocus(MainWindowControl);
    return result;
}

} // namespace vorn
