#include "support/TestLists.h"

#include "lang/LanguageController.h"
#include "lang/ListIni.h"
#include "model/PulseTime.h"
#include "platform/Registry.h"
#include "support/Paths.h"

#include <stdexcept>

namespace vorn::test {

namespace {

// The English language file's lists and the Europe region's bands, as the program builds them.
CodeLists BuildLists() {
    ListIni reader;
    reader.LoadFile(DataFolder() + "English-1033.lang");
    CodeLists lists;
    BuildCodeLists(reader, lists);
    const Registry registry = Registry::Load(DataFolder() + std::string(RegistryFileName));
    const std::string region = std::string(ProgramRegistryKey) + "Regions\\Europe\\";
    lists.ReceiveBands = registry.ValueNames(region + "RxFrequencyBands").value_or(CodeList{});
    lists.TransmitBands = registry.ValueNames(region + "TxFrequencyBands").value_or(CodeList{});
    return lists;
}

} // namespace

const CodeLists& EnglishLists() {
    static const CodeLists lists = [] {
        CodeLists built = BuildLists();
        if (built.AlarmTypes.empty() || built.ReceiveBands.empty()) {
            throw std::runtime_error("the English language file or the registry of the build is missing");
        }
        return built;
    }();
    return lists;
}

EditorFixture::EditorFixture(const CodeLists& codeLists, char32_t separator)
    : fields(std::make_unique<FieldModel>()), lists(codeLists), context{*fields, lists, separator, &filling} {
    for (Family family : {Family::A, Family::B, Family::C}) {
        RegisterFields(*fields, FieldRowsOf(family));
        FillChoiceFields(*fields, lists, FieldRowsOf(family));
    }
    fields->SetInputMask("medtPulseActivationTime", PulseTimeMask(separator));
    fields->SetInputMask("medtGOFA_RelayPulseTime", PulseTimeMask(separator));
}

} // namespace vorn::test
