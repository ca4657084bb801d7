// Layout colours as GDI colours and brushes.
#pragma once

#include "resources/form1_layout.h"

#include <windows.h>

COLORREF colourRef(const Colour& c);
// A brush of that colour; owned by this module, never to be deleted.
HBRUSH colourBrush(const Colour& c);
