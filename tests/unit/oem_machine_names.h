// Where the OEM information lives on a machine whose Windows directory is
// "C:\WINDOWS" (the test platform's), written out by hand for the OEM tests.
#pragma once

#include <string>

const std::string kSystem = "C:\\WINDOWS\\system32\\";
const std::string kIni = kSystem + "oeminfo.ini";
const std::string kLogo = kSystem + "oemlogo.bmp";
const std::string kOrg =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\RegisteredOrganization";
const std::string kOwner =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\RegisteredOwner";
