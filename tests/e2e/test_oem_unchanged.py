"""OEM information end to end: the panel reads the manufacturer and model
where Windows reads them (the first [General] section, keys without regard
to case or blanks, the first line winning, the whole file, comments not
keys), and applying the values it shows leaves the file byte for byte.

For each file below, in turn: the file is put into system32 in GBK, the
panel is opened again with real clicks and shows the file's manufacturer and
model; "应用新的OEM信息" is pressed without editing them (for the first file
with the owner edited by typing), "OEM信息已经更新" is confirmed, and
oeminfo.ini holds exactly the bytes it held before.
"""

from test_oem import (CURRENT_VERSION, SYSTEM32, UPDATED, boxes, read, retype,
                      write)

OWNER, NEW_OWNER = "王小明", "Li Si"  # typed: ASCII, which xdotool types reliably

# (what, file text, manufacturer shown, model shown)
FILES = [
    ("a sub-model in another section",
     "[General]\r\nManufacturer=Acme\r\nModel=X100\r\n\r\n[OEMSpecific]\r\nSubModel=RevB\r\n",
     "Acme", "X100"),
    ("a support line that holds Model=",
     "[General]\r\nManufacturer=联想集团\r\nModel=天逸 F41\r\n\r\n"
     "[Support Information]\r\nLine1=Model=see web\r\nLine2=服务时间 9:00-18:00\r\n",
     "联想集团", "天逸 F41"),
    ("a comment in [General] and the key's own spelling",
     "[General]\r\n;Model=old one\r\nManufacturer = Acme \r\nmodel = X 200\r\n"
     "Model=second\r\n",
     "Acme", "X 200"),
    ("[General] after line 200",
     "".join(f"; padding line {n}\r\n" for n in range(1, 211)) +
     "[General]\r\nManufacturer=宏碁\r\nModel=型号 7\r\n",
     "宏碁", "型号 7"),
]


def difference(actual, expected):
    """Where two byte strings part, with a little of each around it."""
    at = next((i for i, (a, e) in enumerate(zip(actual, expected)) if a != e),
              min(len(actual), len(expected)))
    return (f"{len(actual)} bytes, expected {len(expected)}; from byte {at}: "
            f"{actual[at:at + 40]!r}, expected {expected[at:at + 40]!r}")


def test_oem_unchanged(session):
    ini = session.path_of(SYSTEM32 + "\\oeminfo.ini")
    session.reg_add(CURRENT_VERSION, "RegisteredOwner", OWNER)
    main = session.start()
    for n, (what, text, manufacturer, model) in enumerate(FILES):
        data = text.encode("gbk")
        write(ini, data)
        session.click("xt", main)
        session.click("oem", main)
        shown = boxes(session)
        assert shown[2:] == [model, manufacturer], (
            f"{what}: the panel shows the model and manufacturer of [General]")
        if n == 0:
            retype(session, "Text1", NEW_OWNER, main)
        session.click("Command6", main)
        assert session.close_message_box() == UPDATED, f"{what}: the confirmation"
        after = read(ini)
        assert after == data, (
            f"{what}: oeminfo.ini is byte for byte as it was: {difference(after, data)}")
    assert session.reg_query(CURRENT_VERSION, "RegisteredOwner") == NEW_OWNER, (
        "the owner edited with the first file was applied")

