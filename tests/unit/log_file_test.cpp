// /log:<file>: the run's lines go to a file the technician names as well as
// to the program's own log, and never through a link.
#include "cli/command_line.h"
#include "fakes/fake_platform.h"
#include "platform/cp936.h"

#include <gtest/gtest.h>

namespace {

const std::string kLog =
    "C:\\Documents and Settings\\All Users\\Application Data\\Velkor\\velkor-log.txt";
const std::string kShared = "\\\\server\\logs\\PC01.txt";

TEST(LogFile, TheRunsLinesAreAppendedThereToo) {
    FakePlatform p;
    p.files[kShared] = "earlier\r\n";
    EXPECT_EQ(runCommandLine(p, p, {"/clean", "/log:" + kShared, "/quiet"}), 0);
    const std::string run = *toCp936("2024-05-01 12:30:05 [0] Velkor.exe /clean /log:" + kShared +
                                     " /quiet\r\n"
                                     "2024-05-01 12:30:05 [0] 系统垃圾清理：已完成\r\n");
    EXPECT_EQ(p.files.at(kShared), "earlier\r\n" + run);
    EXPECT_EQ(p.files.at(kLog), run);
    EXPECT_EQ(p.output, "系统垃圾清理：已完成\r\n");
}

TEST(LogFile, ALinkIsNotWrittenThroughAndTheRunSaysSo) {
    FakePlatform p;
    p.links.insert(kShared);
    EXPECT_EQ(runCommandLine(p, p, {"/clean", "/log:" + kShared, "/quiet"}), 0);
    EXPECT_EQ(p.files.count(kShared), 0u);
    EXPECT_EQ(p.output, "系统垃圾清理：已完成\r\n无法写入日志 " + kShared +
                            "：该名称已被一个文件或指向别处的链接占用。\r\n");
}

TEST(LogFile, BadSwitchesAreLoggedThereToo) {
    FakePlatform p;
    EXPECT_EQ(runCommandLine(p, p, {"/log:" + kShared, "/bogus"}), 1);
    EXPECT_NE(p.files.at(kShared).find("[1] Velkor.exe /log:"), std::string::npos);
    FakePlatform empty;
    EXPECT_EQ(runCommandLine(empty, empty, {"/clean", "/log:"}), 1);
}

// Bytes that are no UTF-8 (overlong, a surrogate, above U+10FFFF) reach the
// log as they came, one escape each, and take no byte after them along.
TEST(LogFile, BytesThatAreNoUtf8AreWrittenAsEscapes) {
    FakePlatform p;
    EXPECT_EQ(runCommandLine(p, p, {"/bogus\xC0\x80:\xED\xA0\x80|\xF4\x90\x80\x80!", "/quiet"}), 1);
    EXPECT_NE(p.files.at(kLog).find(
                  "Velkor.exe /bogus\\xC0\\x80:\\xED\\xA0\\x80|\\xF4\\x90\\x80\\x80! /quiet\r\n"),
              std::string::npos)
        << p.files.at(kLog);
}

} // namespace
