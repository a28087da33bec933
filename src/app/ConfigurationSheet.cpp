#include "app/ConfigurationSheet.h"

#include "lang/FieldCaption.h"
#include "lang/ListIni.h"
#include "lang/TextCatalogue.h"
#include "model/EditorLayout.h"
#include "model/FieldModel.h"

#include <array>
#include <map>

namespace vorn {

namespace {

std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// A field's text without the blanks around it: an edit mask's ("   3.0" is 3.0), a list item's.
std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

class SheetWriter {
public:
    explicit SheetWriter(const SheetInput& input) : in_(input) {}

    std::string Write() {
        const std::string title = in_.texts.Text("FILE", "TEXT-CONFIGURATION_SHEET");
        out_ += "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + Escaped(title) +
                " - " + Escaped(in_.model) + "</title>\n" + Style() + "</head>\n<body>\n";
        Heading(title);
        const std::uint8_t productType = in_.image[ProductTypeAddress];
        for (const std::string_view page : PagesOfFamily(FamilyOf(productType))) {
            Page(page);
        }
        out_ += "</body>\n</html>\n";
        return out_;
    }

private:
    // Small type and tight tables: a family A configuration fits one A4 page.
    static std::string Style() {
        return "<style>\n"
               "body { font-family: sans-serif; font-size: 8pt; }\n"
               "p.title { font-size: 15pt; font-weight: bold; margin-top: 0; margin-bottom: 4pt; }\n"
               "p.page { font-size: 10pt; font-weight: bold; margin-top: 9pt; margin-bottom: 2pt; }\n"
               "p.group { font-size: 8.5pt; font-weight: bold; margin-top: 4pt; margin-bottom: 1pt; }\n"
               "table.fields { border-collapse: collapse; }\n"
               "table.fields td, table.fields th { border: 1px solid #bbb; padding: 0.5pt 3pt; }\n"
               "table.fields th { background: #eef0f3; text-align: left; font-weight: bold; }\n"
               "td.label { color: #333; }\n"
               "table.identity td { padding: 0 8pt 0 0; font-size: 8pt; }\n"
               "</style>\n";
    }

    void Heading(const std::string& title) {
        out_ += "<table width=\"100%\" class=\"head\"><tr><td valign=\"top\">\n<p class=\"title\">" +
                Escaped(title) + "</p>\n<table class=\"identity\">\n";
        const auto identity = [this](const std::string& label, const std::string& value) {
            out_ += "<tr><td><b>" + Escaped(label) + "</b></td><td>" + Escaped(value) + "</td></tr>\n";
        };
        identity(in_.texts.Text("FILE", "LABEL-SHEET_MODEL"), in_.model);
        identity(in_.texts.Text("TAB_4", "LABEL-SERIAL_NUMBER"), std::to_string(SerialNumber()));
        identity(in_.texts.Text("FILE", "LABEL-SHEET_FILE"), in_.file);
        identity(in_.texts.Text("FILE", "LABEL-SHEET_DATE"), in_.date);
        out_ += "</table>\n</td><td align=\"right\" valign=\"top\">";
        if (in_.pictureUri.empty()) {
            out_ += "<b>" + Escaped(in_.model) + "</b>";
        } else {
            out_ += "<img src=\"" + Escaped(in_.pictureUri) + "\" width=\"84\" height=\"84\" alt=\"" +
                    Escaped(in_.model) + "\">";
        }
        out_ += "</td></tr></table>\n";
    }

    long SerialNumber() const {
        long serial = 0;
        for (int i = 0; i < 3; ++i) {
            serial = serial * 256 + in_.image[static_cast<std::size_t>(SerialNumberAddress + i)];
        }
        return serial;
    }

    void Page(std::string_view page) {
        const std::vector<const LayoutGroup*> groups = GroupsOfPage(page);
        const std::string pageCaption = Caption(std::string(page));
        if (groups.size() == 1) {
            // A page of one group: its caption joins the page's, unless it says the same.
            const std::string groupCaption = Caption(groups.front()->group);
            out_ += "<p class=\"page\">" + Escaped(pageCaption) +
                    (groupCaption == pageCaption ? std::string() : " &ndash; " + Escaped(groupCaption)) +
                    "</p>\n";
            Table(*groups.front());
            return;
        }
        out_ += "<p class=\"page\">" + Escaped(pageCaption) + "</p>\n";
        // The page's two columns side by side, as on the screen.
        out_ += "<table width=\"100%\"><tr>";
        for (const int column : {0, 1}) {
            out_ += "<td valign=\"top\" width=\"50%\">\n";
            for (const LayoutGroup* group : groups) {
                if (group->column == column) {
                    out_ += "<p class=\"group\">" + Escaped(Caption(group->group)) + "</p>\n";
                    group->IsTable() ? Table(*group) : Form(*group);
                }
            }
            out_ += "</td>";
        }
        out_ += "</tr></table>\n";
    }

    void Form(const LayoutGroup& group) {
        out_ += "<table class=\"fields\" width=\"100%\">\n";
        for (const LayoutRow& row : group.rows) {
            if (!RowShown(row)) {
                continue;
            }
            out_ += "<tr><td class=\"label\">" + Escaped(Caption(row.label, row.caption)) + "</td><td>";
            std::string values;
            for (const std::string& field : row.fields) {
                values += (values.empty() ? "" : "&nbsp;&nbsp;") + Escaped(Value(field));
            }
            out_ += values + "</td></tr>\n";
        }
        out_ += "</table>\n";
    }

    void Table(const LayoutGroup& group) {
        // A narrow table (two value columns, beside another group) keeps room for its labels.
        out_ += std::string("<table class=\"fields\" width=\"100%\">\n<tr><th") +
                (group.headers.size() <= 2 ? " width=\"36%\"" : "") + "></th>";
        // A header over several columns is written once, across them.
        for (std::size_t c = 0; c < group.headers.size();) {
            std::size_t span = 1;
            while (c + span < group.headers.size() && group.headers[c + span] == group.headers[c]) {
                ++span;
            }
            out_ += "<th" + (span > 1 ? " colspan=\"" + std::to_string(span) + "\"" : std::string()) + ">" +
                    Escaped(Caption(group.headers[c])) + "</th>";
            c += span;
        }
        out_ += "</tr>\n";
        for (const LayoutRow& row : group.rows) {
            if (!RowShown(row)) {
                continue;
            }
            out_ += "<tr><td class=\"label\">" + Escaped(Caption(row.label, row.caption)) + "</td>";
            for (const std::string& field : row.fields) {
                out_ += "<td>" + (field.empty() ? std::string() : Escaped(Value(field))) + "</td>";
            }
            out_ += "</tr>\n";
        }
        out_ += "</table>\n";
    }

    // A row whose fields are all hidden (the positioning unit's service fields) is not on the page.
    bool RowShown(const LayoutRow& row) const {
        for (const std::string& name : row.fields) {
            const Field* field = in_.fields.Find(name);
            if (field != nullptr && field->Visible()) {
                return true;
            }
        }
        return false;
    }

    std::string Caption(const std::string& control, const std::string& fixed = {}) const {
        return ControlCaption(in_.texts, control, fixed);
    }

    std::string Value(const std::string& name) const {
        const Field* field = in_.fields.Find(name);
        if (field == nullptr) {
            return {};
        }
        switch (field->Kind()) {
        case FieldKind::Check:
            // The box and its caption, as the page shows them.
            return std::string(field->Checked() ? "\u2611 " : "\u2610 ") + Caption(name);
        case FieldKind::Choice:
        case FieldKind::Text: break;
        }
        return Trimmed(field->Text());
    }

    const SheetInput& in_;
    std::string out_;
};

} // namespace

std::string ConfigurationSheetHtml(const SheetInput& input) {
    return SheetWriter(input).Write();
}

std::string DataUri(const std::string& mediaType, const std::vector<std::uint8_t>& bytes) {
    static constexpr char Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out = "data:" + mediaType + ";base64,";
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t left = bytes.size() - i;
        const unsigned chunk = (unsigned(bytes[i]) << 16) | (left > 1 ? unsigned(bytes[i + 1]) << 8 : 0u) |
                               (left > 2 ? unsigned(bytes[i + 2]) : 0u);
        out += Digits[(chunk >> 18) & 63];
        out += Digits[(chunk >> 12) & 63];
        out += left > 1 ? Digits[(chunk >> 6) & 63] : '=';
        out += left > 2 ? Digits[chunk & 63] : '=';
    }
    return out;
}

} // namespace vorn
