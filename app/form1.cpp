// Start-up and panel switching of the main window.
#include "app/form1.h"

#include "resources/form1_layout.h"

void Form1::Form_Load() {
    ui_.setFormSize(kForm1.outerWidth, kForm1.outerHeight);
    ui_.setVisible(Control::xtyh, true);
    ui_.setVisible(Control::oemxx, false);
    ui_.setVisible(Control::gybcx, false);
    for (Control panel : {Control::oemxx, Control::gybcx})
        ui_.move(panel, ui_.rect(Control::xtyh));
}

// The panels' visibility is always set in this order: about, routine, OEM.
void Form1::showPanel(bool about, bool routine, bool oemPanel) {
    ui_.setVisible(Control::gybcx, about);
    ui_.setVisible(Control::xtyh, routine);
    ui_.setVisible(Control::oemxx, oemPanel);
}

void Form1::xt_Click() {
    showPanel(false, true, false);
}

void Form1::gy_Click() {
    showPanel(true, false, false);
}
