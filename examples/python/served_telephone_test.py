#!/usr/bin/env python3
"""A client in Python tested against the served telephone, through python3-dbus
alone: set the telephone up, call it, check what it received and how it
changed, script a failure, start afresh.

Run it on a private bus of its own; it starts the service itself:
    dbus-run-session -- python3 served_telephone_test.py
MGMT_SIMULATED_PHONE names the service program (default: mgmt-simulated-phone).
"""
import json
import os
import subprocess
import unittest

import dbus

NAME, PATH = "mgmt.LocalMgmtService", "/mgmt/LocalMgmtService"
RINGER = 11  # LocalMgmtIfc::FILETYPE_RINGER


class ServedTelephone(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        program = os.environ.get("MGMT_SIMULATED_PHONE", "mgmt-simulated-phone")
        # The service writes "ready" to the descriptor --ready-fd names once it
        # answers calls.
        ready, ready_w = os.pipe()
        cls.service = subprocess.Popen([program, "--bus", "--ready-fd", str(ready_w)], pass_fds=[ready_w],
                                       stderr=subprocess.DEVNULL)
        os.close(ready_w)
        with os.fdopen(ready) as said:
            assert said.readline() == "ready\n", "the service did not come up"
        cls.bus = dbus.SessionBus()
        telephone = cls.bus.get_object(NAME, PATH)
        cls.control = dbus.Interface(telephone, "mgmt.LocalMgmtService.Control")
        cls.remote = dbus.Interface(telephone, "mgmt.LocalMgmtService.Remote")

    @classmethod
    def tearDownClass(cls):
        cls.service.terminate()
        cls.service.wait(timeout=30)

    def setUp(self):
        self.control.Reset()

    def calls(self):
        return json.loads(self.control.GetCalls())["calls"]

    def state(self):
        return json.loads(self.control.State())

    def test_set_up_in_one_call_then_check_what_the_telephone_received(self):
        self.control.SetState(json.dumps({"device": {"busyStatus": 4},
                                          "files": {"types": {"ringer": {"files": ["Tune.raw"]}}}}))
        # Each remote method takes its request values and a callback channel;
        # it answers its reply values and the names of those it filled in.
        busy, replied = self.remote.retrievePhoneBusyStatus("")
        self.assertEqual((busy, list(replied)), (4, ["busyStatus"]))
        result, _ = self.remote.uploadUserFile(RINGER, "Tune.raw", "")
        self.assertEqual(result, 0)
        self.remote.setPhoneBusyStatus(1, "", ignore_reply=True)  # one-way: nothing comes back

        status, upload, one_way = self.calls()
        self.assertEqual((status["method"], status["outcome"]), ("retrievePhoneBusyStatus", "answered"))
        self.assertEqual(upload["caller"], self.bus.get_unique_name())
        self.assertEqual([(p["name"], p["kind"], p["value"]) for p in upload["parameters"]],
                         [("filetype", "int", RINGER), ("filename", "string", "Tune.raw")])
        self.assertEqual(upload["reply"], [{"name": "result", "kind": "int", "direction": "out", "value": 0}])
        self.assertEqual((one_way["style"], one_way["outcome"]), ("one-way", "sent"))
        state = self.state()
        self.assertEqual((state["device"]["busyStatus"], state["files"]["uploads"]), (5, 1))

    def test_a_scripted_failure_reaches_the_client_until_restored(self):
        self.control.Fail("uploadUserFile", "disk full")
        with self.assertRaises(dbus.DBusException) as failed:
            self.remote.uploadUserFile(RINGER, "Classic.raw", "")
        self.assertEqual((failed.exception.get_dbus_name(), failed.exception.get_dbus_message()),
                         ("mgmt.Error.Failed", "disk full"))
        self.control.Restore("uploadUserFile")
        self.assertEqual(self.remote.uploadUserFile(RINGER, "Classic.raw", "")[0], 0)
        self.assertEqual([(c["outcome"], c.get("failure")) for c in self.calls()],
                         [("failed", "disk full"), ("answered", None)])

    def test_passwords_never_show(self):
        self.remote.verifyFactoryResetPassword("admin123", "")
        [verify] = self.calls()
        self.assertEqual(verify["parameters"][0]["value"], "********")
        self.assertNotIn("admin123", self.control.GetCalls() + self.control.State())

    def test_the_state_goes_back_in_as_it_came_out_and_reset_starts_afresh(self):
        fresh = self.state()
        self.remote.changeCurrentUser("visitorUser", "")
        self.remote.setData("audio.ringVolume=9", "")
        self.control.Fail("getData", "down")
        used = self.state()
        self.assertEqual((used["users"]["current"], used["faults"]), ("visitorUser", {"getData": {"fail": "down"}}))
        self.control.Reset()
        self.assertEqual((self.state(), self.calls()), (fresh, []))
        self.control.SetState(json.dumps(used))
        self.assertEqual(self.state(), used)


if __name__ == "__main__":
    unittest.main()
