#include "editor/Editor.h"
#include "lang/FieldCaption.h"
#include "lang/TextFormat.h"
#include "model/Catalogue.h"
#include "model/PulseTime.h"
#include "model/ValueHelpers.h"

// Storing the editor so that nothing the operator set is lost or changed behind the operator's back:
// what the image cannot hold stops the store with a message naming the field, and what the image
// holds in another form is shown as stored once it is kept.
namespace vorn {

namespace {

// Pairs of transmission counts that share one byte. Family A refuses a count above 15; the presence
// units also refuse no transmissions at all. (The positioning unit stores such a pair as three and
// three, which is then shown as stored.)
struct CountPair {
    Family family;
    const char* shortCount;
    const char* longCount;
    bool noneRefused;
};
constexpr CountPair CountPairs[] = {
    {Family::A, "edtMaxShortTx", "edtMaxLongTx", false},
    {Family::B, "edtHESK_MaxShortTx", "edtHESK_MaxLongTx", true},
};

std::string JoinCaptions(const ListIni& texts, const std::vector<std::string>& fields) {
    std::string joined;
    for (const std::string& field : fields) {
        joined += (joined.empty() ? "" : ", ") + FieldCaption(texts, field);
    }
    return joined;
}

} // namespace

bool Editor::FinishEdit() {
    const std::string focused = fields_.FocusedName();
    if (focused.empty()) {
        return true;
    }
    const FieldValue typed = fields_.Get(focused).Value();
    fields_.Leave(focused);
    return fields_.Get(focused).Value() == typed;
}

StoreReport Editor::StoreFields(Image& image) {
    StoreReport report;
    if (!FinishEdit()) {
        report.editRefused = true;
        return report;
    }
    const Family family = FamilyOf(image[ProductTypeAddress]);
    for (const FieldRow& row : FieldRowsOf(family)) {
        const Field& field = fields_.Get(row.name);
        const bool operable = field.Enabled() && field.Visible();
        if (row.kind == FieldKind::Choice && row.list != nullptr && operable && field.Index() < 0) {
            // Storing would put another code in its place (or keep one the editor does not show).
            report.unstorable.push_back(row.name);
        } else if (!row.inputMask.empty() && !field.Text().empty() &&
                   !ParseTenths(field.Text(), decimalSeparator_)) {
            report.unstorable.push_back(row.name);
        }
    }
    for (const CountPair& pair : CountPairs) {
        if (pair.family != family) {
            continue;
        }
        const long long shortCount = IntOrZero(fields_.Get(pair.shortCount).Text());
        const long long longCount = IntOrZero(fields_.Get(pair.longCount).Text());
        if (shortCount > 15 || longCount > 15 || (pair.noneRefused && shortCount == 0 && longCount == 0)) {
            report.unstorable.push_back(pair.shortCount);
            report.unstorable.push_back(pair.longCount);
        }
    }
    if (!report.unstorable.empty()) {
        return report;
    }
    // Converted into a copy, so that a conversion that fails half-way changes nothing.
    Image stored = image;
    report.result = FieldsToImage(stored);
    if (!report.result.Succeeded()) {
        return report;
    }
    report.shownOtherwise = FieldsShownOtherwise(stored);
    image = stored;
    return report;
}

const std::vector<FieldRow>& Editor::ShowApart(FieldModel& shown, const Image& image) const {
    const std::vector<FieldRow>& rows = FieldRowsOf(FamilyOf(image[ProductTypeAddress]));
    RegisterFields(shown, rows);
    for (const FieldRow& row : rows) {
        const Field& field = fields_.Get(row.name);
        if (row.kind == FieldKind::Choice) {
            shown.SetItems(row.name, field.Items());
        }
        if (!field.InputMask().empty()) {
            shown.SetInputMask(row.name, field.InputMask());
        }
    }
    bool filling = false;
    vorn::ImageToFields({shown, lists_, decimalSeparator_, &filling}, image);
    return rows;
}

std::vector<std::string> Editor::FieldsShownOtherwise(const Image& image) {
    FieldModel shown;
    const std::vector<FieldRow>& rows = ShowApart(shown, image);
    std::vector<std::string> differing;
    for (const FieldRow& row : rows) {
        if (shown.Get(row.name).Value() != fields_.Get(row.name).Value()) {
            differing.push_back(row.name);
        }
    }
    return differing;
}

std::string Editor::ShowStored(const Image& image, const StoreReport& report) {
    if (report.shownOtherwise.empty()) {
        return {};
    }
    ImageToFields(image);
    return FormatText(texts_.Text("FILE", "STATUS-SHOWN_AS_STORED_NN"),
                      {JoinCaptions(texts_, report.shownOtherwise)});
}

std::string Editor::UnstorableMessage(const StoreReport& report) const {
    return FormatText(texts_.Text("FILE", "MESSAGE-FIELD_NN_CANNOT_BE_STORED"),
                      {JoinCaptions(texts_, report.unstorable)});
}

void Editor::RefreshPotentiometerHint() {
    constexpr std::string_view Field = "edtGOFA_Potentiometer_P1";
    constexpr std::string_view OutsideSteps = "???";
    const bool outside = fields_.Get(Field).Text() == OutsideSteps;
    fields_.SetHint(Field,
                    outside ? FormatText(texts_.Text("TAB_RFID_IO", "HINT-POTENTIOMETER_OUTSIDE_STEPS_NN"),
                                         {fields_.Get("edtGOFA_RfidVant").Text()})
                            : std::string(),
                    outside);
}

} // namespace vorn
