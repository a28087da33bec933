#pragma once

class QWidget;

// The seven editor pages of the main window, each with every control of its family's field table and
// the labels and groups the language captions, arranged as the editor layout (model/EditorLayout.h)
// lists them. Each fills the page it is given (named as the page control knows it: tbsButtons, ...)
// with its controls and layout.
namespace vorn::gui {

void BuildButtonsPage(QWidget* page);     // tbsButtons: buttons, ports and wired inputs
void BuildRadioEventsPage(QWidget* page); // tbsRadioEvents: the eight radio events
void BuildActionsPage(QWidget* page);     // tbsActions: the fifteen actions
void BuildGofaRfidPage(QWidget* page);    // tbsGofaRfid: RFID, relay, tamper, input, switches
// tbsPreferences (radio, relays, alarms, information), tbsHeskConfig (the presence units) and
// tbsGofaRadio (receiver, transmitter, alarm types): forms of labelled rows, built by BuildFormPage.

} // namespace vorn::gui
