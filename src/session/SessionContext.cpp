#include "session/SessionContext.h"

#include "lang/TranslatedDialog.h"
#include "session/SessionEngine.h"
#include "session/WaitWindow.h"

namespace vorn {

SessionContext::SessionContext(ProgData& configData, Editor& configEditor, KduLink& unitLink,
                               MemoryJob& memoryJob, CodeLists& codeLists, const ListIni& languageTexts,
                               SessionViews sessionViews, SessionHost& sessionHost)
    : config(configData), editor(configEditor), link(unitLink), job(memoryJob), lists(codeLists),
      texts(languageTexts), views(sessionViews), host(sessionHost) {}

std::string SessionContext::Text(std::string_view section, std::string_view key,
                                 const FormatArgs& args) const {
    return FormatText(texts.Text(section, key), args);
}

void SessionContext::Status(const std::string& text) {
    views.window.SetStatusText(text);
}

void SessionContext::Message(const std::string& text) {
    Status(text);
    Dialog(text, MessageKind::Error, Buttons::Ok);
}

DialogResult SessionContext::Dialog(const std::string& text, MessageKind kind, DialogButtons buttons) {
    return ShowMessageDialog(texts, views.dialogs, text, kind, buttons);
}

std::string SessionContext::UnitNotFoundText() const {
    std::string text = texts.Text("COMMON", "MESSAGE-KDU_NOT_FOUND");
    if (link.Driver().LastOpenStatus() == DriverAccessDenied) {
        text += "\n" + texts.Text(AccessDeniedSection, AccessDeniedKey);
    }
    return text;
}

int SessionContext::RunSessionShown(ProgData& data, const std::string& text, WaitWindow& wait) {
    MainWindowView& window = views.window;
    window.SetBusyCursor(true);
    window.SetWindowEnabled(false);
    wait.SetProgress(false, 0, 0);
    wait.Show(text);
    const int result = RunSession(data, job, link, lists.ReceiveBands, progress);
    wait.Close();
    window.SetWindowEnabled(true);
    window.SetBusyCursor(false);
    window.SetFocus(MainWindowControl);
    return result;
}

} // namespace vorn
