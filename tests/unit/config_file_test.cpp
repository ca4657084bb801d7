// The room's file of /config:: every key, every error with its file and line,
// the three encodings, and a run from the file that does what the same
// switches do.
#include "cli/command_line.h"
#include "cli/config_file.h"
#include "fakes/fake_platform.h"
#include "platform/cp936.h"

#include <gtest/gtest.h>

namespace {

using Args = std::vector<std::string>;

// Every choice of the per-service dialog, the two that share a name once.
const std::string kServices = "[Services]\r\n"
                              "桌面主题 = 关闭\r\n"
                              "打印后台处理程序 = 自动\r\n"
                              "Windows 防火墙与应用层网关 = 自动\r\n"
                              "网络 DDE = 关闭\r\n"
                              "DHCP 与 DNS 客户端 = 自动\r\n"
                              "无线零配置 = 关闭\r\n"
                              "文件和打印机共享 = 自动\r\n"
                              "自动更新 = auto\r\n"
                              "系统还原 = off\r\n"
                              "IPSEC 策略代理 = 关闭\r\n"
                              "SSDP 发现服务 = 关闭\r\n"
                              "剪贴簿 = 关闭\r\n"
                              "webclient = 关闭\r\n"
                              "Windows 时间同步 = 自动\r\n"
                              "快速用户切换兼容性 = 自动\r\n"
                              "计算机浏览器 = 关闭\r\n";

const std::string kRoom = "; 示例学校 计算机教室\r\n"
                          "[Actions]\r\n"
                          "Optimize = yes\r\n"
                          "restore = no\r\n"
                          "clean = 是\r\n"
                          "tweaks = notepad, shareddocs\r\n"
                          "\r\n" +
                          kServices +
                          "[OEM]\r\n"
                          "owner = \"信息中心\"\r\n"
                          "organization = 示例学校\r\n"
                          "manufacturer = 联想\r\n"
                          "model = 天逸 F41\r\n"
                          "logo = C:\\room\\logo.bmp\r\n";

const Args kRoomSwitches = {"/optimize",
                            "/clean",
                            "/tweaks:notepad, shareddocs",
                            "/owner:信息中心",
                            "/organization:示例学校",
                            "/manufacturer:联想",
                            "/model:天逸 F41",
                            "/logo:C:\\room\\logo.bmp",
                            "/services:01101011000001110"};

std::string utf16(const std::string& utf8, bool bigEndian) {
    // The test texts are ASCII and CJK of the basic plane.
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        unsigned code = c;
        int n = 1;
        if (c >= 0xE0) {
            code = (c & 0x0F) << 12 | (utf8[i + 1] & 0x3F) << 6 | (utf8[i + 2] & 0x3F);
            n = 3;
        } else if (c >= 0xC0) {
            code = (c & 0x1F) << 6 | (utf8[i + 1] & 0x3F);
            n = 2;
        }
        const char hi = static_cast<char>(code >> 8), lo = static_cast<char>(code & 0xFF);
        out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
        i += static_cast<std::size_t>(n);
    }
    return out;
}

TEST(ConfigFile, EveryKeyBecomesItsSwitch) {
    const ConfigSwitches found = switchesOfConfig(kRoom, "room.ini");
    ASSERT_FALSE(found.error) << *found.error;
    EXPECT_EQ(found.args, kRoomSwitches);
}

TEST(ConfigFile, TheThreeEncodings) {
    const std::string gbk = *toCp936(kRoom);
    EXPECT_EQ(configText(gbk), kRoom);
    EXPECT_EQ(configText("\xEF\xBB\xBF" + kRoom), kRoom);
    EXPECT_EQ(configText(utf16(kRoom, false)), kRoom);
    EXPECT_EQ(configText(utf16(kRoom, true)), kRoom);
    for (const std::string& bytes : {gbk, "\xEF\xBB\xBF" + kRoom, utf16(kRoom, false)}) {
        FakePlatform p;
        p.files["C:\\room\\room.ini"] = bytes;
        const std::optional<ConfigSwitches> found =
            configSwitches(p, {"/config:C:\\room\\room.ini", "/quiet"});
        ASSERT_TRUE(found && !found->error);
        Args want = kRoomSwitches;
        want.push_back("/quiet");
        EXPECT_EQ(found->args, want);
    }
}

TEST(ConfigFile, EveryErrorNamesTheFileAndItsLine) {
    const struct {
        std::string text;
        std::string says;
    } cases[] = {
        {"[Actions]\r\noptimize\r\n", "第 2 行：无法识别的行"},
        {"optimize = yes\r\n", "第 1 行：“optimize”不在任何节中"},
        {"[Actions\r\n", "第 1 行：节名缺少“]”"},
        {"; c\r\n[Tweaks]\r\n", "第 2 行：未知的节 [Tweaks]"},
        {"[Actions]\r\nshutdown = yes\r\n", "第 2 行：[Actions] 中未知的名称“shutdown”"},
        {"[Actions]\r\noptimize = yes\r\nOPTIMIZE = no\r\n", "第 3 行：“OPTIMIZE”重复"},
        {"[Actions]\r\nclean = maybe\r\n", "第 2 行：值应为 yes 或 no，而不是“maybe”"},
        {"[Actions]\r\noptimize = yes\r\ntweaks = arrows\r\n", "第 3 行：/tweaks 只接受"},
        {"[Services]\r\n主题 = 自动\r\n", "第 2 行：“主题”不是“详细服务优化”中的一项"},
        {"[Services]\r\n桌面主题 = 开\r\n", "第 2 行：“桌面主题”的值应为 自动 或 关闭"},
        {"[Actions]\r\nclean = yes\r\n[Services]\r\n桌面主题 = 自动\r\n",
         "第 3 行：[Services] 缺少 打印后台处理程序、"},
        {"[OEM]\r\nmodel = 한국\r\n", "第 2 行：/model 的文本含有无法用 GBK 编码表示的字符"},
        {"[OEM]\r\nlogo =\r\n", "第 2 行：开关 /logo 缺少值"},
        {"[OEM]\r\nserial = 1\r\n", "第 2 行：[OEM] 中未知的名称“serial”"},
    };
    for (const auto& c : cases) {
        const ConfigSwitches found = switchesOfConfig(c.text, "C:\\room.ini");
        ASSERT_TRUE(found.error) << c.says;
        EXPECT_EQ(found.error->rfind("配置文件 C:\\room.ini " + c.says, 0), 0u) << *found.error;
    }
}

TEST(ConfigFile, ARunFromTheFileGivesOneForItsErrorsAndForMixedSwitches) {
    FakePlatform p;
    p.files["room.ini"] = *toCp936("[Actions]\r\noptimize = yes\r\nrestore = yes\r\n");
    EXPECT_EQ(runCommandLine(p, p, {"/config:room.ini", "/quiet"}), 1);
    EXPECT_NE(p.output.find("配置文件 room.ini：/optimize 与 /restore 不能同时使用"),
              std::string::npos)
        << p.output;
    EXPECT_TRUE(p.launches.empty());

    p.files["room.ini"] = *toCp936("[Actions]\r\nclean = yes\r\n");
    for (const Args& args :
         {Args{"/config:room.ini", "/optimize"}, Args{"/clean", "/config:room.ini"},
          Args{"/config:room.ini", "/config:other.ini"}, Args{"/config:missing.ini"}}) {
        p.output.clear();
        EXPECT_EQ(runCommandLine(p, p, args), 1) << args[0] << " " << args[1];
        EXPECT_NE(p.output.find("/config"), std::string::npos) << p.output;
    }
    EXPECT_TRUE(p.launches.empty());
    // A path with a line break is refused without being repeated.
    p.output.clear();
    EXPECT_EQ(runCommandLine(p, p, {"/config:room.ini\r\n2024-05-01 [0] done", "/quiet"}), 1);
    EXPECT_NE(p.output.find("/config: 的路径含有换行等控制字符"), std::string::npos) << p.output;
    EXPECT_EQ(p.output.find("[0] done"), std::string::npos) << p.output;
    // The options go with it.
    EXPECT_EQ(runCommandLine(p, p, {"/config:room.ini", "/quiet", "/force"}), 0);
    EXPECT_EQ(p.launchedNames(), Args{"xtql.bat"});
}

TEST(ConfigFile, ExportFromTheFileIsByteForByteThatOfTheSwitches) {
    const auto exported = [](const Args& args) {
        FakePlatform p;
        p.files["C:\\room\\logo.bmp"] = "BM-logo";
        p.files["room.ini"] = *toCp936("[Actions]\r\noptimize = yes\r\nclean = yes\r\n" +
                                       kServices + "[OEM]\r\nlogo = C:\\room\\logo.bmp\r\n");
        EXPECT_EQ(runCommandLine(p, p, args), 0) << p.output;
        std::map<std::string, std::string> out;
        for (const auto& [path, bytes] : p.files)
            if (path.rfind("C:\\out\\", 0) == 0)
                out[path] = bytes;
        return out;
    };
    const auto fromFile = exported({"/config:room.ini", "/export:C:\\out"});
    EXPECT_EQ(fromFile.size(), 7u);
    EXPECT_EQ(fromFile, exported({"/export:C:\\out", "/optimize", "/clean",
                                  "/services:01101011000001110", "/logo:C:\\room\\logo.bmp"}));
}

} // namespace
