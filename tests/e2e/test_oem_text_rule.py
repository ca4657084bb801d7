#!/usr/bin/env python3
"""The OEM text rule from both front ends, under Wine: the owner and the
organisation are Unicode registry strings and take text that GBK cannot hold;
the manufacturer and the model go into the code page 936 oeminfo.ini and do
not; no value takes a tab or a line break.

Before the program starts, the registry holds an owner and an organisation
and system32 a GBK oeminfo.ini.

  1. /owner:삼성 /quiet: exit code 0 and "OEM信息已经更新"; exported from the
     registry (UTF-16, so that nothing is lost to the console's code page),
     RegisteredOwner is "삼성"; the organisation and oeminfo.ini are as they were.
  2. /organization:<a tab> /quiet and /manufacturer:삼성 /quiet: exit code 1, as
     for every bad switch, and the reason on standard output; nothing changed.
  3. In the window, "삼성" pasted into the organisation box and "应用新的OEM信息"
     pressed: "OEM信息已经更新", and RegisteredOrganization is "삼성"; then a tab
     pasted into the owner box: "“系统注册姓名”中含有制表符等控制字符，OEM信息未作
     任何修改。" and the owner is still "삼성".
"""
import os

import test_command_line as cli
import test_oem as oem

INI = oem.SYSTEM32 + "\\oeminfo.ini"
EXPORT = "C:\\velkor\\current-version.reg"
HANGUL = "삼성"


def exported_value(s, name):
    """The data of a string value of CurrentVersion as `reg export` writes it
    (UTF-16), or None when the export has no such value."""
    path = s.path_of(EXPORT)
    if os.path.exists(path):
        os.remove(path)
    code, text = s.run_wine("reg", "export", oem.CURRENT_VERSION, EXPORT, "/y")
    if code != 0:
        raise RuntimeError(f"reg export: {text}")
    lines = oem.read(path).decode("utf-16").split("\r\n")
    prefix = f'"{name}"="'
    for line in lines:
        if line.startswith(prefix) and line.endswith('"'):
            return line[len(prefix):-1]
    return None


def command_line(s):
    ini = s.path_of(INI)
    code, out = s.run_program(f"/owner:{HANGUL}", "/quiet", timeout=120)
    assert code == 0, f"/owner:삼성: exit code 0: {repr(out)}"
    assert cli.outcome_lines(out) == ["OEM信息：OEM信息已经更新"], "/owner:삼성: the outcome line"
    assert exported_value(s, "RegisteredOwner") == HANGUL, "/owner:삼성: RegisteredOwner"
    assert exported_value(s, "RegisteredOrganization") == oem.ORGANISATION, (
        "/owner:삼성: the organisation not given keeps its value")
    assert oem.read(ini) == oem.INI_BEFORE.encode("gbk"), "/owner:삼성: oeminfo.ini untouched"

    cases = [
        (["/organization:a\tb", "/quiet"], "/organization 的文本含有换行等控制字符"),
        ([f"/manufacturer:{HANGUL}", "/quiet"], "/manufacturer 的文本含有无法用 GBK 编码表示的字符"),
    ]
    for args, reason in cases:
        code, out = s.run_program(*args, timeout=60)
        what = repr(args[0])
        assert code == 1, f"{what}: exit code 1"
        assert reason in out, f"{what}: standard output gives the reason: {repr(out)}"
    assert exported_value(s, "RegisteredOrganization") == oem.ORGANISATION, (
        "refused switches: the organisation unchanged")
    assert oem.read(ini) == oem.INI_BEFORE.encode("gbk"), "refused switches: oeminfo.ini untouched"


def paste(s, name, text, tree):
    """Replaces a box's text with `text` through the clipboard and a real
    Ctrl+V, which takes a tab as it is (a typed tab moves the focus)."""
    s.click(name, tree)
    s.key("End")
    s.key("shift+Home")
    s.inspect("clipboard", text)
    s.key("ctrl+v")


def window(s):
    main = s.start()
    s.click("oem", main)
    main = s.tree()
    paste(s, "Text2", HANGUL, main)
    assert s.tree()["Text2"]["text"] == HANGUL, "the organisation box holds the pasted text"
    s.click("Command6", main)
    assert s.close_message_box() == oem.UPDATED, "the window applies an organisation of 삼성"
    assert exported_value(s, "RegisteredOrganization") == HANGUL, (
        "the window: RegisteredOrganization")

    paste(s, "Text1", "a\tb", main)
    assert s.tree()["Text1"]["text"] == "a\tb", "the owner box holds the pasted tab"
    s.click("Command6", main)
    assert s.close_message_box() == "“系统注册姓名”中含有制表符等控制字符，OEM信息未作任何修改。", (
        "the window refuses a tab in the owner")
    assert exported_value(s, "RegisteredOwner") == HANGUL, "the window: the owner unchanged"


def test_oem_text_rule(session):
    session.reg_add(oem.CURRENT_VERSION, "RegisteredOwner", oem.OWNER)
    session.reg_add(oem.CURRENT_VERSION, "RegisteredOrganization", oem.ORGANISATION)
    oem.write(session.path_of(INI), oem.INI_BEFORE.encode("gbk"))
    command_line(session)
    window(session)
