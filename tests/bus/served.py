"""The served telephone and its monitor for the Python bus tests, each waited
for through what it says, never by polling: `mgmtctl serve` writes "ready" to
the descriptor --ready-fd names once it serves and "stopped" once it has
stopped, `mgmtctl monitor` says "following" once it has subscribed.
"""
import json
import os
import signal
import subprocess

HANG = 60  # seconds: a process still running after this is hung


class Served:
    """`mgmtctl serve --bus OPTIONS`, its output to OUTPUT; serving once made."""

    def __init__(self, tool, *options, output=subprocess.DEVNULL):
        ready, ready_w = os.pipe()
        self.process = subprocess.Popen([tool, "serve", "--bus", "--ready-fd", str(ready_w), *options],
                                        stdout=output, stderr=subprocess.STDOUT, pass_fds=[ready_w])
        os.close(ready_w)
        self.said = os.fdopen(ready)
        if self.said.readline() != "ready\n":
            raise AssertionError("serve did not come up")

    def stop(self):
        """SIGTERM; whether it said it stopped and ended with 0."""
        self.process.send_signal(signal.SIGTERM)
        stopped = self.said.readline() == "stopped\n"
        self.said.close()
        return self.process.wait(timeout=HANG) == 0 and stopped

    def kill(self):
        self.process.kill()
        self.process.wait(timeout=HANG)
        self.said.close()


class Monitor:
    """`mgmtctl --bus --json monitor`, subscribed once made."""

    def __init__(self, tool):
        self.process = subprocess.Popen([tool, "--bus", "--json", "monitor"], stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE, text=True)
        if "following" not in self.process.stderr.readline():
            raise AssertionError("the monitor did not subscribe")
        self.lines = []

    def records(self):
        return [json.loads(line) for line in self.lines]

    def until(self, done):
        """Reads what it shows until done(records so far) holds; those records."""
        while not done(self.records()):
            line = self.process.stdout.readline()
            if not line:
                raise AssertionError("the monitor ended")
            self.lines.append(line)
        return self.records()

    def close(self):
        self.process.terminate()
        self.process.wait(timeout=HANG)
        self.process.stdout.close()
        self.process.stderr.close()
