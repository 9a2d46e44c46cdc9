#!/usr/bin/env python3
"""The simulated telephone served on a bus, driven by separate processes.

Runs under dbus-run-session, so the session bus is a private one of its own.
usage: bus_test.py MGMTCTL [unittest arguments, e.g. -k Load]
"""
import os
import subprocess
import sys
import tempfile
import time
import unittest

from served import HANG, Monitor, Served

TOOL = None
NAME = "mgmt.LocalMgmtService"
PATH = "/mgmt/LocalMgmtService"
CONTROL = NAME + ".Control"
REMOTE = NAME + ".Remote"
SECRET = "Hunter2-Secret-4711"


def foreign(method, *args):
    """dbus-send, a client that knows nothing of ours: (exit status, output)."""
    done = subprocess.run(["dbus-send", "--session", "--print-reply", "--reply-timeout=10000", "--dest=" + NAME,
                           PATH, method, *args], capture_output=True, text=True, timeout=HANG)
    return done.returncode, done.stdout + done.stderr


def tool(*args, stdin=None):
    done = subprocess.run([TOOL, "--bus", *args], input=stdin, capture_output=True, text=True, timeout=HANG)
    return done.returncode, done.stdout, done.stderr


class Telephone(unittest.TestCase):
    """Each test gets a telephone of its own, tracing into a file."""

    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.trace = open(os.path.join(self.dir.name, "trace"), "a")
        self.start()

    def tearDown(self):
        self.assertTrue(self.served.stop(), "serve says it stopped and ends cleanly on SIGTERM")
        self.trace.close()
        self.dir.cleanup()

    def start(self):
        self.served = Served(TOOL, "--trace", output=self.trace)

    def traced(self):
        with open(os.path.join(self.dir.name, "trace")) as trace:
            return trace.read()

    def state(self):
        code, out = foreign(CONTROL + ".State")
        self.assertEqual(code, 0, out)
        return out


class SharedState(Telephone):
    def test_one_process_sets_another_reads(self):
        self.assertEqual(tool("call", "setData", "device.location=Lab 7")[0], 0)
        self.assertEqual(tool("call", "changeCurrentUser", "visitorUser")[0], 0)
        code, out, err = tool("call", "getData", "device.location=")
        self.assertEqual(code, 0, err)
        self.assertIn('"device.location": "Lab 7"', out)
        self.assertIn('"current":"visitorUser"', self.state())


class KilledMidCall(Telephone):
    def test_waiting_callers_fail_promptly_and_a_restarted_service_serves(self):
        self.assertEqual(foreign(CONTROL + ".Delay", "string:retrievePhoneBusyStatus", "uint32:50000")[0], 0)
        callers = [subprocess.Popen([TOOL, "--bus", "call", "retrievePhoneBusyStatus"], stdout=subprocess.PIPE,
                                    stderr=subprocess.PIPE, text=True) for _ in range(3)]
        time.sleep(3)  # every caller has sent its call and waits
        self.served.kill()
        for caller in callers:  # told it went away, not that the call timed out
            out, err = caller.communicate(timeout=HANG)
            self.assertEqual(caller.returncode, 1, err)
            self.assertIn("went away before answering", out)
        self.start()
        code, out, err = tool("call", "retrievePhoneBusyStatus")
        self.assertEqual(code, 0, err)


class ForeignClient(Telephone):
    # method and arguments, the D-Bus error expected
    BAD = [
        ("uploadUserFile", ["string:11", "string:x", "string:"], "InvalidArgs"),  # int sent as a string
        ("uploadUserFile", ["int32:11"], "InvalidArgs"),                          # arguments missing
        ("uploadUserFile", ["int32:11", "string:x", "string:", "string:extra"], "InvalidArgs"),
        ("noSuchMethod", [], "UnknownMethod"),
    ]

    def test_bad_calls_get_errors_and_the_service_keeps_serving(self):
        for method, args, error in self.BAD:
            with self.subTest(method=method, args=args):
                code, out = foreign(REMOTE + "." + method, *args)
                self.assertNotEqual(code, 0)
                self.assertIn("org.freedesktop.DBus.Error." + error, out)
        code, out = foreign(REMOTE + ".uploadUserFile", "int32:11", "string:Classic.raw", "string:")
        self.assertEqual(code, 0, out)
        self.assertRegex(out, r'int32 0\s+array \[\s+string "result"\s+\]')

    def test_passwords_never_reach_the_trace_or_a_monitor(self):
        calls = [
            ("verifyFactoryResetPassword", ["string:" + SECRET, "string:"]),
            ("setData", ["string:adminPassword=" + SECRET + ";user=bob", "string:"]),
            ("startDownloadWithManyParams", ["int32:1", "string:21", "string:files", "string:op", "string:" + SECRET,
                                             "int32:11", "string:/", "string:a.raw", "boolean:false", "int32:1",
                                             "string:"]),
        ]
        monitor = Monitor(TOOL)
        try:
            for method, args in calls:
                code, out = foreign(REMOTE + "." + method, *args)
                self.assertEqual(code, 0, out)
            monitor.until(lambda records: {r.get("method") for r in records} >= {method for method, _ in calls})
        finally:
            monitor.close()
        shown = "".join(monitor.lines)
        for method, _ in calls:
            self.assertIn(method, self.traced())
        self.assertNotIn(SECRET, self.traced() + shown)
        self.assertIn("********", shown)


if __name__ == "__main__":
    TOOL = sys.argv.pop(1)
    unittest.main()
