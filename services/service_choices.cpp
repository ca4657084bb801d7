// The per-service choices as data.
#include "services/service_choices.h"

namespace {
constexpr StartMode AUTO = StartMode::Auto;
constexpr StartMode DEMAND = StartMode::Demand;
constexpr StartMode DISABLED = StartMode::Disabled;
} // namespace

// Each line: service, {mode when on, blanks at end}, {mode when off, blanks at end}.
// clang-format off
const ServiceChoice kServiceChoices[kServiceChoiceCount] = {
    {"桌面主题", "关闭后窗口和按钮恢复为经典外观，不再有XP视觉样式。",
        {{"Themes", {AUTO, 1}, {DISABLED, 1}}}},
    {"打印后台处理程序", "关闭后无法打印，也无法添加或管理打印机。",
        {{"Spooler", {AUTO, 1}, {DISABLED, 1}}}},
    {"Windows 防火墙与应用层网关", "关闭后防火墙和Internet连接共享停止工作。",
        {{"SharedAccess", {AUTO, 2}, {DISABLED, 1}},
          {"ALG", {AUTO, 0}, {DISABLED, 0}}}},
    {"网络 DDE", "关闭后剪贴簿等程序无法通过网络交换数据。",
        {{"NetDDE", {AUTO, 1}, {DISABLED, 2}}}},
    {"DHCP 与 DNS 客户端", "关闭后无法自动获取IP地址，也不再缓存域名解析。",
        {{"Dhcp", {AUTO, 1}, {DISABLED, 1}},
          {"Dnscache", {AUTO, 1}, {DISABLED, 1}}}},
    {"无线零配置", "关闭后系统不再自动查找和连接无线网络。",
        {{"WZCSVC", {AUTO, 1}, {DISABLED, 2}}}},
    {"文件和打印机共享", "关闭后本机的文件夹和打印机不能再共享给网络。",
        {{"lanmanserver", {AUTO, 1}, {DISABLED, 0}}}},
    {"自动更新", "关闭后系统不再下载和安装Windows更新。",
        {{"BITS", {AUTO, 1}, {DISABLED, 1}},
          {"wuauserv", {AUTO, 2}, {DISABLED, 2}}}},
    {"系统还原", "关闭后不再创建还原点，也无法把系统还原到以前的状态。",
        {{"srservice", {AUTO, 1}, {DISABLED, 1}}}},
    {"IPSEC 策略代理", "设为手动后，IP安全策略不再随系统自动生效。",
        {{"PolicyAgent", {AUTO, 1}, {DEMAND, 2}}}},
    {"SSDP 发现服务", "关闭后无法发现局域网中的UPnP设备。",
        {{"SSDPSRV", {AUTO, 1}, {DISABLED, 2}}}},
    {"剪贴簿", "关闭后剪贴簿查看器无法与其他计算机共享内容。",
        {{"ClipSrv", {AUTO, 1}, {DISABLED, 2}}}},
    {"WebClient", "关闭后无法以文件夹方式访问WebDAV网络文件夹。",
        {{"WebClient", {AUTO, 1}, {DISABLED, 2}}}},
    {"Windows 时间同步", "关闭后系统时钟不再与网络时间服务器同步。",
        {{"W32Time", {AUTO, 1}, {DISABLED, 1}}}},
    {"快速用户切换兼容性", "设为手动后，个别旧程序在快速切换用户时可能出错。",
        {{"FastUserSwitchingCompatibility", {AUTO, 1}, {DEMAND, 1}}}},
    {"快速用户切换兼容性", "与上一项是同一服务，两项总是一起勾选或清除。",
        {{"FastUserSwitchingCompatibility", {AUTO, 1}, {DEMAND, 1}}}},
    {"计算机浏览器", "关闭后“网上邻居”中可能看不到局域网里的其他计算机。",
        {{"Browser", {AUTO, 1}, {DISABLED, 0}}}},
};
// clang-format on

ServiceChoices currentServiceChoices(MachineFacts& machine) {
    ServiceChoices values{};
    for (int i = 0; i < kServiceChoiceCount; ++i) {
        const ServiceChoice& choice = kServiceChoices[i];
        bool anyRead = false;
        bool anyAuto = false;
        for (int l = 0; l < choice.lineCount(); ++l) {
            std::optional<StartMode> mode = machine.serviceStartMode(choice.lines[l].service);
            if (!mode)
                continue;
            anyRead = true;
            anyAuto = anyAuto || *mode == StartMode::Auto || *mode == StartMode::DelayedAuto;
        }
        values[i] = (!anyRead || anyAuto) ? 1 : 0;
    }
    return values;
}
