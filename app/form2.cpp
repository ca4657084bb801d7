#include "app/form2.h"

#include "actions/logo_replacement.h"
#include "app/run_from_window.h"

void Form2::Form_Load() {
    ui_.setText(Form2Control::Text1, "");
}

// Setting the path of Dir1 raises its change: a new drive updates the
// folders and then the files.
void Form2::Drive1_Change() {
    if (ui_.setPath(Form2Control::Dir1, ui_.path(Form2Control::Drive1)))
        Dir1_Change();
}

void Form2::Dir1_Change() {
    ui_.setPath(Form2Control::File1, ui_.path(Form2Control::Dir1));
}

void Form2::File1_Click() {
    ui_.setText(Form2Control::Text1, ui_.path(Form2Control::File1) + "\\" + ui_.fileName());
    ui_.loadPicture(Form2Control::Image1, ui_.text(Form2Control::Text1));
}

void Form2::Command1_Click() {
    ui_.unload();
}

void Form2::Command2_Click() {
    // A refused or failed copy keeps the picker open for another choice.
    const std::string chosen = ui_.text(Form2Control::Text1);
    if (runFromWindow(sys_, user_, planLogoReplacement(sys_, chosen)) != RunOutcome::Done)
        return;
    if (logoReplaced_)
        logoReplaced_(chosen);
    ui_.unload();
}
