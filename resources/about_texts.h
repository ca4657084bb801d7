// The maker's details shown on the about panel. The project has no public
// site yet: the addresses stay under the reserved example.com domain, and
// the QQ number is a placeholder that no account can have (QQ numbers never
// start with 0).
#pragma once

#define VELKOR_LINK_ADDRESS "http://www.example.com/velkor/"

constexpr const char* kAboutLinkAddress = VELKOR_LINK_ADDRESS;
constexpr const char* kAboutLinkCaption = "官方网站:" VELKOR_LINK_ADDRESS;
constexpr const char* kAboutContactCaption = "联系作者  QQ:00000000 E-Mail:velkor@example.com";
