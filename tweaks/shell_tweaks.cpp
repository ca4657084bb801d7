// The three Explorer tweaks.
#include "app/form1.h"

void Form1::kjfshi() {}
void Form1::jishiben() {}
void Form1::guxiang() {}
