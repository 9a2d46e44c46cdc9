#!/usr/bin/env python3
"""End-to-end tests of mgmtctl: runs the built tool and reads what it prints.

usage: mgmtctl_test.py MGMTCTL FRAMEWORK_LIBRARY [unittest arguments, e.g. -k Scripts]
"""
import json
import os
import subprocess
import sys
import tempfile
import unittest

TOOL = None
FRAMEWORK_LIBRARY = None  # a shared library that is not the proxy library


def run(*args, stdin=None):
    done = subprocess.run([TOOL, *args], input=stdin, capture_output=True, timeout=60)
    return done.returncode, done.stdout, done.stderr.decode("utf-8", "replace")


def records(*args, stdin=None, status=0):
    code, out, err = run("--json", *args, stdin=stdin)
    if code != status:
        raise AssertionError(f"mgmtctl {' '.join(map(str, args))}: exit {code}, expected {status}\n{err}")
    return [json.loads(line) for line in out.decode("utf-8").splitlines()]


def of(kind, recs):
    return [r for r in recs if r["record"] == kind]


def params(record):
    return [(p["name"], p["kind"], p["direction"], p["value"]) for p in record["parameters"]]


class Calls(unittest.TestCase):
    """What one call sends and what it hands back, read from the JSON records."""

    CASES = [
        # arguments, remote method, style, request parameters
        (["setPhoneBusyStatus", "5"], "setPhoneBusyStatus", "one-way", [("busyStatus", "int", "in", 5)]),
        (["getListOfFilesOfType", "ringer", "a.raw,b c.raw"], "getListOfFilesOfType", "synchronous",
         [("FileType", "string", "in", "ringer"), ("FileNames", "string", "inout", "[a.raw,b c.raw]")]),
        (["getListOfFilesOfType", "11"], "getListOfFilesOfType", "synchronous",
         [("FileType", "string", "in", "ringer"), ("FileNames", "string", "inout", "empty")]),
        (["uploadUserFile", "FILETYPE_TONE", "x"], "uploadUserFile", "synchronous",
         [("filetype", "int", "in", 7), ("filename", "string", "in", "x")]),
        (["changeCurrentUser", "visitorUser"], "changeCurrentUser", "synchronous",
         [("userType", "string", "in", "visitorUser")]),
        (["changeCurrentUser", "8"], "changeCurrentUser", "synchronous",
         [("userType", "string", "in", "ClearDataVisitorUserQel")]),
        (["cleanupUserData", "moh", "USER_DEFAULT"], "cleanupUserData", "one-way",
         [("filetype", "string", "in", "moh"), ("userType", "int", "in", 4)]),
        (["raiseGenericTrap", "TRAP_DEST_SECONDARY", "0x10"], "raiseGenericTrap", "one-way",
         [("dest", "int", "in", 2), ("trapNo", "int", "in", 16)]),
        (["verifyFactoryResetPassword", "hunter2"], "verifyFactoryResetPassword", "synchronous with time-out",
         [("password", "string", "inout", "********")]),
        (["addActionEventRequestWithData", "EVENT_CALL_STATE", ""], "addActionEventRequestWithData", "one-way",
         [("type", "int", "in", 2), ("data", "string", "in", "")]),
        (["addActionEventRequest", "7"], "addActionEventRequest", "one-way", [("type", "int", "in", 7)]),
        (["sendLocationDeliveryRequest"], "sendLocationDeliveryRequest", "one-way", []),
    ]

    def test_requests_carry_the_parameters_in_order(self):
        for args, remote, style, expected in self.CASES:
            with self.subTest(args=args):
                recs = records("call", *args)
                [request] = of("request", recs)
                self.assertEqual(request["method"], remote)
                self.assertEqual(request["style"], style)
                self.assertEqual(params(request), expected)
                self.assertEqual(recs[0]["record"], "call")
                self.assertEqual(recs[-1]["record"], "result")

    def test_results_and_out_arguments(self):
        cases = [
            (["retrievePhoneBusyStatus"], "unsigned int", 0, {}),
            (["getListOfFilesOfType", "ringer", "old.raw"], "bool", True,
             {"files": ["Classic.raw", "Chirp.raw"]}),
            (["getIDAndDisplayName"], "bool", True, {"identifier": "SEP-0001", "displayName": "Desk Phone"}),
            (["setPhoneBusyStatus", "1"], "void", None, {}),
        ]
        for args, kind, value, outs in cases:
            with self.subTest(args=args):
                [result] = of("result", records("call", *args))
                self.assertEqual((result["type"], result["value"], result["out"]), (kind, value, outs))

    def test_memory_info_comes_back_as_its_entries(self):
        [result] = of("result", records("call", "getUserDataSpaceInfo"))
        self.assertEqual(set(result["out"]["info"]), {"free", "total", "used"})

    def test_callback_channels_name_the_agent(self):
        cases = [
            (["observeManageableData", "Device.X", "agent1"], "agent-1"),
            (["registerManagementIdentity", "mgr", "watcher"], "agent-1"),
            (["startDownloadWithObserver", "ringer", "agent7", "true", "CERTIFICATE_NONE"], "agent-1"),
            (["observeManageableData", "Device.X", "none"], ""),
        ]
        for args, channel in cases:
            with self.subTest(args=args):
                [request] = of("request", records("call", *args))
                self.assertEqual(request["callbackChannel"], channel)

    def test_a_null_agent_gets_the_level_2_record(self):
        logs = of("log", records("call", "observeManageableData", "Device.X", "none"))
        self.assertEqual([(l["level"], l["message"]) for l in logs],
                         [(2, "method:observeData observer is not an Executable callbackChan is null")])

    def test_log_level_switches_records_on(self):
        cases = [("2", []), ("5", [(5, "getListOfFilesOfType"), (5, "convertFileTypeEnumToString")])]
        for level, expected in cases:
            with self.subTest(level=level):
                logs = of("log", records("--log-level", level, "call", "getListOfFilesOfType", "ringer"))
                self.assertEqual([(l["level"], l["message"]) for l in logs], expected)
        [trace] = of("log", records("--log-level", "6", "call", "sendLocationDeliveryRequest"))
        self.assertEqual((trace["file"], trace["component"]), ("./src/LocationDeliveryRequestProxy", "LocalMgmtProxy"))

    def test_text_output_shows_the_records(self):
        code, out, _ = run("call", "uploadUserFile", "ringer", "Chirp.raw")
        self.assertEqual(code, 0)
        text = out.decode()
        for expected in ['call     uploadUserFile(fileType="ringer", filename="Chirp.raw")',
                         "request  uploadUserFile  (synchronous)",
                         'filetype    int     in     11', "reply", "result   int 0"]:
            self.assertIn(expected, text)


class Masking(unittest.TestCase):
    """Passwords never reach the output, in either mode."""

    CASES = [
        ["call", "performFactoryReset", "S3cretPw", "false"],
        ["call", "verifyFactoryResetPassword", "S3cretPw"],
        ["call", "startDownloadFrom", "PROTOCOL_FTP", "21", "srv", "me", "S3cretPw", "ringer", "/p", "f.raw",
         "false", "CERTIFICATE_NONE"],
        ["call", "setData", "user=me;adminPassword=S3cretPw;SIPPASSWORD=S3cretPw"],
        ["--log-level", "5", "call", "setData", "user=me;adminPassword=S3cretPw"],
        ["call", "checkDataEditable", "webPassword=S3cretPw", "ACCESS_ADMIN"],
    ]

    def test_no_password_in_text_or_json(self):
        for args in self.CASES:
            for mode in ([], ["--json"]):
                with self.subTest(args=args, mode=mode):
                    code, out, err = run(*mode, *args)
                    self.assertEqual(code, 0, err)
                    self.assertNotIn(b"S3cretPw", out)
                    self.assertIn(b"********", out)

    def test_other_values_stay_visible(self):
        recs = records("call", "setData", "user=me;adminPassword=S3cretPw")
        [request] = of("request", recs)
        self.assertEqual(params(request), [("manageableData", "string", "inout", "adminPassword=********;user=me")])
        self.assertEqual(recs[0]["arguments"]["data"], {"adminPassword": "********", "user": "me"})


class Scripts(unittest.TestCase):
    """`run`: one session for all lines, comments ignored, bad lines refused."""

    def script(self, text):
        handle = tempfile.NamedTemporaryFile("w", suffix=".mgmt", delete=False)
        self.addCleanup(os.unlink, handle.name)
        handle.write(text)
        handle.close()
        return handle.name

    def test_state_carries_over(self):
        path = self.script("# busy status\n\nsetPhoneBusyStatus 6\nretrievePhoneBusyStatus\n"
                           "clearPhoneBusyStatus 2   # one bit\nretrievePhoneBusyStatus\n")
        recs = records("run", path)
        self.assertEqual([r["line"] for r in of("call", recs)], [3, 4, 5, 6])
        self.assertEqual([r["value"] for r in of("result", recs)], [None, 6, None, 4])

    def test_standard_input_and_quoting(self):
        recs = records("run", "-", stdin=b'addActionEventRequestWithData 1 "two words"\n'
                                          b"addActionEventRequestWithData 1 'it''s'\n"
                                          b'addActionEventRequestWithData 1 ""\n')
        self.assertEqual([params(r)[1][3] for r in of("request", recs)], ["two words", "its", ""])

    def test_one_agent_name_is_one_channel(self):
        path = self.script("observeManageableData a agent1\nobserveManageableData b agent2\n"
                           "stopObservingManageableData a agent1\n")
        self.assertEqual([r["callbackChannel"] for r in of("request", records("run", path))],
                         ["agent-1", "agent-2", "agent-1"])

    def test_a_bad_line_stops_before_anything_is_sent(self):
        cases = [
            ("setPhoneBusyStatus 1\nretrievePhoneBusyStatus\nuploadUserFile ringr a\n", "line 3", "ringer"),
            ("setPhoneBusyStatus 1\nsetPhoneBusyStatuss 2\n", "line 2", "setPhoneBusyStatus"),
            ("# x\nsetPhoneBusyStatus\n", "line 2", "usage: setPhoneBusyStatus"),
            ('setPhoneBusyStatus 1\naddActionEventRequestWithData 1 "open\n', "line 2", "unterminated"),
        ]
        for text, line, hint in cases:
            with self.subTest(text=text):
                code, out, err = run("run", self.script(text))
                self.assertEqual(code, 2)
                self.assertEqual(out, b"")
                self.assertIn(line, err)
                self.assertIn(hint, err)

    def test_a_call_that_throws_does_not_stop_the_script(self):
        recs = records("--fail", "retrievePhoneBusyStatus", "run", "-",
                       stdin=b"retrievePhoneBusyStatus\nsetPhoneBusyStatus 1\n", status=1)
        self.assertEqual([r["record"] for r in recs if r["record"] in ("error", "result")], ["error", "result"])


class Failures(unittest.TestCase):
    """--fail shows each failure pattern with its records."""

    def test_patterns(self):
        cases = [
            # arguments, exit, log records (level, message), result value or None for an error
            (["--fail", "uploadUserFile", "call", "uploadUserFile", "ringer", "a"], 0,
             [(2, "uploadUserFile: simulated failure\n")], -1),
            (["--fail", "uploadUserFile=disk full", "call", "uploadUserFile", "ringer", "a"], 0,
             [(2, "uploadUserFile: disk full\n")], -1),
            (["--fail", "deleteFile", "call", "deleteFile", "ringer", "a"], 0,
             [(3, "deleteFile: proxyReq->synchronousCall timeout.\n")], False),
            (["--log-level", "2", "--fail", "deleteFile", "call", "deleteFile", "ringer", "a"], 0, [], False),
            (["--fail", "retrievePhoneBusyStatus", "call", "retrievePhoneBusyStatus"], 1, [], None),
            (["--fail", "setPhoneBusyStatus", "call", "setPhoneBusyStatus", "1"], 1, [], None),
            (["--fail", "observeData", "call", "observeManageableData", "n", "agent1"], 0,
             [(2, "findSchemaName: simulated failure\n")], False),
        ]
        for args, status, logs, value in cases:
            with self.subTest(args=args):
                recs = records(*args, status=status)
                self.assertEqual([(l["level"], l["message"]) for l in of("log", recs)], logs)
                [reply] = of("reply", recs)
                self.assertIn("failure", reply)
                if value is None:
                    [error] = of("error", recs)
                    self.assertTrue(error["text"].startswith("CorvexException: "), error)
                else:
                    [result] = of("result", recs)
                    self.assertEqual(result["value"], value)

    def test_reboot_fallback_is_shown_in_order(self):
        recs = records("--fail", "performReboot=timed out", "call", "performReboot", "update")
        self.assertEqual([r["record"] for r in recs], ["call", "request", "reply", "stdout", "reboot", "result"])
        self.assertEqual(of("stdout", recs)[0]["text"], "performReboot:timed out\n")
        self.assertIs(of("result", recs)[0]["value"], True)

    def test_text_mode_names_the_failure(self):
        code, out, _ = run("--fail", "uploadUserFile", "call", "uploadUserFile", "ringer", "a")
        self.assertEqual(code, 0)
        self.assertIn("uploadUserFile: simulated failure", out.decode())
        self.assertIn("result   int -1", out.decode())


class Json(unittest.TestCase):
    """Every line of --json output is one object with the keys of its record."""

    KEYS = {
        "call": {"operation", "arguments"},
        "request": {"method", "style", "timeout", "callbackChannel", "parameters"},
        "reply": {"method"},
        "log": {"level", "component", "file", "line", "format", "message"},
        "result": {"operation", "type", "value", "out"},
        "error": {"operation", "text"},
        "note": {"text"},
        "operation": {"interface", "name", "member", "arguments", "result"},
        "type": {"name", "values", "largest"},
        "stdout": {"text"},
        "reboot": set(),
    }

    def test_every_command_writes_well_formed_records(self):
        for args in (["demo"], ["list"], ["--log-level", "9", "call", "setData", "a=1"],
                     ["--fail", "performReboot", "call", "performReboot", "x"]):
            with self.subTest(args=args):
                for record in records(*args):
                    self.assertIn(record["record"], self.KEYS)
                    self.assertLessEqual(self.KEYS[record["record"]], set(record), record)

    def test_strings_are_escaped_and_come_back_unchanged(self):
        cases = [
            ('quote " backslash \\ end', 'quote " backslash \\ end'),
            ("line\nfeed\ttab\rreturn\x01\x1f\x7f", "line\nfeed\ttab\rreturn\x01\x1f\x7f"),
            ("caf\u00e9 \u20ac \U0001f600", "caf\u00e9 \u20ac \U0001f600"),
            (b"bad \xff \xc3 byte", "bad \u00ff \u00c3 byte"),  # not UTF-8: each byte as \u00XX
            (b"overlong \xc0\xaf", "overlong \u00c0\u00af"),
        ]
        for given, expected in cases:
            with self.subTest(given=given):
                arg = given if isinstance(given, bytes) else given.encode()
                code, out, err = run("--json", "call", "addActionEventRequestWithData", "1", arg)
                self.assertEqual(code, 0, err)
                out.decode("utf-8")  # strict: the stream is valid UTF-8
                [request] = of("request", [json.loads(line) for line in out.splitlines()])
                self.assertEqual(params(request)[1][3], expected)


class BadInput(unittest.TestCase):
    """Bad input gives exit 2, a message naming what would fit, and no output."""

    def test_refused_with_a_hint(self):
        cases = [
            (["call", "uploadUserFiel", "ringer", "a"], ["unknown operation", "uploadUserFile"]),
            (["call", "getListOfFiles", "ringer"], ["getListOfFilesOfType"]),
            (["call", "uploadUserFile", "ringer"], ["takes 2 arguments", "usage: uploadUserFile fileType"]),
            (["call", "retrievePhoneBusyStatus", "1"], ["takes 0 arguments"]),
            (["call", "uploadUserFile", "ringr", "a"], ["not a file type", "ringer", "vrpat", "usage:"]),
            (["call", "uploadUserFile", "32", "a"], ["from 0 to 31"]),
            (["call", "changeCurrentUser", "visitor"], ["visitorUser", "ClearDataVisitorUserQel"]),
            (["call", "raiseGenericTrap", "TRAP_DEST_NOWHERE", "1"], ["TRAP_DEST_PRIMARY"]),
            (["call", "setPhoneBusyStatus", "-1"], ["not an unsigned int", "usage:"]),
            (["call", "raiseGenericTrap", "0", "12x"], ["not an int"]),
            (["call", "startDownload", "ringer", "maybe", "0"], ["not a bool"]),
            (["call", "setData", "novalue"], ["has no '='"]),
            (["call", "observeManageableData", "n", "9lives"], ["not an agent name"]),
            (["call"], ["usage: mgmtctl call"]),
            (["uploadUserFile"], ["mgmtctl call uploadUserFile"]),
            (["lst"], ["unknown command", "list"]),
            (["run"], ["usage: mgmtctl run"]),
            (["run", "/nonexistent/script"], ["cannot read"]),
            (["--jsn", "list"], ["unknown option", "--json"]),
            (["--log-level", "x", "list"], ["--log-level"]),
            (["--fail", "uploadUserFil", "call", "setPhoneBusyStatus", "1"], ["uploadUserFile"]),
            (["--library", "/nonexistent/lib.so", "call", "setPhoneBusyStatus", "1"], ["cannot load"]),
            (["--library", None, "call", "setPhoneBusyStatus", "1"], ["has no factory createLocalMgmtProxy"]),
        ]
        for args, hints in cases:
            args = [FRAMEWORK_LIBRARY if a is None else a for a in args]
            with self.subTest(args=args):
                code, out, err = run(*args)
                self.assertEqual(code, 2, err)
                self.assertEqual(out, b"")
                for hint in hints:
                    self.assertIn(hint, err)

    def test_help(self):
        code, out, _ = run("--help")
        self.assertEqual(code, 0)
        for command in (b"demo", b"list", b"call OPERATION", b"run FILE", b"--fail", b"--json"):
            self.assertIn(command, out)


class EveryOperation(unittest.TestCase):
    """Each row of the catalogue reaches the operation it names."""

    REMOTE = {
        "findSchemaName": "findSchemaName", "exportSchema": "exportSchema",
        "startDownload": "startDownloadWithFileType",
        "startDownloadWithObserver": "startDownloadWithFileTypeAndCallback",
        "startDownloadFrom": "startDownloadWithManyParams",
        "startDownloadFromWithObserver": "startDownloadWithManyParamsAndCallback",
        "getFilePathFromTypeForUser": "getFilePathFromTypeAndUser",
        "getListOfFilesOfTypeForUser": "getListOfFilesOfTypeAndUser",
        "registerManagementIdentityBulk": "registerManagementIdentityBulkData",
        "observeManageableData": "observeData", "observeManageableDataBulk": "observeDataBulkData",
        "observeManageableDataList": "observeListDataBulkData", "stopObservingManageableData": "stopObservingData",
    }
    SAMPLE = {
        "int": "1", "unsigned": "1", "bool": "true", "string": "x", "list": "a,b", "ManageableData": "k=v",
        "SNMPTrapData": "oid=1", "MgmtAgentIfc*": "agent1", "Executable*": "agent1",
    }

    def test_list_has_every_operation_once(self):
        ops = of("operation", records("list"))
        per_interface = {}
        for op in ops:
            per_interface[op["interface"]] = per_interface.get(op["interface"], 0) + 1
        self.assertEqual(per_interface, {"LocalMgmtIfc": 51, "ActionEventRequestIfc": 2,
                                         "LocationDeliveryRequestIfc": 1})
        self.assertEqual(len({op["name"] for op in ops}), len(ops))
        self.assertEqual([op["name"] for op in ops][:3], ["findSchemaName", "exportSchema", "startDownload"])

    def test_each_operation_sends_its_one_request(self):
        recs = records("list")
        enumerations = {t["name"]: next(iter(t["values"])) for t in of("type", recs)}
        for op in of("operation", recs):
            args = [self.SAMPLE.get(a["type"]) or enumerations[a["type"]] for a in op["arguments"]]
            with self.subTest(operation=op["name"]):
                code, out, err = run("--json", "call", op["name"], *args)
                self.assertIn(code, (0, 1), err)
                output = [json.loads(line) for line in out.splitlines()]
                for error in of("error", output):
                    self.assertTrue(error["text"].startswith("CorvexException: "), error)
                [request] = of("request", output)
                self.assertEqual(request["method"], self.REMOTE.get(op["name"], op["name"]))


class Demo(unittest.TestCase):
    def test_the_tour_runs_cleanly(self):
        code, out, err = run()
        self.assertEqual(code, 0, err)
        text = out.decode()
        for step in ("1. The entry trace", "2. The caller's list", "3. The file type", "4. The request record",
                     "5. The call", "6. The reply record", "7. The proxy reads FileNames",
                     "uploadUserFile: simulated failure", 'callback channel "agent-1"', "adminPassword"):
            self.assertIn(step, text)
        self.assertNotIn("not written this time", text)
        self.assertNotIn("secret", text)
        self.assertNotIn("error    ", text)


if __name__ == "__main__":
    TOOL, FRAMEWORK_LIBRARY = sys.argv[1], sys.argv[2]
    unittest.main(argv=[sys.argv[0], *sys.argv[3:]], verbosity=2)
