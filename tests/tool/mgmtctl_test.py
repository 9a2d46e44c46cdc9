#!/usr/bin/env python3
"""End-to-end tests of mgmtctl: runs the built tool and reads what it prints.

usage: mgmtctl_test.py MGMTCTL FRAMEWORK_LIBRARY [unittest arguments, e.g. -k Scripts]
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

TOOL = None
FRAMEWORK_LIBRARY = None  # a shared library that is not the proxy library
ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))


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
        # arguments, style, request parameters
        (["setPhoneBusyStatus", "5"], "one-way", [("busyStatus", "int", "in", 5)]),
        (["getListOfFilesOfType", "ringer", "a.raw,b c.raw"], "synchronous",
         [("FileType", "string", "in", "ringer"), ("FileNames", "string", "inout", "[a.raw,b c.raw]")]),
        (["getListOfFilesOfType", "11"], "synchronous",
         [("FileType", "string", "in", "ringer"), ("FileNames", "string", "inout", "empty")]),
        (["uploadUserFile", "FILETYPE_TONE", "x"], "synchronous",
         [("filetype", "int", "in", 7), ("filename", "string", "in", "x")]),
        (["changeCurrentUser", "8"], "synchronous", [("userType", "string", "in", "ClearDataVisitorUserQel")]),
        (["cleanupUserData", "moh", "USER_DEFAULT"], "one-way",
         [("filetype", "string", "in", "moh"), ("userType", "int", "in", 4)]),
        (["raiseGenericTrap", "TRAP_DEST_SECONDARY", "0x10"], "one-way",
         [("dest", "int", "in", 2), ("trapNo", "int", "in", 16)]),
        (["verifyFactoryResetPassword", "hunter2"], "synchronous with time-out",
         [("password", "string", "inout", "********")]),
        (["addActionEventRequestWithData", "EVENT_CALL_STATE", ""], "one-way",
         [("type", "int", "in", 2), ("data", "string", "in", "")]),
        (["addActionEventRequest", "7"], "one-way", [("type", "int", "in", 7)]),
    ]

    def test_requests_carry_the_parameters_in_order(self):
        for args, style, expected in self.CASES:
            with self.subTest(args=args):
                recs = records("call", *args)
                [request] = of("request", recs)
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
            (["observeManageableData", "Device.X", "agent2"], "agent-2"),
            (["registerManagementIdentity", "mgr", "watcher"], "watcher"),
            (["startDownloadWithObserver", "ringer", "agent7", "true", "CERTIFICATE_NONE"], "agent-7"),
            (["observeManageableData", "Device.X", "none"], ""),
        ]
        for args, channel in cases:
            with self.subTest(args=args):
                [request] = of("request", records("call", *args))
                self.assertEqual(request["callbackChannel"], channel)

    def test_log_level_switches_records_on(self):
        cases = [("2", []), ("5", [(5, "getListOfFilesOfType"), (5, "convertFileTypeEnumToString")])]
        for level, expected in cases:
            with self.subTest(level=level):
                logs = of("log", records("--log-level", level, "call", "getListOfFilesOfType", "ringer"))
                self.assertEqual([(l["level"], l["message"]) for l in logs], expected)

    def test_log_records_name_the_statement_that_wrote_them(self):
        # Records of different files share the fixed path; the source beside it
        # must point at the very statement, whose line holds the record's format.
        recs = records("--log-level", "5", "run", "-", stdin=b"getListOfFilesOfType ringer\n"
                       b"changeCurrentUser visitorUser\nsetData a=1\nfail deleteFile\ndeleteFile ringer x\n"
                       b"fail uploadUserFile\nuploadUserFile ringer x\n")
        logs = of("log", recs)
        self.assertGreaterEqual(len({l["source"].split(":")[0] for l in logs}), 3)
        self.assertLessEqual({2, 3, 5}, {l["level"] for l in logs})  # error, time-out and trace records
        for log in logs:
            with self.subTest(log=log):
                path, line = log["source"].rsplit(":", 1)
                self.assertEqual(int(line), log["line"])
                with open(os.path.join(ROOT, path), encoding="utf-8") as source:
                    statement = source.read().splitlines()[log["line"] - 1]
                self.assertIn("MGMT_", statement)
                self.assertIn(json.dumps(log["format"])[1:-1].split("%")[0], statement)

    def test_text_output_shows_the_records(self):
        code, out, _ = run("--log-level", "5", "call", "uploadUserFile", "ringer", "Chirp.raw")
        self.assertEqual(code, 0)
        text = out.decode()
        for expected in ['call     uploadUserFile(fileType="ringer", filename="Chirp.raw")',
                         "request  uploadUserFile  (synchronous)",
                         "log      level", "(src/localmgmt/",
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

    def test_one_agent_name_is_one_channel_and_is_called_back_on_it(self):
        path = self.script("observeManageableData audio agent2\nobserveManageableData display agent1\n"
                           "setData audio.ringVolume=3\nstopObservingManageableData audio agent2\n")
        recs = records("run", path)
        self.assertEqual([r["callbackChannel"] for r in of("request", recs)], ["agent-2", "agent-1", "", "agent-2"])
        [callback] = of("callback", recs)
        self.assertEqual((callback["agent"], callback["channel"]), ("agent2", "agent-2"))
        self.assertIn(("manageableData", "string", "in", "audio.ringVolume=3"), params(callback))

    def test_a_bad_line_stops_before_anything_is_sent(self):
        cases = [
            ("setPhoneBusyStatus 1\nretrievePhoneBusyStatus\nuploadUserFile ringr a\n", "line 3", "ringer"),
            ("setPhoneBusyStatus 1\nsetPhoneBusyStatuss 2\n", "line 2", "setPhoneBusyStatus"),
            ("# x\nsetPhoneBusyStatus\n", "line 2", "usage: setPhoneBusyStatus"),
            ('setPhoneBusyStatus 1\naddActionEventRequestWithData 1 "open\n', "line 2", "unterminated"),
            ("setPhoneBusyStatus 1\nfail uploadUserFile=disk full\n", "line 2", 'uploadUserFile="disk full"'),
            ("restore uploadUserFil\n", "line 1", "uploadUserFile"),
            ("call\n", "line 1", "usage: call OPERATION"),
            ("state now\n", "line 1", "usage: state"),
        ]
        for text, line, hint in cases:
            with self.subTest(text=text):
                code, out, err = run("run", self.script(text))
                self.assertEqual(code, 2)
                self.assertEqual(out, b"")
                self.assertIn(line, err)
                self.assertIn(hint, err)

    def test_faults_and_state_change_between_lines(self):
        text = (b"call setPhoneBusyStatus 3\nfail retrievePhoneBusyStatus=down\nretrievePhoneBusyStatus\n"
                b"restore retrievePhoneBusyStatus\nretrievePhoneBusyStatus\nstate\n")
        for keep_going in (False, True):
            with self.subTest(keep_going=keep_going):
                recs = records(*(["--keep-going"] if keep_going else []), "run", "-", stdin=text, status=1)
                shown = [(r["record"], r.get("line")) for r in recs if r["record"] in ("call", "fault", "state")]
                everything = [("call", 1), ("fault", 2), ("call", 3), ("fault", 4), ("call", 5), ("state", 6)]
                self.assertEqual(shown, everything if keep_going else everything[:3])
                [error] = of("error", recs)
                self.assertEqual(error["text"], "CorvexException: down")
        recs = records("--keep-going", "run", "-", stdin=text, status=1)
        self.assertEqual([r["failure"] for r in of("fault", recs)], ["down", None])
        self.assertEqual(of("result", recs)[-1]["value"], 3)
        [state] = of("state", recs)
        self.assertEqual(state["state"]["device"]["busyStatus"], 3)
        self.assertEqual(state["state"]["faults"], {})

    def test_the_shipped_example_runs_as_its_comments_say(self):
        code, out, err = run("run", os.path.join(ROOT, "examples", "calls.txt"))
        self.assertEqual(code, 0, err)
        self.assertIn("uploadUserFile: storage full", out.decode())
        # Only agent2, observing the audio settings, is called back; the download's observer is not.
        recs = records("run", os.path.join(ROOT, "examples", "calls.txt"))
        self.assertEqual([(r["agent"], r["channel"]) for r in of("callback", recs)], [("agent2", "agent-2")])


SAMPLE = {
    "int": "1", "unsigned int": "1", "MemoryInfo": "free=1", "bool": "true", "string": "x", "list": "a,b", "ManageableData": "k=v",
    "SNMPTrapData": "oid=1", "MgmtAgentIfc*": "agent1", "Executable*": "agent1",
}


def catalogue():
    """The operations with their wire reference, and arguments that fit each."""
    recs = records("list", "--verbose")
    enumerations = {t["name"]: next(iter(t["values"])) for t in of("type", recs)}
    return [(op, [SAMPLE.get(a["type"]) or enumerations[a["type"]] for a in op["arguments"]])
            for op in of("operation", recs)]


def wire_params(record):
    return [(p["name"], p["kind"], p["direction"]) for p in record["parameters"]]


class Failures(unittest.TestCase):
    """describe tells what a call sends and how it fails, and a call with --fail does just that."""

    def test_describe_matches_what_a_failing_call_does(self):
        first_of_pattern = {}
        for op, args in catalogue():
            first_of_pattern.setdefault(op["wire"]["pattern"], (op, args))
        self.assertEqual(sorted(first_of_pattern), list("ABCDEF"))
        for pattern, (op, args) in sorted(first_of_pattern.items()):
            with self.subTest(pattern=pattern, operation=op["name"]):
                [described] = records("describe", op["name"])
                self.assertEqual(described, op)
                wire = op["wire"]
                passes = pattern in "ABC"
                # --fail takes the operation's name as well as its remote method's.
                recs = records("--fail", op["name"] + "=boom", "call", op["name"], *args, status=1 if passes else 0)
                [request] = of("request", recs)
                self.assertEqual((request["method"], request["style"], request["timeout"]),
                                 (wire["remote"], wire["style"], wire["timeout"]))
                self.assertEqual(wire_params(request), [(p["name"], p["kind"], p["direction"]) for p in wire["request"]])
                failure = wire["failure"]
                logs = [(l["level"], l["message"]) for l in of("log", recs) if l["level"] <= 3]
                if passes:
                    self.assertIsNone(failure)
                    self.assertEqual(logs, [])
                    self.assertEqual(of("error", recs)[0]["text"], "CorvexException: boom")
                    continue
                written = failure["format"].replace("%s", "boom")
                if failure["level"] == 0:
                    self.assertEqual(of("stdout", recs)[0]["text"], written)
                else:
                    self.assertIn((failure["level"], written), logs)
                self.assertEqual(len(of("reboot", recs)), 1 if pattern == "F" else 0)

    def test_text_describe_and_list(self):
        code, out, _ = run("describe", "deleteFile")
        self.assertEqual(code, 0)
        for expected in ("remote method  deleteFile", "call style     synchronous", "filename  string  in",
                         "pattern D: the level-3 record"):
            self.assertIn(expected, out.decode())
        code, out, _ = run("list")
        self.assertIn("sends startDownloadWithManyParams", out.decode())
        self.assertIn("ringer|FILETYPE_RINGER=11", out.decode())

    def test_records_follow_the_level_and_text(self):
        cases = [
            # arguments, log records (level, message), result value
            (["--fail", "uploadUserFile=disk full", "call", "uploadUserFile", "ringer", "a"],
             [(2, "uploadUserFile: disk full\n")], -1),
            (["--log-level", "2", "--fail", "deleteFile", "call", "deleteFile", "ringer", "a"], [], False),
        ]
        for args, logs, value in cases:
            with self.subTest(args=args):
                recs = records(*args)
                self.assertEqual([(l["level"], l["message"]) for l in of("log", recs)], logs)
                self.assertEqual(of("result", recs)[0]["value"], value)

    def test_reboot_fallback_is_shown_in_order(self):
        recs = records("--fail", "performReboot=timed out", "call", "performReboot", "update")
        self.assertEqual([r["record"] for r in recs], ["call", "request", "reply", "stdout", "reboot", "result"])
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
        "callback": {"agent", "channel", "method", "parameters"},
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
            (b"bad \xff \xc3 byte", "bad \ufffd \ufffd byte"),  # not UTF-8: each byte as U+FFFD
            (b"overlong \xc0\xaf", "overlong \ufffd\ufffd"),
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
    """Bad input gives exit 2, a message naming what would fit, and no output; under
    --json the message is a JSON object on standard error."""

    def test_refused_with_a_hint(self):
        cases = [
            (["call", "uploadUserFiel", "ringer", "a"], ["unknown operation", "uploadUserFile"]),
            (["call", "getListOfFiles", "ringer"], ["getListOfFilesOfType"]),
            (["call", "uploadUserFile", "ringer"], ["takes 2 arguments", "usage: uploadUserFile fileType"]),
            (["call", "retrievePhoneBusyStatus", "1"], ["takes 0 arguments"]),
            (["call", "uploadUserFile", "ringr", "a"], ["not a file type", "ringer", "vrpat", "usage:"]),
            (["call", "uploadUserFile", "32", "a"], ["from 0 to 31"]),
            (["call", "changeCurrentUser", "visitor"], ["not a user kind", "ClearDataVisitorUserQel"]),
            (["call", "addActionEventRequest", "8"], ["'8' is not an event type"]),
            (["call", "setDataEditable", "a=1", "2"], ["is not an editable status"]),
            (["call", "setPhoneBusyStatus", "-1"], ["not an unsigned int", "usage:"]),
            (["call", "startDownload", "ringer", "maybe", "0"], ["not a bool"]),
            (["call", "setData", "novalue"], ["has no '='"]),
            (["call", "observeManageableData", "n", "9lives"], ["not an agent name"]),
            (["call"], ["usage: mgmtctl call"]),
            (["uploadUserFile"], ["mgmtctl call uploadUserFile"]),
            (["lst"], ["unknown command", "list"]),
            (["help", "lst"], ["no command 'lst'", "describe"]),
            (["describe", "uploadUserFiel"], ["uploadUserFile"]),
            (["run"], ["usage: mgmtctl run"]),
            (["run", "/nonexistent/script"], ["cannot read /nonexistent/script: No such file or directory"]),
            (["run", "/"], ["cannot read /: Is a directory"]),
            (["--jsn", "list"], ["unknown option", "--json"]),
            (["--log-level", "x", "list"], ["--log-level"]),
            (["--fail", "uploadUserFil", "call", "setPhoneBusyStatus", "1"], ["uploadUserFile"]),
            (["--library", "/nonexistent/lib.so", "call", "setPhoneBusyStatus", "1"],
             ["cannot load the proxy library /nonexistent/lib.so: "]),
            (["--library", None, "call", "setPhoneBusyStatus", "1"],
             ["the proxy library " + FRAMEWORK_LIBRARY + " has no factory createLocalMgmtProxy"]),
        ]
        for args, hints in cases:
            args = [FRAMEWORK_LIBRARY if a is None else a for a in args]
            with self.subTest(args=args):
                code, out, err = run(*args)
                self.assertEqual((code, out), (2, b""), err)
                self.assertTrue(err.startswith("mgmtctl: "), err)
                for hint in hints:
                    self.assertIn(hint, err)
                code, out, err = run("--json", *args)
                self.assertEqual((code, out), (2, b""), err)
                [error] = [json.loads(line) for line in err.splitlines()]
                self.assertEqual((error["record"], error["status"]), ("fatal", 2))
                for hint in hints:
                    self.assertIn(hint, error["text"])

    def test_a_script_that_stops_says_so_in_json(self):
        code, out, err = run("--json", "--fail", "retrievePhoneBusyStatus", "run", "-",
                             stdin=b"retrievePhoneBusyStatus\nretrievePhoneBusyStatus\n")
        self.assertEqual(code, 1)
        self.assertEqual(len(of("call", [json.loads(line) for line in out.splitlines()])), 1)
        [stopped] = [json.loads(line) for line in err.splitlines()]
        self.assertEqual((stopped["record"], stopped["status"]), ("fatal", 1))
        self.assertIn("line 1", stopped["text"])


class Options(unittest.TestCase):
    """Every option in both forms, --opt=value and --opt value; a flag's value turns it off as well as on."""

    def test_values_given_with_or_without_equals(self):
        for args in (["--log-level=5"], ["--log-level", "5"]):
            with self.subTest(args=args):
                logs = of("log", records(*args, "call", "getListOfFilesOfType", "ringer"))
                self.assertIn((5, "getListOfFilesOfType"), [(l["level"], l["message"]) for l in logs])

    def test_flags_set_off_stay_off(self):
        with self.subTest(flag="--json"):
            code, out, err = run("--json=false", "call", "retrievePhoneBusyStatus")
            self.assertEqual(code, 0, err)
            self.assertTrue(out.startswith(b"call     retrievePhoneBusyStatus()"), out)
            self.assertEqual(of("call", records("--json=no", "--json", "call", "retrievePhoneBusyStatus"))[0]["arguments"], {})
        with self.subTest(flag="--verbose"):
            for off in ("--verbose=0", "--verbose=false"):
                self.assertNotIn("wire", of("operation", records(off, "list"))[0], off)
            self.assertIn("wire", of("operation", records("--verbose=yes", "list"))[0])
        with self.subTest(flag="--keep-going"):
            script = b"fail retrievePhoneBusyStatus\nretrievePhoneBusyStatus\nretrievePhoneBusyStatus\n"
            for args, calls in ((["--keep-going=no"], 1), (["--keep-going=off"], 1), (["--keep-going=on"], 2)):
                self.assertEqual(len(of("call", records(*args, "run", "-", stdin=script, status=1))), calls, args)

    def test_a_value_is_never_the_next_option(self):
        for args in (["--library", "--json", "list"], ["--fail", "--json", "state"], ["--log-level", "--json", "list"]):
            with self.subTest(args=args):
                code, out, err = run(*args)
                self.assertEqual((code, out), (2, b""), err)
                self.assertIn(args[0], err)
                self.assertIn("--json", err)

    def test_a_bad_flag_value_is_refused(self):
        code, out, err = run("--json=maybe", "list")
        self.assertEqual((code, out), (2, b""), err)
        self.assertIn("--json", err)


class Help(unittest.TestCase):
    """help, --version, the manual page and the completion script, all from the tool's own texts."""

    def test_help_and_version(self):
        code, usage, _ = run("--help")
        self.assertEqual(code, 0)
        for text in (b"demo", b"describe OPERATION", b"call OPERATION", b"run FILE", b"state", b"help [COMMAND]",
                     b"--fail", b"--keep-going", b"--json"):
            self.assertIn(text, usage)
        self.assertEqual(run("help")[1], usage)
        code, out, _ = run("help", "run")
        self.assertEqual(code, 0)
        for line in (b"fail REMOTE[=TEXT]", b"restore REMOTE", b"call OPERATION ARGS", b"--keep-going",
                     b"stops there"):
            self.assertIn(line, out)
        code, out, _ = run("--version")
        self.assertEqual(code, 0)
        self.assertRegex(out.decode(), r"^mgmtctl \d+\.\d+\.\d+\nproxy library libLocalMgmtProxy\.so\.\d+ ")

    def test_manual_page_renders_without_warnings(self):
        page = os.path.join(os.path.dirname(TOOL), "mgmtctl.1")
        if not os.path.exists(page) or not shutil.which("groff"):
            self.skipTest("no manual page (help2man missing at build time) or no groff")
        done = subprocess.run(["groff", "-man", "-Tascii", "-ww", page], capture_output=True, timeout=60)
        self.assertEqual((done.returncode, done.stderr), (0, b""))
        text = subprocess.run(["col", "-b"], input=done.stdout, capture_output=True).stdout.decode()
        for option in ("--keep-going", "--fail REMOTE[=TEXT]", "restore REMOTE", "libLocalMgmtProxy.so"):
            self.assertIn(option, text)

    def test_completion(self):
        script = os.path.join(ROOT, "tools", "mgmtctl", "mgmtctl-completion.bash")
        cases = [
            # words so far, the last under the cursor; the candidates bash offers
            (["d"], ["demo", "describe"]),
            (["--js"], ["--json"]),
            (["call", "uploadUs"], ["uploadUserFile"]),
            (["--log-level", "5", "call", "uploadUserFile", "FILETYPE_RI"], ["FILETYPE_RINGER"]),
            (["call", "changeCurrentUser", "visitorU"], ["visitorUser", "visitorUserQel"]),
            (["call", "startDownload", "ringer", "t"], ["true"]),
            (["--fail", "startDownloadWithMany"], ["startDownloadWithManyParams",
                                                     "startDownloadWithManyParamsAndCallback"]),
            (["help", "st"], ["state"]),
        ]
        for words, expected in cases:
            with self.subTest(words=words):
                program = ('source "$1"; shift; complete -p mgmtctl; COMP_WORDS=(mgmtctl "$@"); '
                           'COMP_CWORD=$#; _mgmtctl; printf "%s\\n" "${COMPREPLY[@]}"')
                env = dict(os.environ, PATH=os.path.dirname(TOOL) + os.pathsep + os.environ["PATH"])
                done = subprocess.run(["bash", "-c", program, "bash", script, *words], capture_output=True,
                                      env=env, timeout=60)
                lines = done.stdout.decode().splitlines()
                self.assertEqual(lines[0], "complete -o default -F _mgmtctl mgmtctl")
                self.assertEqual(sorted(filter(None, lines[1:])), expected)


class EveryOperation(unittest.TestCase):
    """Each row of the catalogue reaches the operation it names, sending what its wire reference says."""

    def test_each_operation_sends_its_one_request(self):
        for op, args in catalogue():
            with self.subTest(operation=op["name"]):
                code, out, err = run("--json", "call", op["name"], *args)
                self.assertIn(code, (0, 1), err)
                output = [json.loads(line) for line in out.splitlines()]
                for error in of("error", output):
                    self.assertTrue(error["text"].startswith("CorvexException: "), error)
                [request] = of("request", output)
                self.assertEqual((request["method"], request["style"]), (op["remote"], op["wire"]["style"]))
                self.assertEqual(wire_params(request),
                                 [(p["name"], p["kind"], p["direction"]) for p in op["wire"]["request"]])


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
