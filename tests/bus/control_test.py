#!/usr/bin/env python3
"""The served telephone's control interface and its record, against mgmtctl:
callbacks on the record (trace, monitor, GetCalls, the client's own records),
the state out and back in, and a session's scripted faults taken back.

Runs under dbus-run-session, so the session bus is a private one of its own.
usage: control_test.py MGMTCTL [unittest arguments]
"""
import json
import os
import subprocess
import sys
import tempfile
import unittest

import dbus

from served import HANG, Monitor, Served

TOOL = None
NAME, PATH = "mgmt.LocalMgmtService", "/mgmt/LocalMgmtService"


def tool(*args, stdin=None, status=0):
    done = subprocess.run([TOOL, "--bus", "--json", *args], input=stdin, capture_output=True, text=True, timeout=HANG)
    if done.returncode != status:
        raise AssertionError(f"mgmtctl {' '.join(args)}: exit {done.returncode}\n{done.stderr}")
    return [json.loads(line) for line in done.stdout.splitlines()]


class Controlled(unittest.TestCase):
    """A telephone of its own per test, tracing into a file as JSON."""

    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.trace_path = os.path.join(self.dir.name, "trace")
        with open(self.trace_path, "w") as trace:
            self.served = Served(TOOL, "--trace", "--json", output=trace)
        self.bus = dbus.SessionBus()
        self.control = dbus.Interface(self.bus.get_object(NAME, PATH), "mgmt.LocalMgmtService.Control")

    def tearDown(self):
        self.assertTrue(self.served.stop(), "serve says it stopped and ends cleanly on SIGTERM")
        self.dir.cleanup()

    def lines(self, path):
        with open(path) as written:
            return [json.loads(line) for line in written if line.startswith("{")]

    def calls(self):
        return json.loads(self.control.GetCalls())["calls"]


class Callbacks(Controlled):
    SESSION = ("observeManageableData audio agent2\n"
               "setData \"audio.ringVolume=7;security.webPassword=s3cret\"\n"
               "observeManageableData security agent2\n"
               "setData security.webPassword=s3cret\n")

    def test_every_callback_is_on_the_record_with_the_channel_it_went_to(self):
        monitor = Monitor(TOOL)
        try:
            client = tool("run", "-", stdin=self.SESSION)
            monitor.until(lambda records: sum(r["record"] == "callback" for r in records) == 2)
        finally:
            monitor.close()

        # The channel the client's request carried: its own connection's address for the agent.
        [observe, _] = [r for r in client if r["record"] == "request" and r["method"] == "observeData"]
        channel = observe["callbackChannel"]
        self.assertRegex(channel, r"^:\d+\.\d+/mgmt/agent/\d+$")
        self.assertEqual([r["agent"] for r in client if r["record"] == "callback"], ["agent2"] * 2)

        # Each call's reply comes before the callbacks it causes, as in process.
        order = [("request", "observeData"), ("reply", "observeData"),
                 ("request", "setData"), ("reply", "setData"), ("callback", "dataChanged")] * 2
        expected = [("audio", "audio.ringVolume=7"), ("security", "security.webPassword=********")]
        for where, records in (("client", client), ("trace", self.lines(self.trace_path)),
                               ("monitor", monitor.records())):
            with self.subTest(where=where):
                self.assertEqual([(r["record"], r["method"]) for r in records
                                  if r["record"] in ("request", "reply", "callback")], order)
                heard = [r for r in records if r["record"] == "callback"]
                self.assertEqual([r["channel"] for r in heard], [channel] * 2)
                self.assertEqual([tuple(p["value"] for p in r["parameters"]) for r in heard], expected)
        notifications = [c for c in self.calls() if c["kind"] == "notification"]
        self.assertEqual([(c["method"], c["callbackChannel"], c["outcome"]) for c in notifications],
                         [("dataChanged", channel, "sent")] * 2)
        self.assertEqual([tuple(p["value"] for p in c["parameters"]) for c in notifications], expected)
        with open(self.trace_path) as trace:
            self.assertNotIn("s3cret", trace.read() + "".join(monitor.lines) + self.control.GetCalls())

    def test_a_callback_that_cannot_go_out_is_recorded_as_failed(self):
        remote = dbus.Interface(self.bus.get_object(NAME, PATH), "mgmt.LocalMgmtService.Remote")
        remote.observeData("audio", "agent-1")  # a channel that names nothing on a bus
        remote.setData("audio.ringVolume=2", "")
        [notification] = [c for c in self.calls() if c["kind"] == "notification"]
        self.assertEqual((notification["callbackChannel"], notification["outcome"]), ("agent-1", "failed"))
        self.assertIn("is no observer's address", notification["failure"])


class State(Controlled):
    def test_reset_and_set_state_round_trip_through_the_tool(self):
        [fresh] = tool("state")
        tool("run", "-", stdin="setPhoneBusyStatus 3\nchangeCurrentUser visitorUser\n"
                               "registerManagementIdentity mgr agent1\nsetData lab.bench=4\n")
        self.control.Fail("getData", "down")
        [used] = tool("state")
        self.assertEqual((used["state"]["device"]["busyStatus"], used["state"]["users"]["current"]), (3, "visitorUser"))
        self.assertIn("mgr", used["state"]["agents"]["registered"])
        self.assertEqual(used["state"]["faults"], {"getData": {"fail": "down"}})
        self.assertNotEqual(self.calls(), [])

        self.assertEqual(tool("reset"), [])
        self.assertEqual(tool("state"), [fresh])
        self.assertEqual(self.calls(), [])
        document = os.path.join(self.dir.name, "state.json")
        with open(document, "w") as saved:
            json.dump(used["state"], saved)
        self.assertEqual(tool("set-state", document), [])
        self.assertEqual(tool("state"), [used])
        self.assertEqual(tool("clear-calls"), [])
        self.assertEqual(tool("calls"), [])

    def test_calls_shows_each_exchange_with_its_time_and_caller(self):
        tool("call", "uploadUserFile", "ringer", "Chirp.raw")
        note, request, reply = tool("calls")
        self.assertRegex(note["text"], r"^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{6}Z from :\d+\.\d+$")
        self.assertEqual((request["method"], reply["parameters"][0]["value"]), ("uploadUserFile", 0))


class SessionFaults(Controlled):
    def test_fail_is_taken_back_when_the_session_ends_however_it_ends(self):
        cases = [
            # what --fail names (a remote method, or an operation), the call, its exit status
            (["uploadUserFile=full"], ["uploadUserFile", "ringer", "Chirp.raw"], 0),
            (["retrievePhoneBusyStatus"], ["retrievePhoneBusyStatus"], 1),  # the exception reaches the caller
            (["observeManageableData", "getData"], ["observeManageableData", "audio", "agent1"], 0),
        ]
        for failures, call, status in cases:
            with self.subTest(failures=failures):
                self.control.ClearCalls()
                options = [word for failure in failures for word in ("--fail", failure)]
                tool(*options, "call", *call, status=status)
                [exchange] = self.calls()
                self.assertEqual(exchange["outcome"], "failed")
                self.assertEqual(json.loads(self.control.State())["faults"], {})

    def test_faults_set_by_others_stay(self):
        self.control.Fail("deleteFile", "kept")
        tool("--fail", "uploadUserFile", "call", "uploadUserFile", "ringer", "Chirp.raw")
        self.assertEqual(json.loads(self.control.State())["faults"], {"deleteFile": {"fail": "kept"}})


if __name__ == "__main__":
    TOOL = sys.argv.pop(1)
    unittest.main(verbosity=2)
