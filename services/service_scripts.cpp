// The recommended and the default service start modes as scripts.
#include "app/form1.h"

void Form1::fuwuyouhua() {}
void Form1::huifufuwu() {}
