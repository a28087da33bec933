#pragma once

#include <string>
#include <string_view>

// An editor field as the operator knows it: by the captions the pages show for it, in the current
// language ("Receive frequency band", "Actions 2: Radio ID code"), for messages, vornctl show and the
// configuration sheet. Where a field sits on which page comes from the one layout table of the pages.
namespace vorn {

class ListIni;

// The text of a label or header control in the current language: the catalogue's caption, or the
// layout's fixed caption for a label no language text names.
std::string ControlCaption(const ListIni& texts, std::string_view control, std::string_view fixed = {});

// The field's caption: its row's label, and in a table its column's (a check box its own caption);
// a numbered row of a table says whose number it is ("Radio events 5: Alarm type"). A field no page
// shows is named by its control name.
std::string FieldCaption(const ListIni& texts, std::string_view field);

} // namespace vorn
