#include "session/FieldDifferences.h"

#include "lang/FieldCaption.h"

namespace vorn {

namespace {

constexpr std::string_view CheckedMark = "\u2611";
constexpr std::string_view UncheckedMark = "\u2610";

} // namespace

ShownFields::ShownFields(Editor& editor, const Image& image) : rows_(&editor.ShowApart(fields_, image)) {}

std::string ShownFields::Shown(const std::string& name) const {
    const Field& field = fields_.Get(name);
    if (field.Kind() == FieldKind::Check) {
        return std::string(field.Checked() ? CheckedMark : UncheckedMark);
    }
    return field.Text();
}

std::vector<FieldDifference> DifferingFields(Editor& editor, const ListIni& texts, const Image& first,
                                             const Image& second) {
    const ShownFields a(editor, first);
    const ShownFields b(editor, second);
    const bool sameFamily = &a.Rows() == &b.Rows();
    std::vector<FieldDifference> differing;
    for (const FieldRow& row : a.Rows()) {
        if (!sameFamily || a.Get(row.name).Value() != b.Get(row.name).Value()) {
            differing.push_back({row.name, FieldCaption(texts, row.name), a.Shown(row.name),
                                 sameFamily ? b.Shown(row.name) : std::string()});
        }
    }
    if (!sameFamily) {
        for (const FieldRow& row : b.Rows()) {
            differing.push_back({row.name, FieldCaption(texts, row.name), std::string(), b.Shown(row.name)});
        }
    }
    return differing;
}

std::string CaptionsOfByte(Editor& editor, const ListIni& texts, const ShownFields& shown, const Image& image,
                           int address, std::uint8_t other) {
    Image changed = image;
    changed[static_cast<std::size_t>(address)] = other;
    const ShownFields otherwise(editor, changed);
    std::string captions;
    if (&otherwise.Rows() != &shown.Rows()) {
        return captions; // the product type itself: another family, no field to name
    }
    for (const FieldRow& row : shown.Rows()) {
        if (shown.Get(row.name).Value() != otherwise.Get(row.name).Value()) {
            captions += (captions.empty() ? "" : ", ") + FieldCaption(texts, row.name);
        }
    }
    return captions;
}

} // namespace vorn
