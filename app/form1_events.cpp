#include "app/form1_events.h"

#include "app/form1.h"

namespace {

struct ClickHandler {
    Control control;
    void (Form1::*handler)();
};

const ClickHandler kClicks[] = {
    {Control::xt, &Form1::xt_Click},
    {Control::lj, &Form1::lj_Click},
    {Control::oem, &Form1::oem_Click},
    {Control::gy, &Form1::gy_Click},
    {Control::Command1, &Form1::Command1_Click},
    {Control::Command4, &Form1::Command4_Click},
    {Control::Command6, &Form1::Command6_Click},
    {Control::Label9, &Form1::Label9_Click},
};

} // namespace

bool dispatchClick(Form1& form, Control c) {
    for (const ClickHandler& h : kClicks)
        if (h.control == c) {
            (form.*h.handler)();
            return true;
        }
    return false;
}
