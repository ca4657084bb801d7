// Identifiers of the program's resources (app.rc), shared with the code.
#pragma once

#define IDI_APP 1
#define IDB_BANNER 101
#define IDB_ABOUT 102
