// The per-service optimisation.
#include "app/form1.h"

void Form1::xiangxiyouhua(const ServiceChoices&) {}
