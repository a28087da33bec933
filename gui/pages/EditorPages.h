#pragma once

class QWidget;

// The seven editor pages of the main window, each with every control of its family's field table and
// the labels and groups the language captions. Each returns the page, named as the page control knows
// it (tbsButtons, ...), with its parent set.
namespace vorn::gui {

QWidget* BuildButtonsPage(QWidget* parent);     // tbsButtons: buttons, ports and wired inputs
QWidget* BuildRadioEventsPage(QWidget* parent); // tbsRadioEvents: the eight radio events
QWidget* BuildActionsPage(QWidget* parent);     // tbsActions: the fifteen actions
QWidget* BuildPreferencesPage(QWidget* parent); // tbsPreferences: radio, relays, alarms, information
QWidget* BuildHeskPage(QWidget* parent);        // tbsHeskConfig: the presence units
QWidget* BuildGofaRfidPage(QWidget* parent);    // tbsGofaRfid: RFID, relay, tamper, input, switches
QWidget* BuildGofaRadioPage(QWidget* parent);   // tbsGofaRadio: receiver, transmitter, alarm types

} // namespace vorn::gui
