"""The soak's count of xruns per client, from excerpts of a JACK server's log."""

import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "scripts"))

from soak_xruns import late_clients, report  # noqa: E402

LOG = """\
Mon Dec  7 10:00:00 2026: JackEngine::XRun: client = Quom was not finished, state = Triggered
Mon Dec  7 10:00:00 2026: JackEngine::XRun: client = Quom-01 was not finished, state = Triggered
Mon Dec  7 10:00:01 2026: JackEngine::XRun: client = Quom-01 was not finished, state = Running
Mon Dec  7 10:00:02 2026: JackEngine::XRun: client = soak controller was not finished, state = Triggered
Mon Dec  7 10:00:03 2026: JackEngine::XRun: client = Quom-12 was not finished, state = Triggered
Mon Dec  7 10:00:03 2026: JackEngine::XRun: client = Quomo was not finished, state = Triggered
Mon Dec  7 10:00:04 2026: ERROR: JackEngine::XRun: client = Quom-01 was not finished, state = Running
Mon Dec  7 10:00:05 2026: New client 'Quom-02' with PID 42
Mon Dec  7 10:00:05 2026: JackAudioDriver::ProcessGraphAsync: Process error
Mon Dec  7 10:00:06 2026: JackTimedDriver::Process XRun = 44 usec
Mon Dec  7 10:00:06 2026: JackEngine::XRun: client soak controller finished after current callback
"""


class SoakXrunsTest(unittest.TestCase):
    def test_every_quom_client_counts_and_is_named(self):
        lines = report(late_clients(LOG.splitlines()))
        self.assertEqual(lines[0], "xruns blamed on Quom: 5 (Quom 1, Quom-01 3, Quom-12 1)")
        # A client whose name only starts with Quom's is someone else's.
        self.assertEqual(lines[1], "xruns blamed on other clients: 2; the server's own cycles late: 1")

    def test_a_log_without_xruns(self):
        lines = report(late_clients(["jackd 1.9.21", "New client 'Quom' with PID 7"]))
        self.assertEqual(
            lines,
            ["xruns blamed on Quom: 0 (none late)", "xruns blamed on other clients: 0; the server's own cycles late: 0"],
        )


if __name__ == "__main__":
    unittest.main()
