#pragma once

class QWidget;

// The seven editor pages of the main window, each with every control of its family's field table and
// the labels and groups the language captions. Each fills the page it is given (named as the page
// control knows it: tbsButtons, ...) with its controls and layout.
namespace vorn::gui {

void BuildButtonsPage(QWidget* page);     // tbsButtons: buttons, ports and wired inputs
void BuildRadioEventsPage(QWidget* page); // tbsRadioEvents: the eight radio events
void BuildActionsPage(QWidget* page);     // tbsActions: the fifteen actions
void BuildPreferencesPage(QWidget* page); // tbsPreferences: radio, relays, alarms, information
void BuildHeskPage(QWidget* page);        // tbsHeskConfig: the presence units
void BuildGofaRfidPage(QWidget* page);    // tbsGofaRfid: RFID, relay, tamper, input, switches
void BuildGofaRadioPage(QWidget* page);   // tbsGofaRadio: receiver, transmitter, alarm types

} // namespace vorn::gui
