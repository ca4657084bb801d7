// The recommended and the default service start modes as scripts, launched
// hidden.
#include "app/form1.h"
#include "services/service_tables.h"

void Form1::fuwuyouhua() {
    scripts_.run(kOptimisedServicesScript,
                 serviceScriptLines(kOptimisedServices, kOptimisedServicesScript),
                 ShowState::Hidden);
}

void Form1::huifufuwu() {
    scripts_.run(kDefaultServicesScript,
                 serviceScriptLines(kDefaultServices, kDefaultServicesScript), ShowState::Hidden);
}
