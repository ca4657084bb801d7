// The usage that /? shows, in Chinese and English.
#pragma once

#include <string>

// Lines end in CR LF.
const std::string& usageText();
